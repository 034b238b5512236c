#include "framework/hints.h"

#include "framework/error.h"

#include <commctrl.h>

namespace fw {
namespace {

constexpr UINT_PTR kFormTool = 1;

}  // namespace

Hints::~Hints()
{
    if (tooltip_)
        DestroyWindow(tooltip_);
}

void Hints::Create(HWND form, HFONT font)
{
    form_ = form;
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (!tooltip_)
        ThrowLastError("cannot create the hints");
    SendMessageA(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void Hints::AddWindow(HWND window, const std::string& text)
{
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = form_;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Hints::SetFormHint(const std::string& text)
{
    form_hint_ = text;
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = form_;
    tool.uId = kFormTool;
    tool.lpszText = const_cast<char*>(form_hint_.c_str());
    GetClientRect(form_, &tool.rect);
    SendMessageA(tooltip_, has_form_tool_ ? TTM_UPDATETIPTEXTA : TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    has_form_tool_ = true;
}

void Hints::FollowClientArea()
{
    if (!has_form_tool_)
        return;
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = form_;
    tool.uId = kFormTool;
    GetClientRect(form_, &tool.rect);
    SendMessageA(tooltip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Hints::SetActive(bool active) { SendMessageA(tooltip_, TTM_ACTIVATE, active ? TRUE : FALSE, 0); }

}  // namespace fw
