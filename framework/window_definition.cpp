#include "framework/window_definition.h"

#include "framework/encoding.h"
#include "framework/error.h"

#include <algorithm>
#include <cstdlib>

namespace fw {
namespace {

struct Token {
    std::string text;
    bool quoted = false;
};

[[noreturn]] void FailAt(int line, const std::string& what)
{
    throw Exception("window definition, line " + std::to_string(line) + ": " + what);
}

std::vector<Token> Tokenize(const std::string& line, int line_number)
{
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '"') {
            std::string text;
            ++i;
            for (;;) {
                if (i >= line.size())
                    FailAt(line_number, "unterminated text");
                if (line[i] == '"')
                    break;
                if (line[i] == '\\' && i + 1 < line.size())
                    ++i;
                text += line[i++];
            }
            ++i;
            tokens.push_back({Utf8ToCp932(text), true});
        } else {
            const size_t end = line.find_first_of(" \t\r\"", i);
            const std::string word = line.substr(i, end == std::string::npos ? std::string::npos : end - i);
            for (unsigned char ch : word)
                if (ch >= 0x80)
                    FailAt(line_number, "only quoted texts may hold non-ASCII characters: " + word);
            tokens.push_back({word, false});
            i = end == std::string::npos ? line.size() : end;
        }
    }
    return tokens;
}

bool ParseInt(const std::string& text, int& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0')
        return false;
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace

void Properties::Set(const std::string& key, std::vector<std::string> values, int line)
{
    if (values_.count(key))
        FailAt(line, "\"" + key + "\" given twice");
    values_[key] = Entry{std::move(values), line};
}

void Properties::Fail(const std::string& key, const std::string& what) const
{
    auto found = values_.find(key);
    FailAt(found == values_.end() ? 0 : found->second.line, key + ": " + what);
}

const std::vector<std::string>& Properties::Values(const std::string& key) const
{
    static const std::vector<std::string> none;
    auto found = values_.find(key);
    return found == values_.end() ? none : found->second.values;
}

std::string Properties::Text(const std::string& key, const std::string& fallback) const
{
    if (!Has(key))
        return fallback;
    const auto& values = Values(key);
    if (values.size() != 1)
        Fail(key, "expected one value");
    return values[0];
}

int Properties::Int(const std::string& key, int fallback) const
{
    if (!Has(key))
        return fallback;
    int value = 0;
    if (!ParseInt(Text(key), value))
        Fail(key, "expected a number");
    return value;
}

bool Properties::Bool(const std::string& key, bool fallback) const
{
    if (!Has(key))
        return fallback;
    const std::string text = Text(key);
    if (text == "true")
        return true;
    if (text == "false")
        return false;
    Fail(key, "expected true or false");
}

std::vector<int> Properties::Ints(const std::string& key, size_t count) const
{
    const auto& values = Values(key);
    if (values.size() != count)
        Fail(key, "expected " + std::to_string(count) + " numbers");
    std::vector<int> numbers(count);
    for (size_t i = 0; i < count; ++i)
        if (!ParseInt(values[i], numbers[i]))
            Fail(key, "expected a number");
    return numbers;
}

void Properties::CheckKeys(const std::vector<std::string>& allowed, const std::string& owner) const
{
    for (const auto& [key, entry] : values_)
        if (std::find(allowed.begin(), allowed.end(), key) == allowed.end())
            FailAt(entry.line, owner + " has no property \"" + key + "\"");
}

WindowDefinition ParseWindowDefinition(const std::string& utf8_text)
{
    WindowDefinition definition;
    enum class Block { None, Form, Control, Menu } block = Block::None;
    int menu_depth = 0;
    bool form_seen = false;
    int line_number = 0;
    size_t start = 0;
    while (start <= utf8_text.size()) {
        size_t end = utf8_text.find('\n', start);
        if (end == std::string::npos)
            end = utf8_text.size();
        const std::string line = utf8_text.substr(start, end - start);
        start = end + 1;
        ++line_number;

        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        const std::vector<Token> tokens = Tokenize(line, line_number);
        const std::string& word = tokens[0].text;
        auto expect = [&](size_t least, size_t most) {
            if (tokens.size() < least || tokens.size() > most)
                FailAt(line_number, "wrong number of values for \"" + word + "\"");
        };

        if (block == Block::None) {
            if (word == "form") {
                expect(2, 2);
                if (form_seen)
                    FailAt(line_number, "a second form");
                form_seen = true;
                definition.class_name = tokens[1].text;
                block = Block::Form;
            } else if (word == "control") {
                expect(3, 3);
                definition.controls.push_back({tokens[1].text, tokens[2].text, {}});
                block = Block::Control;
            } else if (word == "menu") {
                expect(2, 2);
                if (!definition.menu_name.empty())
                    FailAt(line_number, "a second menu");
                definition.menu_name = tokens[1].text;
                block = Block::Menu;
                menu_depth = 0;
            } else {
                FailAt(line_number, "expected form, control or menu, not \"" + word + "\"");
            }
            continue;
        }

        if (word == "end" && !tokens[0].quoted) {
            expect(1, 1);
            if (block == Block::Menu && menu_depth > 0)
                --menu_depth;
            else
                block = Block::None;
            continue;
        }

        if (block == Block::Menu) {
            MenuItemDefinition item;
            item.depth = menu_depth;
            if (word == "submenu") {
                expect(3, 3);
                item.submenu = true;
                ++menu_depth;
            } else if (word == "item") {
                expect(3, 4);
                if (tokens.size() == 4)
                    item.on_click = tokens[3].text;
            } else if (word == "separator") {
                expect(2, 2);
                item.separator = true;
                item.caption = "-";
            } else {
                FailAt(line_number, "expected submenu, item, separator or end in a menu");
            }
            item.name = tokens[1].text;
            if (!item.separator)
                item.caption = tokens[2].text;
            definition.menu.push_back(item);
            continue;
        }

        std::vector<std::string> values;
        for (size_t i = 1; i < tokens.size(); ++i)
            values.push_back(tokens[i].text);
        Properties& target = block == Block::Form ? definition.form : definition.controls.back().properties;
        target.Set(word, std::move(values), line_number);
    }
    if (block != Block::None)
        FailAt(line_number, "missing \"end\"");
    if (!form_seen)
        FailAt(line_number, "no form");
    return definition;
}

WindowDefinition LoadWindowDefinition(HINSTANCE module, const std::string& resource_name)
{
    HRSRC resource = FindResourceA(module, resource_name.c_str(), reinterpret_cast<LPCSTR>(RT_RCDATA));
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        throw Exception("the window definition " + resource_name + " is missing");
    const std::string text(static_cast<const char*>(data), SizeofResource(module, resource));
    return ParseWindowDefinition(text);
}

}  // namespace fw
