#include "app/resize_rule.h"
#include "tests/window/control_table.h"

#include <gtest/gtest.h>

TEST(ResizeRule, PlacesEveryControlForEachSize)
{
    for (const ResizeCase& c : kResizeCases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const Form1Layout layout = Form1LayoutFor(c.width, c.height);
        EXPECT_EQ(layout.window_width, c.window_width);
        EXPECT_EQ(layout.window_height, c.window_height);
        EXPECT_EQ(layout.set_width, c.width != c.window_width);
        EXPECT_EQ(layout.set_height, c.height != c.window_height);
        EXPECT_EQ(layout.list_height, c.list_height);
        EXPECT_EQ(layout.pattern_width, c.pattern_width);
        EXPECT_EQ(layout.memo2_width, c.memo2_width);
        EXPECT_EQ(layout.label4_top, 216 + c.bottom_shift);
        EXPECT_EQ(layout.memo2_top, 232 + c.bottom_shift);
        EXPECT_EQ(layout.button_top, 264 + c.bottom_shift);
        EXPECT_EQ(layout.check_box1_top, 256 + c.bottom_shift);
        EXPECT_EQ(layout.check_box2_top, 280 + c.bottom_shift);
    }
}
