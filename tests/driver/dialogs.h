#pragma once
// Dialog boxes (class "#32770") of another process: the program's message boxes, captioned
// "Pirovan", and the shell's delete confirmation, captioned "ファイルの削除の確認", whose text
// is painted rather than held in a control, so that only its buttons can be read.

#include "tests/driver/wait.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace driver {

constexpr char kDeleteConfirmCaption[] = "ファイルの削除の確認";

// A visible "#32770" window with exactly this caption (of that process, unless 0).
HWND FindDialog(const std::string& caption, DWORD processId = 0);
HWND WaitForDialog(const std::string& caption, DWORD processId = 0,
                   DWORD timeoutMs = kDefaultTimeoutMs);

// The texts of the dialog's STATIC children, joined with "\n": a message box's message.
std::string DialogText(HWND dialog);

struct DialogButton {
    int id;
    std::string text;
};
std::vector<DialogButton> DialogButtons(HWND dialog);

// Posts WM_COMMAND with the button's ID (IDOK, IDCANCEL, IDYES, IDNO, ...), as its click does.
void PressDialogButton(HWND dialog, int buttonId);

// What a dialog said when it was answered.
struct AnsweredDialog {
    std::string text;
    std::vector<DialogButton> buttons;
};

// Answers with `buttonId` every matching dialog that appears during the next `durationMs`,
// on this thread; returns them in the order they came.
std::vector<AnsweredDialog> AnswerDialogsFor(const std::string& caption, int buttonId,
                                             DWORD durationMs, DWORD processId = 0);

// The same on a thread of its own, for as long as the object lives: for a test that waits
// in a sent click (Click) while the program shows its box, or that runs a whole scenario.
class DialogAnswerer {
public:
    DialogAnswerer(std::string caption, int buttonId, DWORD processId = 0);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    std::vector<AnsweredDialog> Answered() const;
    // Waits until at least `count` dialogs have been answered.
    bool WaitForAnswered(size_t count, DWORD timeoutMs = kDefaultTimeoutMs) const;

private:
    void Run();

    const std::string caption_;
    const int buttonId_;
    const DWORD processId_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<AnsweredDialog> answered_;
    std::thread thread_;
};

}  // namespace driver
