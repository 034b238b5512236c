#include "framework/controls.h"

#include "framework/error.h"

namespace fw {

std::vector<std::string> Label::Keys() const { return CommonKeys({}); }

void Label::CreateWindowFor(const Properties&) { MakeChild("STATIC", SS_LEFT | SS_NOPREFIX); }

std::vector<std::string> Bevel::Keys() const { return CommonKeys({"align"}); }

void Bevel::CreateWindowFor(const Properties& properties)
{
    const std::string align = properties.Text("align", "none");
    if (align != "client" && align != "none")
        throw Exception(Name() + ": align is client or none");
    fills_client_ = align == "client";
    // Owner-drawn, so that it paints its face and its lowered edge and nothing else.
    MakeChild("STATIC", SS_OWNERDRAW);
}

bool Bevel::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item.hDC, &area, BDR_SUNKENOUTER, BF_RECT);
    return true;
}

std::vector<std::string> Button::Keys() const { return CommonKeys({"default", "on-click"}); }

void Button::CreateWindowFor(const Properties& properties)
{
    default_ = properties.Bool("default", false);
    on_click_ = HandlerFor(properties, "on-click");
    MakeChild("BUTTON", default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void Button::Click()
{
    if (on_click_)
        on_click_();
}

void Button::OnCommand(WORD code)
{
    // A disabled button does nothing, whoever sends the click.
    if (code == BN_CLICKED && Enabled())
        Click();
}

std::vector<std::string> CheckBox::Keys() const { return CommonKeys({"checked", "on-click"}); }

void CheckBox::CreateWindowFor(const Properties& properties)
{
    on_click_ = HandlerFor(properties, "on-click");
    MakeChild("BUTTON", BS_AUTOCHECKBOX);
    SetChecked(properties.Bool("checked", false));
}

bool CheckBox::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked)
{
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::OnCommand(WORD code)
{
    if (code == BN_CLICKED && on_click_)
        on_click_();
}

}  // namespace fw
