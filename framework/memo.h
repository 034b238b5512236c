#pragma once
// A text area: multi-line with both scroll bars ("scroll-bars both") or one line
// without; optionally read-only. Its text has no length limit.

#include "framework/control.h"

namespace fw {

class Memo : public Control {
public:
    bool ReadOnly() const { return read_only_; }
    bool MultiLine() const { return multi_line_; }
    // Adds the text at the end, without replacing what is there.
    void AppendText(const std::string& text);
    void Clear() { SetText({}); }
    bool PaintsAsWindow() const override { return true; }

protected:
    std::vector<std::string> Keys() const override;
    void CreateWindowFor(const Properties& properties) override;

private:
    bool read_only_ = false;
    bool multi_line_ = true;
};

}  // namespace fw
