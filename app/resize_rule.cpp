#include "app/resize_rule.h"

namespace {

// The design size, the reference of the rule.
constexpr int kDesignWidth = 490;
constexpr int kDesignHeight = 349;
constexpr int kMinDeltaWidth = -128;    // 362 wide at least
constexpr int kMinDeltaHeight = -112;   // 237 high at least

}  // namespace

Form1Layout Form1LayoutFor(int window_width, int window_height)
{
    Form1Layout layout;
    int dh = window_height - kDesignHeight;
    int dw = window_width - kDesignWidth;
    layout.window_width = window_width;
    layout.window_height = window_height;
    if (dh < kMinDeltaHeight) {
        layout.set_height = true;
        layout.window_height = kDesignHeight + kMinDeltaHeight;
        dh = kMinDeltaHeight;
    }
    if (dw < kMinDeltaWidth) {
        layout.set_width = true;
        layout.window_width = kDesignWidth + kMinDeltaWidth;
        dw = kMinDeltaWidth;
    }
    layout.list_height = 145 + dh;
    layout.label4_top = 216 + dh;
    layout.memo2_top = 232 + dh;
    layout.button_top = 264 + dh;
    layout.check_box1_top = 256 + dh;
    layout.check_box2_top = 280 + dh;
    layout.pattern_width = 297 + dw;
    layout.memo2_width = 465 + dw;
    return layout;
}
