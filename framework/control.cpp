#include "framework/control.h"

#include "framework/error.h"
#include "framework/form.h"

namespace fw {

std::vector<std::string> CommonKeys(std::vector<std::string> more)
{
    // "ime" names an input method that this framework records but does not select.
    for (const char* key : {"bounds", "text", "hint", "tab-order", "enabled", "font", "ime"})
        more.push_back(key);
    return more;
}

void Control::Create(Form& form, const ControlDefinition& definition, int id)
{
    const Properties& properties = definition.properties;
    properties.CheckKeys(Keys(), definition.name);
    form_ = &form;
    id_ = id;
    name_ = definition.name;
    hint_ = properties.Text("hint");
    initial_text_ = properties.Text("text");
    tab_order_ = properties.Int("tab-order", -1);
    const std::vector<int> bounds = properties.Ints("bounds", 4);
    left_ = bounds[0];
    top_ = bounds[1];
    width_ = bounds[2];
    height_ = bounds[3];

    CreateWindowFor(properties);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form.FontFor(properties)), FALSE);
    if (!properties.Bool("enabled", true))
        EnableWindow(hwnd_, FALSE);
}

HWND Control::MakeChild(const char* window_class, DWORD style, DWORD ex_style)
{
    hwnd_ = CreateWindowExA(ex_style, window_class, initial_text_.c_str(),
                            style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (tab_order_ >= 0 ? WS_TABSTOP : 0),
                            left_, top_, width_, WindowHeight(height_), form_->Handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_)
        ThrowLastError("cannot create " + name_);
    return hwnd_;
}

std::function<void()> Control::HandlerFor(const Properties& properties, const std::string& key) const
{
    const std::string name = properties.Text(key);
    return name.empty() ? std::function<void()>() : form_->Handler(name);
}

bool Control::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void Control::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

std::string Control::Text() const
{
    std::string text(GetWindowTextLengthA(hwnd_) + 1, '\0');
    text.resize(GetWindowTextA(hwnd_, text.data(), static_cast<int>(text.size())));
    return text;
}

void Control::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }

void Control::SetBounds(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    SetWindowPos(hwnd_, nullptr, left, top, width, WindowHeight(height), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace fw
