#pragma once
// The application object: title, help file, icon, the main form, the message loop and
// the standard error report.

#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace fw {

class Form;

class Application {
public:
    // Registers the common controls, loads the icon "MAINICON" (the system's application
    // icon when the program has none), and makes the calling thread the UI thread of the
    // workers' hand-over, whose errors get the standard error report.
    void Initialize();
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    const std::string& HelpFile() const { return help_file_; }
    void SetHelpFile(const std::string& help_file) { help_file_ = help_file; }
    HICON Icon() const { return icon_; }

    // Makes a form of class F and builds it; the first form made is the main form. The
    // reference is set before the form is built, so its creation handler can use it.
    template <class F>
    void CreateForm(F*& reference)
    {
        auto form = std::make_unique<F>();
        reference = form.get();
        if (!main_form_)
            main_form_ = form.get();
        forms_.push_back(std::move(form));
        BuildForm(*forms_.back());
    }
    Form* MainForm() const { return main_form_; }

    // Shows the main form by the show command the process was started with, then
    // dispatches messages until the main form has been destroyed, and then until every
    // worker thread has ended.
    void Run();
    // The main form is going: workers get no more hand-overs, and the message loop ends.
    void MainFormDestroyed();
    // The show command Run gives the main form: from STARTUPINFO when the starter set one.
    static int StartupShowCommand(int window_default);

    // The standard error report: the error's text, the title as caption, an error icon.
    void ShowException(const std::exception& error) const;
    void ShowUnknownException() const;

    // WinHelpA on the help file for the main form.
    void HelpCommand(UINT command, ULONG_PTR data) const;

    ~Application();

private:
    void BuildForm(Form& form);

    std::string title_;
    std::string help_file_;
    HICON icon_ = nullptr;
    Form* main_form_ = nullptr;
    std::vector<std::unique_ptr<Form>> forms_;
};

// The process's one application object.
Application& App();

}  // namespace fw
