#include "app/Kemlo1.h"

#include "app/resize_rule.h"
#include "app/settings.h"
#include "engine/Kemlo2.h"
#include "framework/application.h"
#include "framework/message_box.h"

TForm1* Form1 = nullptr;

const char* const kAboutText =
    "\u3000   \u3000 \u3000\u3000        Pirovan V1.10\n"
    "\n"
    "Pirovanは指定されたファイルの削除を行います。\n"
    "\n"
    "Copyright (C) Velmora";

TForm1::TForm1() : fw::Form("TFORM1")
{
    BindControl("Bevel1", Bevel1);
    BindControl("Label1", Label1);
    BindControl("Label2", Label2);
    BindControl("Label3", Label3);
    BindControl("Label4", Label4);
    BindControl("Label5", Label5);
    BindControl("DriveComboBox1", DriveComboBox1);
    BindControl("DirectoryListBox1", DirectoryListBox1);
    BindControl("Memo1", Memo1);
    BindControl("Button1", Button1);
    BindControl("Button2", Button2);
    BindControl("CheckBox1", CheckBox1);
    BindControl("Memo2", Memo2);
    BindControl("ComboBox1", ComboBox1);
    BindControl("CheckBox2", CheckBox2);

    BindHandler("Button1Click", &TForm1::Button1Click);
    BindHandler("K2Click", &TForm1::K2Click);
    BindHandler("Button2Click", &TForm1::Button2Click);
    BindHandler("KX2Click", &TForm1::KX2Click);
    BindHandler("bi1Click", &TForm1::bi1Click);
    BindHandler("K1Click", &TForm1::K1Click);
    BindHandler("Form1Create", &TForm1::Form1Create);
    BindHandler("Form1Close", &TForm1::Form1Close);
    BindHandler("Form1Resize", &TForm1::Form1Resize);
    BindDropHandler("WMDropFiles", &TForm1::WMDropFiles);
}

void TForm1::Button1Click()
{
    // Until the worker's first step has locked the window, Start could be clicked again.
    if (RunInProgress)
        return;
    RunInProgress = true;
    try {
        Kemlo2::Run(*this);
    } catch (...) {
        RunInProgress = false;
        throw;
    }
}

// The menu item stays enabled during a run; one run at a time drives the window.
void TForm1::K2Click()
{
    if (Button1->Enabled())
        Button1Click();
}

void TForm1::Button2Click() { StopRequest = true; }

void TForm1::KX2Click() { Close(); }

void TForm1::bi1Click() { fw::App().HelpCommand(HELP_FINDER, 0); }

void TForm1::K1Click() { fw::ShowMessage(kAboutText); }

void TForm1::Form1Create()
{
    LoadSettings(*this);
    AcceptDropsAndDeleteArguments();
}

void TForm1::Form1Close() { SaveSettings(*this); }

void TForm1::Form1Resize()
{
    const Form1Layout layout = Form1LayoutFor(Width(), Height());
    if (layout.set_height)
        SetHeight(layout.window_height);
    if (layout.set_width)
        SetWidth(layout.window_width);
    DirectoryListBox1->SetHeight(layout.list_height);
    Memo1->SetHeight(layout.list_height);
    Label4->SetTop(layout.label4_top);
    Memo2->SetTop(layout.memo2_top);
    Button1->SetTop(layout.button_top);
    Button2->SetTop(layout.button_top);
    CheckBox1->SetTop(layout.check_box1_top);
    CheckBox2->SetTop(layout.check_box2_top);
    ComboBox1->SetWidth(layout.pattern_width);
    Memo1->SetWidth(layout.pattern_width);
    Memo2->SetWidth(layout.memo2_width);
}

