#include "framework/application.h"

#include "framework/form.h"
#include "framework/thread.h"

#include <stdexcept>

#include <commctrl.h>

namespace fw {

Application& App()
{
    static Application application;
    return application;
}

Application::~Application() = default;

namespace {

void ReportWorkerError(const char* what)
{
    App().ShowException(std::runtime_error(what));
}

}  // namespace

void Application::Initialize()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    icon_ = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    if (!icon_)
        icon_ = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    TThread::InitHandOver();
    TThread::ReportError = ReportWorkerError;
}

void Application::BuildForm(Form& form) { form.Build(); }

int Application::StartupShowCommand(int window_default)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    if (startup.dwFlags & STARTF_USESHOWWINDOW) {
        if (startup.wShowWindow == SW_SHOWMAXIMIZED)
            return SW_SHOWMAXIMIZED;
        if (startup.wShowWindow == SW_SHOWMINNOACTIVE)
            return SW_SHOWMINNOACTIVE;
    }
    return window_default;
}

void Application::Run()
{
    // The creation handler may already have closed the main form.
    if (!main_form_ || !main_form_->Handle())
        return;
    main_form_->ShowFirst(StartupShowCommand(-1));
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Tab, Enter for the default button and the mnemonics of the controls.
        HWND main = main_form_->Handle();
        if (main && IsDialogMessageA(main, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // A worker may still be in the shell's delete, which the user has confirmed: the
    // process stays, and so does the form its steps would use, until it is done.
    TThread::WaitForAll();
}

void Application::MainFormDestroyed()
{
    // From here on a run deletes nothing it found and touches no control.
    TThread::CloseHandOver();
    PostQuitMessage(0);
}

void Application::ShowException(const std::exception& error) const
{
    HWND owner = main_form_ && IsWindow(main_form_->Handle()) ? main_form_->Handle() : nullptr;
    MessageBoxA(owner, error.what(), title_.c_str(), MB_ICONERROR | MB_OK);
}

void Application::ShowUnknownException() const
{
    ShowException(std::runtime_error("予期しないエラーが発生しました。"));
}

void Application::HelpCommand(UINT command, ULONG_PTR data) const
{
    HWND owner = main_form_ ? main_form_->Handle() : nullptr;
    WinHelpA(owner, help_file_.c_str(), command, data);
}

}  // namespace fw
