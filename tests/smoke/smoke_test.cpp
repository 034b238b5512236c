#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

// The tests run with code page 932, and the sources' Japanese texts become Shift-JIS.
TEST(Toolchain, JapaneseTextIsShiftJisUnderCodePage932)
{
    EXPECT_EQ(GetACP(), 932u);
    const char text[] = "表示だ";
    const unsigned char expected[] = {0x95, 0x5C, 0x8E, 0xA6, 0x82, 0xBE, 0};
    ASSERT_EQ(sizeof text, sizeof expected);
    EXPECT_EQ(std::memcmp(text, expected, sizeof text), 0);
    EXPECT_TRUE(IsDBCSLeadByte(0x95));
}
