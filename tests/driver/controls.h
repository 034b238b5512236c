#pragma once
// Reading the controls of another process's window, found by their IDs. Every text is read
// with the W form of its message (the ANSI forms come back cut across processes) and
// converted to code page 932. WindowText (window.h) reads a control's own text, and a
// drop-down combo box's edit text.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace driver {

HWND Item(HWND parent, int id);  // nullptr if there is none

// The control's rectangle in its parent's client coordinates.
RECT ItemRect(HWND control);
LONG Style(HWND window);
LONG ExStyle(HWND window);

int CheckState(HWND button);  // BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE

std::vector<std::string> ComboItems(HWND combo);
int ComboSelection(HWND combo);  // CB_ERR if none

// Nothing for an owner-drawn list box without LBS_HASSTRINGS: its items hold no text.
std::optional<std::vector<std::string>> ListItems(HWND list);
int ListSelection(HWND list);  // LB_ERR if none

int EditLineCount(HWND edit);  // EM_GETLINECOUNT: lines as laid out, wrapping included
// The edit's text split at its line breaks (CR LF); a trailing break gives no empty line.
std::vector<std::string> EditLines(HWND edit);

}  // namespace driver
