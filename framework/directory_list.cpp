#include "framework/directory_list.h"

#include "framework/application.h"
#include "framework/error.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>

namespace fw {
namespace {

constexpr int kItemHeight = 16;
constexpr int kIndent = 8;

std::string WithoutTrailingSeparator(std::string path)
{
    // Only a real separator character at the end counts, never the second byte of a
    // double-byte character.
    const char* last = nullptr;
    for (const char* p = path.c_str(); *p; p = CharNextA(p))
        last = p;
    if (last && *last == '\\' && path.size() > 3)
        path.erase(last - path.c_str());
    return path;
}

void DrawFolder(HDC dc, int x, int y, bool open)
{
    // A 16 x 16 folder: a tab and a body; an open one has its front flap tilted.
    HBRUSH fill = CreateSolidBrush(RGB(240, 208, 96));
    HPEN outline = CreatePen(PS_SOLID, 1, RGB(128, 96, 0));
    HGDIOBJ old_brush = SelectObject(dc, fill);
    HGDIOBJ old_pen = SelectObject(dc, outline);
    const POINT tab[] = {{x + 1, y + 4}, {x + 2, y + 2}, {x + 6, y + 2}, {x + 7, y + 4}};
    Polygon(dc, tab, 4);
    Rectangle(dc, x + 1, y + 4, x + 14, y + 14);
    if (open) {
        HBRUSH flap = CreateSolidBrush(RGB(255, 240, 160));
        SelectObject(dc, flap);
        const POINT front[] = {{x + 3, y + 7}, {x + 16, y + 7}, {x + 13, y + 13}, {x + 1, y + 13}};
        Polygon(dc, front, 4);
        SelectObject(dc, fill);
        DeleteObject(flap);
    }
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(outline);
    DeleteObject(fill);
}

}  // namespace

std::vector<std::string> SplitPath(const std::string& path)
{
    std::vector<std::string> parts;
    std::string current;
    for (const char* p = path.c_str(); *p;) {
        const char* next = CharNextA(p);
        if (*p == '\\' && next == p + 1) {
            if (parts.empty())
                parts.push_back(current + "\\");
            else if (!current.empty())
                parts.push_back(current);
            current.clear();
        } else {
            current.append(p, next);
        }
        p = next;
    }
    if (parts.empty())
        parts.push_back(current + "\\");
    else if (!current.empty())
        parts.push_back(current);
    return parts;
}

std::vector<std::string> DirectoryList::Keys() const { return CommonKeys({"item-height"}); }

void DirectoryList::CreateWindowFor(const Properties& properties)
{
    MakeChild("LISTBOX", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
              WS_EX_CLIENTEDGE);
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, properties.Int("item-height", kItemHeight));
    SetWindowSubclass(Handle(), KeyboardProc, 0, reinterpret_cast<DWORD_PTR>(this));

    // At creation the list starts where the process is; nothing else runs yet.
    char start[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, start);
    directory_ = WithoutTrailingSeparator(start);
    Fill();
}

void DirectoryList::SetDirectory(const std::string& path)
{
    char full[MAX_PATH] = {};
    char* name = nullptr;
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, &name);
    if (length == 0 || length >= MAX_PATH)
        throw Exception("ディレクトリ " + path + " が見つかりません。");
    std::string directory = WithoutTrailingSeparator(full);
    if (directory.size() >= 2 && directory[1] == ':')
        directory[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(directory[0])));
    const DWORD attributes = GetFileAttributesA(directory.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw Exception("ディレクトリ " + directory + " が見つかりません。");
    if (!SetCurrentDirectoryA(directory.c_str()))
        ThrowLastError(directory);

    const bool other_drive = std::tolower(static_cast<unsigned char>(directory[0])) !=
                             std::tolower(static_cast<unsigned char>(directory_[0]));
    directory_ = directory;
    Fill();
    if (other_drive && on_drive_change_)
        on_drive_change_(static_cast<char>(std::tolower(static_cast<unsigned char>(directory_[0]))));
}

void DirectoryList::Fill()
{
    entries_.clear();
    const std::vector<std::string> parts = SplitPath(directory_);
    for (size_t i = 0; i < parts.size(); ++i)
        entries_.push_back({parts[i], static_cast<int>(i), true});

    std::vector<std::string> subdirectories;
    const std::string query = directory_ + (directory_.size() == 3 ? "*" : "\\*");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(query.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) && name != "." &&
                name != "..")
                subdirectories.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(subdirectories.begin(), subdirectories.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    for (const auto& name : subdirectories)
        entries_.push_back({name, static_cast<int>(parts.size()), false});

    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
    for (const auto& entry : entries_)
        SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
    SendMessageA(Handle(), LB_SETCURSEL, parts.size() - 1, 0);
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
}

std::string DirectoryList::PathOf(int index) const
{
    const Entry& entry = entries_.at(index);
    if (!entry.open)
        return directory_ + (directory_.size() == 3 ? "" : "\\") + entry.name;
    std::string path;
    for (int i = 0; i <= index; ++i)
        path += (i > 1 ? "\\" : "") + entries_[i].name;
    return path;
}

void DirectoryList::Open(int index)
{
    if (index >= 0 && index < static_cast<int>(entries_.size()))
        SetDirectory(PathOf(index));
}

void DirectoryList::OnCommand(WORD code)
{
    if (code == LBN_DBLCLK)
        Open(static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0)));
}

bool DirectoryList::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= entries_.size())
        return true;
    const Entry& entry = entries_[item.itemID];
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    const int x = area.left + 2 + entry.level * kIndent;
    const int y = area.top + (area.bottom - area.top - 16) / 2;
    DrawFolder(item.hDC, x, y, entry.open);

    RECT text = area;
    text.left = x + 20;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(item.hDC, entry.name.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &area);
    return true;
}

LRESULT CALLBACK DirectoryList::KeyboardProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                             DWORD_PTR data)
{
    // Enter opens the selected entry instead of pressing the form's default button.
    try {
        auto* self = reinterpret_cast<DirectoryList*>(data);
        if (message == WM_GETDLGCODE && lparam) {
            const MSG* pending = reinterpret_cast<const MSG*>(lparam);
            if (pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN)
                return DLGC_WANTALLKEYS;
        }
        if (message == WM_KEYDOWN && wparam == VK_RETURN) {
            self->Open(static_cast<int>(SendMessageA(hwnd, LB_GETCURSEL, 0, 0)));
            return 0;
        }
        if (message == WM_NCDESTROY)
            RemoveWindowSubclass(hwnd, KeyboardProc, 0);
    } catch (const std::exception& error) {
        App().ShowException(error);
        return 0;
    } catch (...) {
        App().ShowUnknownException();
        return 0;
    }
    return DefSubclassProc(hwnd, message, wparam, lparam);
}

}  // namespace fw
