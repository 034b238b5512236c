#pragma once
// What the main window must hold, control by control, in definition order.

#include <windows.h>

struct ExpectedControl {
    const char* name;
    int id;
    const char* window_class;
    int left, top, width, height;   // height -1: a combo box, whose field Windows sizes
    const char* text;
    const char* hint;               // nullptr: the control shows the window's hint
    int tab_order;                  // -1: not a tab stop
    bool enabled;
    DWORD style_set;                // bits that must be set
    DWORD style_clear;              // bits that must be clear
};

inline constexpr char kWindowHint[] = "Pirovanは、ファイルを削除します";

inline const ExpectedControl kExpectedControls[] = {
    {"Bevel1", 1001, "Static", 0, 0, 482, 303, "", nullptr, -1, true, SS_OWNERDRAW, SS_NOTIFY},
    {"Label1", 1002, "Static", 176, 48, 72, 12, "削除ファイル", nullptr, -1, true, 0, SS_NOTIFY},
    {"Label2", 1003, "Static", 8, 8, 72, 12, "ドライブ設定", nullptr, -1, true, 0, SS_NOTIFY},
    {"Label3", 1004, "Static", 176, 8, 108, 12, "削除ファイル名設定", nullptr, -1, true, 0, SS_NOTIFY},
    {"Label4", 1005, "Static", 8, 216, 120, 12, "検索中ディレクトリ名", nullptr, -1, true, 0, SS_NOTIFY},
    {"Label5", 1006, "Static", 8, 48, 96, 12, "ディレクトリ設定", nullptr, -1, true, 0, SS_NOTIFY},
    {"DriveComboBox1", 1007, "ComboBox", 8, 24, 145, -1, nullptr,
     "削除するファイルのあるドライブを指定してください", 0, true, CBS_DROPDOWNLIST | WS_TABSTOP, 0},
    {"DirectoryListBox1", 1008, "ListBox", 8, 64, 145, 145, nullptr,
     "削除するファイルのあるディレクトリを指定してください", 1, true,
     LBS_OWNERDRAWFIXED | LBS_NOTIFY | WS_TABSTOP, 0},
    {"Memo1", 1009, "Edit", 176, 64, 297, 145, "", "削除されるファイルが表示されます", 2, true,
     ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP, 0},
    {"Button1", 1010, "Button", 8, 264, 75, 25, "開始(&S)", "削除ファイルの検索を開始します", 3, true,
     BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
    {"Button2", 1011, "Button", 96, 264, 75, 25, "中止(&P)", "削除ファイルの検索を中止します", 4, false,
     WS_TABSTOP, BS_DEFPUSHBUTTON},
    {"CheckBox1", 1012, "Button", 184, 256, 161, 25, "サブディレクトリ検索(&D)",
     "サブディレクトリのファイルも検索します", 5, true, BS_AUTOCHECKBOX | WS_TABSTOP, 0},
    {"Memo2", 1013, "Edit", 8, 232, 465, 17, "", "削除ファイルを検索中のディレクトリが表示されます", 6, true,
     ES_READONLY | WS_TABSTOP, ES_MULTILINE | WS_VSCROLL | WS_HSCROLL},
    {"ComboBox1", 1014, "ComboBox", 176, 24, 297, -1, "*.bak",
     "削除するファイルの名前を指定してください(ワイルドカード可)", 7, true, CBS_DROPDOWN | WS_TABSTOP, 0},
    {"CheckBox2", 1015, "Button", 184, 280, 161, 17, "ごみ箱を使用しない(&R)", "ごみ箱に入れないで直接削除します", 8,
     true, BS_AUTOCHECKBOX | WS_TABSTOP, 0},
};

struct ExpectedMenuItem {
    int id;
    int depth;
    const char* caption;   // nullptr: a disabled separator
};

inline const ExpectedMenuItem kExpectedMenu[] = {
    {2001, 0, "ファイル(&F)"}, {2002, 1, "開始(&S)"}, {2003, 1, nullptr}, {2004, 1, "終了(&X)"},
    {2005, 0, "ヘルプ(&H)"},   {2006, 1, "目次(&C)"}, {2007, 1, nullptr}, {2008, 1, "Pirovanとは(&A)"},
};

// A window size, and where the resize rule puts things for it.
struct ResizeCase {
    int width, height;                 // asked for
    int window_width, window_height;   // after the rule
    int list_height;                   // DirectoryListBox1, Memo1
    int pattern_width;                 // ComboBox1, Memo1
    int memo2_width;
    int bottom_shift;                  // how far the bottom row moved down from its design place
};

inline const ResizeCase kResizeCases[] = {
    {490, 349, 490, 349, 145, 297, 465, 0},       // the design size
    {300, 200, 362, 237, 33, 169, 337, -112},     // smaller than 362 x 237 both ways
    {300, 400, 362, 400, 196, 169, 337, 51},      // only the width limited
    {600, 449, 600, 449, 245, 407, 575, 100},
    {362, 237, 362, 237, 33, 169, 337, -112},     // exactly the limit
    {700, 200, 700, 237, 33, 507, 675, -112},     // only the height limited
};

// The about text: title line, empty, the sentence, empty, credit.
inline constexpr char kAboutTitleLine[] = "\u3000   \u3000 \u3000\u3000        Pirovan V1.10";
inline constexpr char kAboutSentence[] = "Pirovanは指定されたファイルの削除を行います。";
