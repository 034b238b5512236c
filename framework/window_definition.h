#pragma once
// The window definition: a declarative text (UTF-8) describing a form, its controls in
// order and its main menu. Read from an RCDATA resource when the form is created.
//
//   form TForm1                      window class name
//       caption "Pirovan"            key, then values; texts in double quotes
//   end
//   control Label1 label             name, kind
//       bounds 176 48 72 12
//   end
//   menu MainMenu1
//       submenu KX1 "ファイル(&F)"
//           item K2 "開始(&S)" K2Click
//           separator N1
//       end
//   end
//
// "#" starts a comment line. Quoted texts may hold \" and \\; they are converted to code
// page 932 here, so everything handed on is in the ANSI code page.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace fw {

class Properties {
public:
    void Set(const std::string& key, std::vector<std::string> values, int line);
    bool Has(const std::string& key) const { return values_.count(key) != 0; }
    // Each throws fw::Exception on a value of the wrong form; the default stands for an
    // absent key.
    std::string Text(const std::string& key, const std::string& fallback = {}) const;
    int Int(const std::string& key, int fallback) const;
    bool Bool(const std::string& key, bool fallback) const;
    std::vector<int> Ints(const std::string& key, size_t count) const;
    const std::vector<std::string>& Values(const std::string& key) const;
    // Throws unless every key is one of the allowed ones: a misspelt key must not pass.
    void CheckKeys(const std::vector<std::string>& allowed, const std::string& owner) const;

private:
    struct Entry {
        std::vector<std::string> values;
        int line = 0;
    };
    [[noreturn]] void Fail(const std::string& key, const std::string& what) const;
    std::map<std::string, Entry> values_;
};

struct ControlDefinition {
    std::string name;
    std::string kind;
    Properties properties;
};

struct MenuItemDefinition {
    std::string name;
    std::string caption;
    std::string on_click;    // handler name, empty for none
    int depth = 0;           // 0 for the menu bar's items
    bool submenu = false;
    bool separator = false;
};

struct WindowDefinition {
    std::string class_name;
    Properties form;
    std::vector<ControlDefinition> controls;   // in definition order
    std::string menu_name;
    std::vector<MenuItemDefinition> menu;      // in definition order, submenus before their items
};

WindowDefinition ParseWindowDefinition(const std::string& utf8_text);
// The RCDATA resource of that name in the module; throws fw::Exception when it is missing.
WindowDefinition LoadWindowDefinition(HINSTANCE module, const std::string& resource_name);

}  // namespace fw
