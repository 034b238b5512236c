#include "tests/driver/controls.h"

#include "tests/driver/text.h"
#include "tests/driver/window.h"

namespace driver {

namespace {

// One item of a combo or list box: `lengthMessage` for its length, `textMessage` for its text.
std::string ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index)
{
    const auto length = SendTimed(control, lengthMessage, index, 0);
    if (length < 0)
        return {};
    std::wstring buffer(length + 1, L'\0');
    const auto copied = SendTimed(control, textMessage, index, reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(copied < 0 ? 0 : copied);
    return ToCp932(buffer);
}

}  // namespace

HWND Item(HWND parent, int id) { return GetDlgItem(parent, id); }

RECT ItemRect(HWND control)
{
    RECT rect = WindowRect(control);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LONG Style(HWND window) { return GetWindowLongA(window, GWL_STYLE); }
LONG ExStyle(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE); }

int CheckState(HWND button) { return static_cast<int>(SendTimed(button, BM_GETCHECK, 0, 0)); }

std::vector<std::string> ComboItems(HWND combo)
{
    std::vector<std::string> items;
    const auto count = SendTimed(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        items.push_back(ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    return items;
}

int ComboSelection(HWND combo) { return static_cast<int>(SendTimed(combo, CB_GETCURSEL, 0, 0)); }

std::optional<std::vector<std::string>> ListItems(HWND list)
{
    const LONG style = Style(list);
    if ((style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) && !(style & LBS_HASSTRINGS))
        return std::nullopt;
    std::vector<std::string> items;
    const auto count = SendTimed(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        items.push_back(ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, i));
    return items;
}

int ListSelection(HWND list) { return static_cast<int>(SendTimed(list, LB_GETCURSEL, 0, 0)); }

int EditLineCount(HWND edit) { return static_cast<int>(SendTimed(edit, EM_GETLINECOUNT, 0, 0)); }

std::vector<std::string> EditLines(HWND edit)
{
    const std::string text = WindowText(edit);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace driver
