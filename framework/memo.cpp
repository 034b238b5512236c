#include "framework/memo.h"

#include "framework/error.h"

namespace fw {

std::vector<std::string> Memo::Keys() const { return CommonKeys({"read-only", "scroll-bars"}); }

void Memo::CreateWindowFor(const Properties& properties)
{
    read_only_ = properties.Bool("read-only", false);
    const std::string scroll_bars = properties.Text("scroll-bars", "both");
    if (scroll_bars != "both" && scroll_bars != "none")
        throw Exception(Name() + ": scroll-bars is both or none");
    multi_line_ = scroll_bars == "both";
    DWORD style = ES_AUTOHSCROLL | (read_only_ ? ES_READONLY : 0);
    if (multi_line_)
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL;
    MakeChild("EDIT", style, WS_EX_CLIENTEDGE);
    // Without this an edit stops taking text at 30,000 characters.
    SendMessageA(Handle(), EM_SETLIMITTEXT, 0, 0);
}

void Memo::AppendText(const std::string& text)
{
    const int end = GetWindowTextLengthA(Handle());
    SendMessageA(Handle(), EM_SETSEL, end, end);
    SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace fw
