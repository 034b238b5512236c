#pragma once
// The plain controls: label, bevel, push button, check box.

#include "framework/control.h"

namespace fw {

// A STATIC without SS_NOTIFY: it lets the mouse fall through to the form, so the
// form's own hint shows over it.
class Label : public Control {
protected:
    std::vector<std::string> Keys() const override;
    void CreateWindowFor(const Properties& properties) override;
};

// A lowered frame; "align client" makes it follow the form's client area.
class Bevel : public Control {
public:
    bool FillsClientArea() const override { return fills_client_; }
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    std::vector<std::string> Keys() const override;
    void CreateWindowFor(const Properties& properties) override;

private:
    bool fills_client_ = false;
};

class Button : public Control {
public:
    bool IsDefault() const { return default_; }
    void Click();   // what a press does: the click handler
    void OnCommand(WORD code) override;

protected:
    std::vector<std::string> Keys() const override;
    void CreateWindowFor(const Properties& properties) override;

private:
    bool default_ = false;
    std::function<void()> on_click_;
};

class CheckBox : public Control {
public:
    bool Checked() const;
    void SetChecked(bool checked);
    void OnCommand(WORD code) override;

protected:
    std::vector<std::string> Keys() const override;
    void CreateWindowFor(const Properties& properties) override;

private:
    std::function<void()> on_click_;
};

}  // namespace fw
