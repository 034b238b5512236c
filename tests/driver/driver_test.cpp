#include "tests/driver/driver.h"

#include <gtest/gtest.h>

using namespace driver;

TEST(Drop, Smoke)
{
    auto child = ChildProcess::Start(WindowsPath(TARGET_WINDOW_EXE));
    HWND window = WaitForWindow({.caption = "駆動テスト", .processId = child.Id()});
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(Item(window, 101)), "名前");
    DropFiles(window, {"Z:\\a\\one.bak", "Z:\\a\\表.bak"});
    EXPECT_TRUE(WaitUntil([&] { return !WindowText(Item(window, 105)).empty(); }, 10000));
    EXPECT_EQ(EditLines(Item(window, 105)), (std::vector<std::string>{"Z:\\a\\one.bak", "Z:\\a\\表.bak"}));
    EXPECT_EQ(WindowText(Item(window, 106)), "dropped at 20,20");
}
