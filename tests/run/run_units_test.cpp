// The trailing-separator removal of a run, the pattern history and the batched display.
#include "app/pattern_history.h"
#include "app/run_display.h"
#include "engine/Kemlo2.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

TEST(WithoutTrailingSeparator, CutsOnlyARealSeparator)
{
    ASSERT_EQ(GetACP(), 932u) << "the prefix must run in code page 932";
    const std::string hyou = "表";  // 95 5C: its second byte is the value of '\'
    ASSERT_EQ(hyou, "\x95\x5C");
    struct Case {
        std::string in, out;
    } cases[] = {
        {"C:\\", "C:"},
        {"C:\\DATA", "C:\\DATA"},
        {"C:\\DATA\\", "C:\\DATA"},
        {"C:\\" + hyou, "C:\\" + hyou},
        {"C:\\" + hyou + "\\", "C:\\" + hyou},
        {"C:\\a" + hyou, "C:\\a" + hyou},
        {"C:\\" + hyou + hyou, "C:\\" + hyou + hyou},
        {"C:\\DATA\\\\", "C:\\DATA\\"},  // one character only
        {"\\", ""},
        {"", ""},
        {"\\\\server\\share\\", "\\\\server\\share"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithoutTrailingSeparator(c.in), c.out) << "input: " << c.in;
}

namespace {

using Slots = std::array<std::string, PatternHistory::SlotCount>;

PatternHistory WithSlots(const Slots& slots)
{
    PatternHistory history;
    history.Slots = slots;
    return history;
}

const Slots kFull = {"h", "h", "g", "f", "e", "d", "c", "b", "a"};

}  // namespace

TEST(PatternHistory, RecordsAsTheTableSays)
{
    struct Case {
        const char* what;
        Slots before;
        bool onClose;
        std::string pattern;
        Slots after;
    } cases[] = {
        {"new pattern goes to the head", {"C", "A", "B", "C"}, false, "D", {"D", "D", "A", "B", "C"}},
        {"a listed pattern changes nothing, not even slot 0", {"C", "A", "B", "C"}, false, "B",
         {"C", "A", "B", "C"}},
        {"into an empty history", {}, false, "*.bak", {"*.bak", "*.bak"}},
        {"a full list drops slot 8", kFull, false, "i", {"i", "i", "h", "g", "f", "e", "d", "c", "b"}},
        {"comparison is case-sensitive", {"*.bak", "*.bak"}, false, "*.BAK",
         {"*.BAK", "*.BAK", "*.bak"}},
        {"entries behind a free slot move down too", {"x", "A", "", "B"}, false, "N",
         {"N", "N", "A", "", "B"}},
        {"the entry in a hidden slot still counts as listed", {"x", "A", "", "B"}, false, "B",
         {"x", "A", "", "B"}},
        {"an empty pattern is never recorded", kFull, false, "", kFull},
        {"close with a new text records it", {"A", "A", "B"}, true, "N", {"N", "N", "A", "B"}},
        {"close with a listed text sets slot 0 only", {"A", "A", "B"}, true, "B", {"B", "A", "B"}},
        {"close with an empty text and a free slot", {"A", "A", "B"}, true, "", {"", "A", "B"}},
        {"close with an empty text and a full list keeps the list", kFull, true, "",
         {"", "h", "g", "f", "e", "d", "c", "b", "a"}},
    };
    for (const Case& c : cases) {
        PatternHistory history = WithSlots(c.before);
        if (c.onClose)
            history.RecordOnClose(c.pattern);
        else
            history.RecordPattern(c.pattern);
        EXPECT_EQ(history.Slots, c.after) << c.what;
    }
}

TEST(PatternHistory, ListEndsAtTheFirstFreeSlot)
{
    EXPECT_EQ(WithSlots({"z", "A", "B", "", "C"}).ListEntries(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(WithSlots({"z"}).ListEntries(), std::vector<std::string>{});
    EXPECT_EQ(WithSlots(kFull).ListEntries(),
              (std::vector<std::string>{"h", "g", "f", "e", "d", "c", "b", "a"}));
}

namespace {

// The two areas as text, and every write made to them.
struct FakeMemos {
    std::string dir, list;
    std::vector<std::string> writes;

    RunDisplay::Sinks Sinks()
    {
        return {
            [this](const std::string& text) { dir = text; writes.push_back("dir=" + text); },
            [this](const std::string& text) { list = text; writes.push_back("set=" + text); },
            [this](const std::string& text) { list += text; writes.push_back("append=" + text); },
        };
    }
};

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\r\n" : "") + lines[i];
    return text;
}

}  // namespace

TEST(RunDisplay, ManyMatchesGoOutInOneAppendPerTick)
{
    FakeMemos memos;
    RunDisplay display(memos.Sinks());
    std::vector<std::string> list;
    for (int i = 0; i < 20000; ++i) {
        list.push_back("C:\\dir\\file" + std::to_string(i) + ".bak");
        display.ShowDir("C:\\dir");
        display.ShowList(list);
    }
    display.Tick();
    ASSERT_EQ(memos.writes.size(), 2u);
    EXPECT_EQ(memos.writes[0], "dir=C:\\dir");
    EXPECT_EQ(memos.list, Joined(list));
    EXPECT_EQ(memos.writes[1].rfind("append=", 0), 0u);

    // Two more lines: one append that starts on a new line; the same directory is not rewritten.
    list.push_back("C:\\dir\\x.bak");
    list.push_back("C:\\dir\\y.bak");
    display.ShowDir("C:\\dir");
    display.ShowList(list);
    display.Flush();
    ASSERT_EQ(memos.writes.size(), 3u);
    EXPECT_EQ(memos.writes[2], "append=\r\nC:\\dir\\x.bak\r\nC:\\dir\\y.bak");
    EXPECT_EQ(memos.list, Joined(list));

    // Nothing recorded: a tick writes nothing.
    display.Tick();
    EXPECT_EQ(memos.writes.size(), 3u);
}

TEST(RunDisplay, RewritesWholeAfterClearedOrAListThatDoesNotContinue)
{
    FakeMemos memos;
    RunDisplay display(memos.Sinks());
    display.ShowDir("C:\\a");
    display.ShowList({"C:\\a\\1", "C:\\a\\2"});
    display.Tick();
    EXPECT_EQ(memos.list, "C:\\a\\1\r\nC:\\a\\2");

    // Someone empties both areas (a new run's settings, a drop): nothing is written back
    // until something new is recorded, and then the list is written whole.
    memos.list.clear();
    memos.dir.clear();
    std::size_t before = memos.writes.size();
    display.Cleared();
    display.Tick();
    EXPECT_EQ(memos.writes.size(), before);
    display.ShowDir("C:\\a");
    display.ShowList({"C:\\a\\3"});
    display.Tick();
    EXPECT_EQ(memos.dir, "C:\\a");
    EXPECT_EQ(memos.list, "C:\\a\\3");
    EXPECT_EQ(memos.writes.back(), "set=C:\\a\\3");

    // A shorter list, and one of the same length with another last line, are rewritten.
    display.ShowList({"C:\\a\\3", "C:\\a\\4", "C:\\a\\5"});
    display.Tick();
    display.ShowList({"C:\\b\\1"});
    display.Tick();
    EXPECT_EQ(memos.list, "C:\\b\\1");
    EXPECT_EQ(memos.writes.back(), "set=C:\\b\\1");
    display.ShowList({"C:\\c\\1"});
    display.Tick();
    EXPECT_EQ(memos.list, "C:\\c\\1");

    // A list that shrank and grew again between two ticks is still written whole.
    display.ShowList({"C:\\c\\1", "C:\\c\\2"});
    display.ShowList({"C:\\d\\1"});
    display.ShowList({"C:\\d\\1", "C:\\d\\2"});
    display.Tick();
    EXPECT_EQ(memos.list, "C:\\d\\1\r\nC:\\d\\2");
}

TEST(RunDisplay, DirectoryLineShowsTheLastDirectory)
{
    FakeMemos memos;
    RunDisplay display(memos.Sinks());
    display.ShowDir("C:\\a\\b");
    display.ShowDir("C:\\a");
    display.ShowDir("C:\\");
    display.Tick();
    EXPECT_EQ(memos.writes, std::vector<std::string>{"dir=C:\\"});
    display.ShowDir("C:\\x");
    display.ShowDir("C:\\");
    display.Tick();
    EXPECT_EQ(memos.writes.size(), 1u);  // back where it was: no write
}
