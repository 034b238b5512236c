#pragma once
// The base of every control on a form: a child window made from one entry of the
// window definition, with the properties the form's handlers set.

#include "framework/window_definition.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace fw {

class Form;

class Control {
public:
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    int Id() const { return id_; }
    HWND Handle() const { return hwnd_; }
    const std::string& Hint() const { return hint_; }
    int TabOrder() const { return tab_order_; }   // -1: not a tab stop

    bool Enabled() const;
    void SetEnabled(bool enabled);
    std::string Text() const;
    void SetText(const std::string& text);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    void SetBounds(int left, int top, int width, int height);

    // Used by the form while it builds and runs itself.
    void Create(Form& form, const ControlDefinition& definition, int id);
    // Called once every control of the form exists, to find the controls it is linked to.
    virtual void Connect() {}
    virtual void OnCommand(WORD /*code*/) {}
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual bool FillsClientArea() const { return false; }
    // The windows the mouse rests on when it is over this control (for its hint).
    virtual std::vector<HWND> HintWindows() const { return {hwnd_}; }
    // Wanted for read-only edits, which Windows would paint in the button-face colour.
    virtual bool PaintsAsWindow() const { return false; }

protected:
    Control() = default;
    virtual std::vector<std::string> Keys() const = 0;
    virtual void CreateWindowFor(const Properties& properties) = 0;
    // The height passed to Windows for a logical height (a combo box counts its list).
    virtual int WindowHeight(int height) const { return height; }

    HWND MakeChild(const char* window_class, DWORD style, DWORD ex_style = 0);
    Form& form() const { return *form_; }
    // The handler the definition names under this key, or an empty function.
    std::function<void()> HandlerFor(const Properties& properties, const std::string& key) const;

private:
    Form* form_ = nullptr;
    HWND hwnd_ = nullptr;
    int id_ = 0;
    std::string name_;
    std::string hint_;
    std::string initial_text_;
    int tab_order_ = -1;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

// Keys every control understands.
std::vector<std::string> CommonKeys(std::vector<std::string> more);

}  // namespace fw
