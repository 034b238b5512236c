#pragma once
// The main window of Pirovan.

#include "framework/combo_box.h"
#include "framework/controls.h"
#include "framework/directory_list.h"
#include "framework/drive_box.h"
#include "framework/form.h"
#include "framework/memo.h"

#include <array>
#include <atomic>
#include <string>

class TForm1 : public fw::Form {
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
    std::array<std::string, 9> ComboHist;   // the pattern history, slots 0 to 8
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
};

extern TForm1* Form1;

// The about text, five lines.
extern const char* const kAboutText;
