#include "framework/form.h"

#include "framework/application.h"
#include "framework/combo_box.h"
#include "framework/controls.h"
#include "framework/directory_list.h"
#include "framework/drive_box.h"
#include "framework/error.h"
#include "framework/memo.h"

#include <algorithm>

namespace fw {
namespace {

const std::vector<std::string> kFormKeys = {
    "bounds", "border", "border-icons", "caption", "hint", "color", "font", "show-hint", "icon", "menu",
    "on-create", "on-close", "on-resize", "on-drop-files",
    // Recorded with the design; the framework draws at 96 pixels per inch regardless.
    "pixels-per-inch", "text-height"};

std::unique_ptr<Control> MakeControl(const std::string& kind)
{
    if (kind == "label")
        return std::make_unique<Label>();
    if (kind == "bevel")
        return std::make_unique<Bevel>();
    if (kind == "button")
        return std::make_unique<Button>();
    if (kind == "check-box")
        return std::make_unique<CheckBox>();
    if (kind == "memo")
        return std::make_unique<Memo>();
    if (kind == "combo-box")
        return std::make_unique<ComboBox>();
    if (kind == "drive-box")
        return std::make_unique<DriveBox>();
    if (kind == "directory-list")
        return std::make_unique<DirectoryList>();
    throw Exception("no control kind \"" + kind + "\"");
}

DWORD StyleOf(const Properties& form)
{
    DWORD style = WS_CLIPCHILDREN;
    const std::string border = form.Text("border", "sizeable");
    if (border == "sizeable")
        style |= WS_CAPTION | WS_THICKFRAME;
    else if (border == "single")
        style |= WS_CAPTION | WS_BORDER;
    else if (border != "none")
        throw Exception("form border is sizeable, single or none");
    for (const std::string& icon : form.Values("border-icons")) {
        if (icon == "system-menu")
            style |= WS_SYSMENU;
        else if (icon == "minimize")
            style |= WS_MINIMIZEBOX;
        else if (icon == "maximize")
            style |= WS_MAXIMIZEBOX;
        else
            throw Exception("no border icon \"" + icon + "\"");
    }
    return style;
}

int ColourOf(const Properties& form)
{
    const std::string colour = form.Text("color", "btnface");
    if (colour == "btnface")
        return COLOR_BTNFACE;
    if (colour == "window")
        return COLOR_WINDOW;
    throw Exception("form color is btnface or window");
}

HFONT MakeFont(const std::vector<std::string>& values)
{
    // face, height, character set, pitch
    if (values.size() != 4)
        throw Exception("font: expected face, height, character set and pitch");
    const int height = std::stoi(values[1]);
    BYTE charset = DEFAULT_CHARSET;
    if (values[2] == "shiftjis")
        charset = SHIFTJIS_CHARSET;
    else if (values[2] == "ansi")
        charset = ANSI_CHARSET;
    else if (values[2] != "default")
        throw Exception("font: character set is shiftjis, ansi or default");
    BYTE pitch = DEFAULT_PITCH;
    if (values[3] == "fixed")
        pitch = FIXED_PITCH;
    else if (values[3] == "variable")
        pitch = VARIABLE_PITCH;
    else if (values[3] != "default")
        throw Exception("font: pitch is fixed, variable or default");
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitch | FF_DONTCARE, values[0].c_str());
    if (!font)
        throw Exception("cannot create the font " + values[0]);
    return font;
}

}  // namespace

Form::Form(std::string definition_resource) : definition_resource_(std::move(definition_resource)) {}

Form::~Form()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
    for (HFONT font : own_fonts_)
        DeleteObject(font);
    if (big_icon_)
        DestroyIcon(big_icon_);
    if (small_icon_)
        DestroyIcon(small_icon_);
}

void Form::throw_missing_control(const std::string& name) const
{
    throw Exception(definition_resource_ + ": no control " + name + " of the expected kind");
}

std::function<void()> Form::Handler(const std::string& name) const
{
    auto found = handlers_.find(name);
    if (found == handlers_.end())
        throw Exception(definition_resource_ + ": no handler " + name);
    return found->second;
}

HFONT Form::FontFor(const Properties& properties)
{
    if (!properties.Has("font"))
        return font_;
    own_fonts_.push_back(MakeFont(properties.Values("font")));
    return own_fonts_.back();
}

void Form::Build()
{
    HINSTANCE module = GetModuleHandleA(nullptr);
    definition_ = LoadWindowDefinition(module, definition_resource_);
    const Properties& form = definition_.form;
    form.CheckKeys(kFormKeys, definition_.class_name);

    font_ = FontFor(form);
    if (!font_)
        font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

    WNDCLASSEXA window_class = {};
    window_class.cbSize = sizeof window_class;
    if (!GetClassInfoExA(module, definition_.class_name.c_str(), &window_class)) {
        window_class.lpfnWndProc = WindowProc;
        window_class.hInstance = module;
        window_class.hIcon = App().Icon();
        window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(ColourOf(form) + 1));
        window_class.lpszClassName = definition_.class_name.c_str();
        if (!RegisterClassExA(&window_class))
            ThrowLastError("cannot register the window class " + definition_.class_name);
    }

    const std::vector<int> bounds = form.Ints("bounds", 4);
    const std::string caption = form.Text("caption");
    if (!CreateWindowExA(WS_EX_CONTROLPARENT, definition_.class_name.c_str(), caption.c_str(), StyleOf(form),
                         bounds[0], bounds[1], bounds[2], bounds[3], nullptr, nullptr, module, this))
        ThrowLastError("cannot create the window " + definition_.class_name);

    const std::string menu_name = form.Text("menu");
    if (!menu_name.empty()) {
        if (menu_name != definition_.menu_name)
            throw Exception(definition_.class_name + ": no menu " + menu_name);
        menu_.Create(menu_name, definition_.menu, [this](const std::string& name) { return Handler(name); });
        SetMenu(hwnd_, menu_.Handle());
        menu_.Attached();
        // Setting the menu keeps the outer size and takes the menu bar from the client area.
        SetWindowPos(hwnd_, nullptr, bounds[0], bounds[1], bounds[2], bounds[3], SWP_NOZORDER | SWP_NOACTIVATE);
    }

    const std::string icon = form.Text("icon");
    if (!icon.empty()) {
        // A missing icon leaves the application's.
        big_icon_ = static_cast<HICON>(LoadImageA(module, icon.c_str(), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                  GetSystemMetrics(SM_CYICON), 0));
        small_icon_ = static_cast<HICON>(LoadImageA(module, icon.c_str(), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
        if (big_icon_)
            SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_));
        if (small_icon_)
            SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));
    }

    for (size_t i = 0; i < definition_.controls.size(); ++i) {
        const ControlDefinition& control = definition_.controls[i];
        if (FindControl(control.name))
            throw Exception(definition_.class_name + ": two controls named " + control.name);
        controls_.push_back(MakeControl(control.kind));
        controls_.back()->Create(*this, control, kFirstControlId + static_cast<int>(i));
    }
    for (auto& control : controls_)
        control->Connect();
    ArrangeZOrder();

    hints_.Create(hwnd_, font_);
    hints_.SetFormHint(form.Text("hint"));
    for (auto& control : controls_)
        if (!control->Hint().empty())
            for (HWND window : control->HintWindows())
                hints_.AddWindow(window, control->Hint());
    SetShowHint(form.Bool("show-hint", true));

    for (auto& bind : field_binders_)
        bind();
    auto optional_handler = [this, &form](const std::string& key) {
        const std::string name = form.Text(key);
        return name.empty() ? std::function<void()>() : Handler(name);
    };
    on_close_ = optional_handler("on-close");
    on_resize_ = optional_handler("on-resize");
    const std::string drop = form.Text("on-drop-files");
    if (!drop.empty()) {
        auto found = drop_handlers_.find(drop);
        if (found == drop_handlers_.end())
            throw Exception(definition_.class_name + ": no drop handler " + drop);
        on_drop_files_ = found->second;
    }
    std::function<void()> on_create = optional_handler("on-create");

    built_ = true;
    OnSize(SIZE_RESTORED);
    if (on_create) {
        // An error here is reported; the form is still made, without the rest of the handler.
        try {
            on_create();
        } catch (const std::exception& error) {
            App().ShowException(error);
        }
    }
}

void Form::ArrangeZOrder()
{
    // Tab order follows the z-order. Controls without one come after, and a bevel that
    // fills the client area lies under everything.
    std::vector<Control*> order;
    for (auto& control : controls_)
        if (control->TabOrder() >= 0)
            order.push_back(control.get());
    std::stable_sort(order.begin(), order.end(),
                     [](Control* a, Control* b) { return a->TabOrder() < b->TabOrder(); });
    for (auto& control : controls_)
        if (control->TabOrder() < 0 && !control->FillsClientArea())
            order.push_back(control.get());
    for (auto& control : controls_)
        if (control->TabOrder() < 0 && control->FillsClientArea())
            order.push_back(control.get());
    HWND after = HWND_TOP;
    for (Control* control : order) {
        SetWindowPos(control->Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = control->Handle();
    }
}

Control* Form::FindControl(const std::string& name) const
{
    for (auto& control : controls_)
        if (control->Name() == name)
            return control.get();
    return nullptr;
}

Control* Form::ControlOf(HWND window) const
{
    const int index = GetDlgCtrlID(window) - kFirstControlId;
    if (index < 0 || index >= static_cast<int>(controls_.size()) || controls_[index]->Handle() != window)
        return nullptr;
    return controls_[index].get();
}

namespace {
RECT WindowRectOf(HWND hwnd)
{
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return rect;
}
}  // namespace

int Form::Left() const { return WindowRectOf(hwnd_).left; }
int Form::Top() const { return WindowRectOf(hwnd_).top; }
int Form::Width() const
{
    const RECT rect = WindowRectOf(hwnd_);
    return rect.right - rect.left;
}
int Form::Height() const
{
    const RECT rect = WindowRectOf(hwnd_);
    return rect.bottom - rect.top;
}
void Form::SetLeft(int left) { SetWindowPos(hwnd_, nullptr, left, Top(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE); }
void Form::SetTop(int top) { SetWindowPos(hwnd_, nullptr, Left(), top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE); }
void Form::SetWidth(int width)
{
    SetWindowPos(hwnd_, nullptr, 0, 0, width, Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
void Form::SetHeight(int height)
{
    SetWindowPos(hwnd_, nullptr, 0, 0, Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Form::WindowState Form::State() const
{
    if (!IsWindowVisible(hwnd_))
        return first_state_;
    if (IsZoomed(hwnd_))
        return WindowState::Maximized;
    if (IsIconic(hwnd_))
        return WindowState::Minimized;
    return WindowState::Normal;
}

void Form::SetState(WindowState state)
{
    if (!IsWindowVisible(hwnd_)) {
        first_state_ = state;
        return;
    }
    ShowWindow(hwnd_, state == WindowState::Maximized   ? SW_MAXIMIZE
                      : state == WindowState::Minimized ? SW_MINIMIZE
                                                        : SW_RESTORE);
}

void Form::SetShowHint(bool show)
{
    show_hint_ = show;
    hints_.SetActive(show);
}

void Form::ShowFirst(int show_command)
{
    if (show_command < 0)
        show_command = first_state_ == WindowState::Maximized   ? SW_SHOWMAXIMIZED
                       : first_state_ == WindowState::Minimized ? SW_SHOWMINNOACTIVE
                                                                : SW_SHOWNORMAL;
    ShowWindow(hwnd_, show_command);
    if (show_command != SW_SHOWMINNOACTIVE && show_command != SW_SHOWMINIMIZED) {
        HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
        if (first)
            SetFocus(first);
    }
}

void Form::Close()
{
    if (hwnd_)
        SendMessageA(hwnd_, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(hwnd, message, wparam, lparam);
    // No exception may unwind into user32.
    try {
        return self->HandleMessage(message, wparam, lparam);
    } catch (const std::exception& error) {
        App().ShowException(error);
    } catch (...) {
        App().ShowUnknownException();
    }
    return 0;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_DROPFILES:
        if (on_drop_files_)
            on_drop_files_(reinterpret_cast<HDROP>(wparam));
        else
            DragFinish(reinterpret_cast<HDROP>(wparam));
        return 0;
    case WM_COMMAND:
        OnCommand(wparam, lparam);
        return 0;
    case WM_SIZE:
        OnSize(wparam);
        return 0;
    case WM_TIMER:
        OnTimer(wparam);
        return 0;
    case WM_DRAWITEM:
        if (Control* control = ControlOf(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)->hwndItem))
            if (control->OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)))
                return TRUE;
        break;
    case WM_CTLCOLORSTATIC:
        if (Control* control = ControlOf(reinterpret_cast<HWND>(lparam)); control && control->PaintsAsWindow()) {
            HDC dc = reinterpret_cast<HDC>(wparam);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    case DM_GETDEFID:
        for (auto& control : controls_)
            if (auto* button = dynamic_cast<Button*>(control.get()); button && button->IsDefault())
                return MAKELRESULT(button->Id(), DC_HASDEFID);
        return 0;
    case WM_CLOSE:
        // An error in the close handler leaves the window open.
        if (on_close_)
            on_close_();
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        if (App().MainForm() == this)
            App().MainFormDestroyed();
        return 0;
    case WM_NCDESTROY: {
        HWND window = hwnd_;
        hwnd_ = nullptr;
        return DefWindowProcA(window, message, wparam, lparam);
    }
    }
    return DefWindowProcA(hwnd_, message, wparam, lparam);
}

void Form::OnCommand(WPARAM wparam, LPARAM lparam)
{
    const int id = LOWORD(wparam);
    if (lparam) {
        if (Control* control = ControlOf(reinterpret_cast<HWND>(lparam)))
            control->OnCommand(HIWORD(wparam));
        return;
    }
    menu_.Command(id);
}

void Form::OnSize(WPARAM wparam)
{
    if (!built_)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    for (auto& control : controls_)
        if (control->FillsClientArea())
            control->SetBounds(0, 0, client.right, client.bottom);
    hints_.FollowClientArea();
    // A minimised window has no size to lay out for.
    if (wparam != SIZE_MINIMIZED && on_resize_)
        on_resize_();
}

}  // namespace fw
