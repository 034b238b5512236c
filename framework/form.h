#pragma once
// The form: a top-level window built from its window definition (an RCDATA resource),
// with its controls, main menu and hints, and the binding of every event the definition
// names to the handler the form class registered under that name.
//
// A derived form registers, in its constructor, its handlers (BindHandler) and the fields
// that are to point at its controls (BindControl); the application then builds it.
// Every handler runs inside the window procedure's guard: an exception is shown with the
// standard error report and abandons that handler only.

#include "framework/control.h"
#include "framework/hints.h"
#include "framework/menu.h"
#include "framework/window_definition.h"

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fw {

constexpr int kFirstControlId = 1001;

class Form {
public:
    enum class WindowState { Normal, Minimized, Maximized };

    explicit Form(std::string definition_resource);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND Handle() const { return hwnd_; }
    // Loads the definition, makes the window, its controls, menu and hints, then runs the
    // creation handler. An error in the creation handler is reported and the form stays.
    void Build();

    // Outer bounds of the window (the maximised ones while it is maximised).
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    // Before the form is first shown this records the state to show it in.
    WindowState State() const;
    void SetState(WindowState state);
    bool ShowHint() const { return show_hint_; }
    void SetShowHint(bool show);

    // The first showing: show_command -1 shows it in the state it is in.
    void ShowFirst(int show_command);
    // Runs the close handler, then destroys the window.
    void Close();

    Control* FindControl(const std::string& name) const;
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
    const MainMenu& Menu() const { return menu_; }
    const Hints& HintControl() const { return hints_; }
    // The handler registered under that name; throws fw::Exception for an unknown one.
    std::function<void()> Handler(const std::string& name) const;
    HFONT FontFor(const Properties& properties);
    HFONT Font() const { return font_; }

protected:
    // WM_TIMER of a timer set on the form's window.
    virtual void OnTimer(UINT_PTR /*id*/) {}

    template <class F>
    void BindHandler(const std::string& name, void (F::*method)())
    {
        handlers_[name] = [this, method] { (static_cast<F*>(this)->*method)(); };
    }
    template <class F>
    void BindDropHandler(const std::string& name, void (F::*method)(HDROP))
    {
        drop_handlers_[name] = [this, method](HDROP drop) { (static_cast<F*>(this)->*method)(drop); };
    }
    template <class C>
    void BindControl(const std::string& name, C*& field)
    {
        field_binders_.push_back([this, name, &field] {
            field = dynamic_cast<C*>(FindControl(name));
            if (!field)
                throw_missing_control(name);
        });
    }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    void OnCommand(WPARAM wparam, LPARAM lparam);
    void OnSize(WPARAM wparam);
    Control* ControlOf(HWND window) const;
    void ArrangeZOrder();
    void RunCreateHandler();
    [[noreturn]] void throw_missing_control(const std::string& name) const;

    std::string definition_resource_;
    WindowDefinition definition_;
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    std::vector<HFONT> own_fonts_;
    HICON big_icon_ = nullptr;
    HICON small_icon_ = nullptr;
    std::vector<std::unique_ptr<Control>> controls_;
    MainMenu menu_;
    Hints hints_;
    bool show_hint_ = true;
    bool built_ = false;
    WindowState first_state_ = WindowState::Normal;

    std::map<std::string, std::function<void()>> handlers_;
    std::map<std::string, std::function<void(HDROP)>> drop_handlers_;
    std::vector<std::function<void()>> field_binders_;
    std::function<void()> on_close_;
    std::function<void()> on_resize_;
    std::function<void(HDROP)> on_drop_files_;
};

}  // namespace fw
