#pragma once
// The main window of Pirovan.

#include "app/pattern_history.h"
#include "app/run_display.h"
#include "engine/run_window.h"
#include "framework/combo_box.h"
#include "framework/controls.h"
#include "framework/directory_list.h"
#include "framework/drive_box.h"
#include "framework/form.h"
#include "framework/memo.h"

#include <array>
#include <atomic>
#include <string>
#include <vector>

class TForm1 : public fw::Form, public RunWindow {
public:
    TForm1();

    // Controls, made from the window definition (app/Kemlo1.window).
    fw::Bevel* Bevel1 = nullptr;
    fw::Label* Label1 = nullptr;
    fw::Label* Label2 = nullptr;
    fw::Label* Label3 = nullptr;
    fw::Label* Label4 = nullptr;
    fw::Label* Label5 = nullptr;
    fw::DriveBox* DriveComboBox1 = nullptr;
    fw::DirectoryList* DirectoryListBox1 = nullptr;
    fw::Memo* Memo1 = nullptr;
    fw::Button* Button1 = nullptr;
    fw::Button* Button2 = nullptr;
    fw::CheckBox* CheckBox1 = nullptr;
    fw::Memo* Memo2 = nullptr;
    fw::ComboBox* ComboBox1 = nullptr;
    fw::CheckBox* CheckBox2 = nullptr;

    // Set by Stop, cleared when a run starts; a run's worker reads it.
    std::atomic<bool> StopRequest{false};
    PatternHistory ComboHist;               // the pattern history, slots 0 to 8
    std::string SavedDir;                   // directory read from the settings
    char SavedDrive = '\0';                 // drive letter read from the settings

    void Button1Click();
    void K2Click();
    void Button2Click();
    void KX2Click();
    void bi1Click();
    void K1Click();
    void Form1Create();
    void Form1Close();
    void Form1Resize();
    void WMDropFiles(HDROP drop);

    // Immediate deletion (app/immediate_delete.cpp), on the UI thread.
    void DeletePaths(const std::vector<char>& list);
    // The end of Form1Create: drops accepted; command-line paths deleted, then the window closed.
    void AcceptDropsAndDeleteArguments();
    // Drops still in the shell's hands: the last of them and the run to end enables Start,
    // the pattern box and the check boxes again.
    int DropsInProgress = 0;

    // The pattern box's drop-down list rebuilt from the history; its text stays.
    void FillList();

    // A search run's steps (app/Kemlo1_run.cpp), each on the UI thread.
    void LockForRun() override;
    void TakeSettings(Kemlo2& worker) override;
    void LockAll() override;
    void UnlockAfterRun() override;
    void RunEnded() override;
    void ShowDir(const std::string& directory) override;
    void ShowList(const std::vector<std::string>& list) override;
    void Say(const std::string& message) override;
    const std::atomic<bool>& StopFlag() const override { return StopRequest; }

protected:
    void OnTimer(UINT_PTR id) override;

private:
    RunDisplay::Sinks DisplaySinks();

    // The run's directory line and file list, written on the display tick.
    RunDisplay Display{DisplaySinks()};
    DWORD NextDisplayTick = 0;  // GetTickCount before which a tick writes nothing
    // From Start until the run's last step: a second Start waits for the next idle.
    bool RunInProgress = false;
};

extern TForm1* Form1;

// The about text, five lines.
extern const char* const kAboutText;
