#pragma once
// The hints of a form: one tooltip control with a tool per control that has a hint, and
// one for the form's free client area. Labels and bevels let the mouse through to the
// form, so the form's hint shows over them too.

#include <windows.h>

#include <string>

namespace fw {

class Hints {
public:
    ~Hints();
    void Create(HWND form, HFONT font);
    void AddWindow(HWND window, const std::string& text);
    void SetFormHint(const std::string& text);
    void FollowClientArea();      // after the form's size changed
    void SetActive(bool active);
    HWND Handle() const { return tooltip_; }

private:
    HWND form_ = nullptr;
    HWND tooltip_ = nullptr;
    std::string form_hint_;
    bool has_form_tool_ = false;
};

}  // namespace fw
