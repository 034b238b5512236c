// Which path a dropped item is handed to the shell by, and the command-line paths as the
// window receives them. The drops are built here as the shell builds them, with wide names.

#include "app/immediate_delete.h"
#include "engine/shell_delete.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

std::wstring CurrentDirW()
{
    wchar_t buffer[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, buffer);
    return buffer;
}

std::string CurrentDirA()
{
    char buffer[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

// Long paths go through the \\?\ form, which has no MAX_PATH limit.
std::wstring Extended(const std::wstring& path) { return L"\\\\?\\" + path; }

void MakeFileW(const std::wstring& path, const std::string& contents)
{
    HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << GetLastError();
    DWORD written = 0;
    WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(file);
}

std::optional<std::string> ContentsA(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    char buffer[256];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

// A drop as the shell makes it: a DROPFILES header, then the names, each with its NUL, and
// one more NUL; wide names unless the ANSI ones are given.
class Drop {
public:
    explicit Drop(const std::vector<std::wstring>& names)
    {
        std::vector<BYTE> names_bytes;
        for (const std::wstring& name : names) {
            const BYTE* bytes = reinterpret_cast<const BYTE*>(name.c_str());
            names_bytes.insert(names_bytes.end(), bytes, bytes + (name.size() + 1) * sizeof(wchar_t));
        }
        names_bytes.insert(names_bytes.end(), sizeof(wchar_t), 0);
        Make(names_bytes, true);
    }
    explicit Drop(const std::vector<std::string>& names)
    {
        std::vector<BYTE> names_bytes;
        for (const std::string& name : names)
            names_bytes.insert(names_bytes.end(), name.c_str(), name.c_str() + name.size() + 1);
        names_bytes.push_back(0);
        Make(names_bytes, false);
    }
    ~Drop() { DragFinish(drop_); }
    Drop(const Drop&) = delete;
    Drop& operator=(const Drop&) = delete;

    HDROP Handle() const { return drop_; }

private:
    void Make(const std::vector<BYTE>& names, bool wide)
    {
        HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
        auto* header = static_cast<DROPFILES*>(GlobalLock(block));
        header->pFiles = sizeof(DROPFILES);
        header->fWide = wide;
        std::memcpy(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES), names.data(), names.size());
        GlobalUnlock(block);
        drop_ = static_cast<HDROP>(block);
    }

    HDROP drop_ = nullptr;
};

std::optional<std::string> PathOf(HDROP drop, UINT index)
{
    std::string path;
    if (!DroppedPath(drop, index, path))
        return std::nullopt;
    return path;
}

}  // namespace

// Whatever path an item is handed over by, it names that item: a look-alike would be another
// file that exists too, a cut name a shorter one.
TEST(DroppedPath, NamesTheDroppedItemOrNothing)
{
    const std::wstring here = CurrentDirW();
    // 60 characters a step: five steps take the path past the 254 the ANSI name may have.
    const std::wstring step(60, L'd');
    std::wstring deep = here;
    for (int i = 0; i < 5; ++i) {
        deep += L"\\" + step;
        ASSERT_TRUE(CreateDirectoryW(Extended(deep).c_str(), nullptr)) << GetLastError();
    }
    // The look-alikes and the cut name exist as files of their own.
    MakeFileW(here + L"\\plain.bak", "plain");
    MakeFileW(here + L"\\caf\u00e9.bak", "accented");
    MakeFileW(here + L"\\cafe.bak", "look-alike");
    MakeFileW(here + L"\\\ud55c\uad6d.bak", "hangul");
    MakeFileW(here + L"\\\u8868.bak", "shift-jis");
    MakeFileW(deep + L"\\long.bak", "deep");

    const struct {
        std::wstring name;
        std::optional<std::string> contents;  // of what the path names; nothing: no path
    } cases[] = {
        {here + L"\\plain.bak", "plain"},
        {here + L"\\\u8868.bak", "shift-jis"},  // 表 carries over, its 0x5C trail byte too
        {here + L"\\caf\u00e9.bak", "accented"},
        {here + L"\\\ud55c\uad6d.bak", "hangul"},
        {deep + L"\\long.bak", "deep"},
        {here + L"\\caf\u00e9-gone.bak", std::nullopt},  // no short path to fall back on
        {here + L"\\\ud55c-gone.bak", std::nullopt},
    };
    for (const auto& c : cases) {
        Drop drop({c.name});
        const std::optional<std::string> path = PathOf(drop.Handle(), 0);
        ASSERT_EQ(path.has_value(), c.contents.has_value()) << path.value_or("(none)");
        if (!path)
            continue;
        EXPECT_LT(path->size(), kDroppedNameChars) << *path;
        EXPECT_EQ(ContentsA(*path), c.contents) << *path;
    }
}

TEST(DroppedPath, ExactNamesComeAsGivenAndWildcardsNever)
{
    const std::string here = CurrentDirA();
    // 表 is 95 5C and ソ is 83 5C: the trail bytes are no separators.
    const std::vector<std::string> names = {here + "\\表ソ.bak", here + "\\a b.bak", here + "\\x?.bak",
                                            here + "\\*.bak"};
    Drop drop(names);
    ASSERT_EQ(DragQueryFileA(drop.Handle(), 0xFFFFFFFF, nullptr, 0), 4u);
    EXPECT_EQ(PathOf(drop.Handle(), 0), names[0]);
    EXPECT_EQ(PathOf(drop.Handle(), 1), names[1]);
    EXPECT_EQ(PathOf(drop.Handle(), 2), std::nullopt);
    EXPECT_EQ(PathOf(drop.Handle(), 3), std::nullopt);
    EXPECT_EQ(PathOf(drop.Handle(), 4), std::nullopt);  // past the last
}

TEST(CommandLinePaths, AreMadeAbsoluteWhenTakenAndTooLongOnesLeftOut)
{
    const std::string here = CurrentDirA();
    // 259 bytes fill a path slot with its NUL; one more is too long for any ANSI call.
    const std::string longest = "Z:\\" + std::string(256, 'x');
    const std::string too_long = longest + "x";
    TakeCommandLinePaths({"rel.bak", "sub\\..\\表.bak", too_long, "C:\\abs.bak", longest, longest});
    // Where the settings load would move the current directory.
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    const std::vector<std::string> expected = {here + "\\rel.bak", here + "\\表.bak", "C:\\abs.bak", longest,
                                               longest};
    EXPECT_EQ(CommandLinePaths(), expected);
    SetCurrentDirectoryA(here.c_str());

    // Two full slots and the final NUL: one byte more than 260 per path, and all in the list.
    const std::vector<char> list = DeleteList(CommandLinePaths());
    std::size_t expected_size = 1;
    for (const std::string& path : expected)
        expected_size += path.size() + 1;
    ASSERT_EQ(list.size(), expected_size);
    EXPECT_EQ(std::string(list.data() + list.size() - longest.size() - 2), longest);
    EXPECT_EQ(list[list.size() - 1], '\0');

    TakeCommandLinePaths({});
    EXPECT_TRUE(CommandLinePaths().empty());
}
