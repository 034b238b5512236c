// The main window's side of a search run: the steps its worker hands to the UI thread.

#include "app/Kemlo1.h"

#include "engine/Kemlo2.h"
#include "framework/message_box.h"

#include <windows.h>

namespace {

// While a run goes on, the directory line and the file list are written at this pace
// rather than at every directory and every match.
constexpr UINT_PTR kDisplayTimer = 1;
constexpr UINT kDisplayTickMs = 100;
// Writing to the text areas can take longer than a tick under Wine; after a tick that took
// t, the next waits at least this many times t, so that most of the UI thread stays free
// for the run's hand-overs and for the user.
constexpr DWORD kDisplayShare = 4;

}  // namespace

RunDisplay::Sinks TForm1::DisplaySinks()
{
    return {
        [this](const std::string& text) { Memo2->SetText(text); },
        [this](const std::string& text) { Memo1->SetText(text); },
        [this](const std::string& text) {
            // The append scrolls to its end; the paths are read from their beginning.
            Memo1->AppendText(text);
            SendMessageA(Memo1->Handle(), WM_HSCROLL, SB_LEFT, 0);
        },
    };
}

void TForm1::FillList()
{
    // Emptying a drop-down combo box's list empties its edit field as well.
    const std::string text = ComboBox1->Text();
    ComboBox1->ClearItems();
    ComboBox1->SetDropDownCount(0);
    const std::vector<std::string> entries = ComboHist.ListEntries();
    for (const std::string& entry : entries)
        ComboBox1->AddItem(entry);
    ComboBox1->SetDropDownCount(static_cast<int>(entries.size()));
    if (ComboBox1->Text() != text)
        ComboBox1->SetText(text);
}

void TForm1::LockForRun()
{
    Button1->SetEnabled(false);
    ComboBox1->SetEnabled(false);
    CheckBox1->SetEnabled(false);
    CheckBox2->SetEnabled(false);
    Button2->SetEnabled(true);
    NextDisplayTick = GetTickCount();
    SetTimer(Handle(), kDisplayTimer, kDisplayTickMs, nullptr);
}

void TForm1::TakeSettings(Kemlo2& worker)
{
    StopRequest = false;
    Memo1->SetText({});
    Memo2->SetText({});
    Display.Cleared();
    worker.Pattern = ComboBox1->Text();
    if (worker.Pattern.empty())
        return;
    worker.RootDir = DirectoryListBox1->Directory();
    worker.WithSubDirs = CheckBox1->Checked();
    worker.DirectDelete = CheckBox2->Checked();
    ComboHist.RecordPattern(worker.Pattern);
    FillList();
}

void TForm1::LockAll()
{
    Display.Flush();
    Button2->SetEnabled(false);
    Button1->SetEnabled(false);
    ComboBox1->SetEnabled(false);
    CheckBox1->SetEnabled(false);
    CheckBox2->SetEnabled(false);
}

void TForm1::UnlockAfterRun()
{
    Display.Flush();
    KillTimer(Handle(), kDisplayTimer);
    Button2->SetEnabled(false);
    // A drop still in the shell's hands enables them itself when it ends.
    if (DropsInProgress == 0) {
        Button1->SetEnabled(true);
        ComboBox1->SetEnabled(true);
        CheckBox1->SetEnabled(true);
        CheckBox2->SetEnabled(true);
    }
}

void TForm1::RunEnded()
{
    // The walk changed the process's current directory on the worker; the directory list
    // stands for it again.
    SetCurrentDirectoryA(DirectoryListBox1->Directory().c_str());
    RunInProgress = false;
}

void TForm1::ShowDir(const std::string& directory) { Display.ShowDir(directory); }

void TForm1::ShowList(const std::vector<std::string>& list) { Display.ShowList(list); }

void TForm1::Say(const std::string& message)
{
    Display.Flush();
    fw::ShowMessage(message);
}

void TForm1::OnTimer(UINT_PTR id)
{
    if (id != kDisplayTimer)
        return;
    const DWORD start = GetTickCount();
    if (static_cast<LONG>(start - NextDisplayTick) < 0)
        return;
    Display.Tick();
    const DWORD end = GetTickCount();
    NextDisplayTick = end + kDisplayShare * (end - start);
}
