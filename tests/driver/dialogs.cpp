#include "tests/driver/dialogs.h"

#include "tests/driver/error.h"
#include "tests/driver/window.h"

#include <algorithm>
#include <set>

namespace driver {

namespace {

BOOL CALLBACK CollectChild(HWND window, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> ChildrenOf(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

bool IsClass(HWND window, const char* name)
{
    return lstrcmpiA(ClassNameOf(window).c_str(), name) == 0;
}

// Answers each dialog once: a dialog that was answered and still stands is closing.
class Responder {
public:
    Responder(const std::string& caption, int buttonId, DWORD processId)
        : caption_(caption), buttonId_(buttonId), processId_(processId) {}

    // One look; returns the dialogs answered in it.
    std::vector<AnsweredDialog> Poll()
    {
        std::erase_if(seen_, [](HWND window) { return !IsWindow(window); });
        std::vector<AnsweredDialog> answered;
        HWND dialog = FindDialog(caption_, processId_);
        if (dialog && !seen_.count(dialog)) {
            try {
                AnsweredDialog record{DialogText(dialog), DialogButtons(dialog)};
                PressDialogButton(dialog, buttonId_);
                seen_.insert(dialog);
                answered.push_back(std::move(record));
            } catch (const Error&) {
                // Closed by someone else while we read it.
                if (IsWindow(dialog))
                    throw;
            }
        }
        return answered;
    }

private:
    std::string caption_;
    int buttonId_;
    DWORD processId_;
    std::set<HWND> seen_;
};

}  // namespace

HWND FindDialog(const std::string& caption, DWORD processId)
{
    return FindTopWindow({.caption = caption, .className = "#32770", .processId = processId,
                          .visibleOnly = true});
}

HWND WaitForDialog(const std::string& caption, DWORD processId, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindDialog(caption, processId)) != nullptr; }, timeoutMs);
    return found;
}

std::string DialogText(HWND dialog)
{
    std::string text;
    for (HWND child : ChildrenOf(dialog)) {
        if (!IsClass(child, "Static"))
            continue;
        const std::string part = WindowText(child);
        if (part.empty())
            continue;
        if (!text.empty())
            text += "\n";
        text += part;
    }
    return text;
}

std::vector<DialogButton> DialogButtons(HWND dialog)
{
    std::vector<DialogButton> buttons;
    for (HWND child : ChildrenOf(dialog))
        if (IsClass(child, "Button"))
            buttons.push_back({GetDlgCtrlID(child), WindowText(child)});
    return buttons;
}

void PressDialogButton(HWND dialog, int buttonId)
{
    if (!PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId))))
        ThrowLastError("PostMessage WM_COMMAND");
}

std::vector<AnsweredDialog> AnswerDialogsFor(const std::string& caption, int buttonId,
                                             DWORD durationMs, DWORD processId)
{
    Responder responder(caption, buttonId, processId);
    std::vector<AnsweredDialog> answered;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < durationMs) {
        for (auto& record : responder.Poll())
            answered.push_back(std::move(record));
        Pause(kPollMs);
    }
    return answered;
}

DialogAnswerer::DialogAnswerer(std::string caption, int buttonId, DWORD processId)
    : caption_(std::move(caption)), buttonId_(buttonId), processId_(processId),
      thread_([this] { Run(); })
{
}

DialogAnswerer::~DialogAnswerer()
{
    stop_ = true;
    thread_.join();
}

void DialogAnswerer::Run()
{
    // Nothing may escape a thread's start routine.
    try {
        Responder responder(caption_, buttonId_, processId_);
        while (!stop_) {
            for (auto& record : responder.Poll()) {
                std::lock_guard lock(mutex_);
                answered_.push_back(std::move(record));
            }
            Sleep(kPollMs);
        }
    } catch (const std::exception& error) {
        std::lock_guard lock(mutex_);
        answered_.push_back({std::string("DialogAnswerer stopped: ") + error.what(), {}});
    }
}

std::vector<AnsweredDialog> DialogAnswerer::Answered() const
{
    std::lock_guard lock(mutex_);
    return answered_;
}

bool DialogAnswerer::WaitForAnswered(size_t count, DWORD timeoutMs) const
{
    return WaitUntil([&] {
        std::lock_guard lock(mutex_);
        return answered_.size() >= count;
    }, timeoutMs);
}

}  // namespace driver
