#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
#pragma pack(pop)

const BYTE* ResourceData(const char* name, LPCSTR type, DWORD* size = nullptr)
{
    HRSRC found = FindResourceA(nullptr, name, type);
    if (!found)
        return nullptr;
    if (size)
        *size = SizeofResource(nullptr, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
}

// The palette indices of the visible pixels of one icon image, and how many are transparent.
struct Pixels {
    std::vector<int> countOfIndex = std::vector<int>(16);
    int transparent = 0;
    bool cornerTransparent = false;
};

Pixels ReadImage(WORD id, int size)
{
    Pixels pixels;
    const BYTE* data = ResourceData(MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3) /* RT_ICON */);
    if (!data)
        return pixels;
    auto header = reinterpret_cast<const BITMAPINFOHEADER*>(data);
    const BYTE* xorBits = data + header->biSize + 16 * sizeof(RGBQUAD);
    const int xorStride = (size * 4 + 31) / 32 * 4;
    const BYTE* andBits = xorBits + xorStride * size;
    const int andStride = (size + 31) / 32 * 4;
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col) {
            bool clear = andBits[row * andStride + col / 8] & (0x80 >> (col % 8));
            int index = (xorBits[row * xorStride + col / 2] >> (col % 2 ? 0 : 4)) & 0x0F;
            if (clear) {
                ++pixels.transparent;
                if (row == 0 && col == 0)  // rows are stored bottom-up: bottom left, beside the bin
                    pixels.cornerTransparent = true;
            } else {
                ++pixels.countOfIndex[index];
            }
        }
    }
    return pixels;
}

struct IconCase {
    const char* name;
    int arrowIndex;  // palette index of the arrows' colour
    int otherRedIndex;
};
const IconCase kIcons[] = {
    {"MAINICON", 9, 1},   // bright red
    {"FORM1ICON", 1, 9},  // dark red
};

TEST(Resources, EachIconHas32And16PixelImagesIn16Colours)
{
    for (const IconCase& icon : kIcons) {
        DWORD size = 0;
        auto group = reinterpret_cast<const GroupIconHeader*>(
            ResourceData(icon.name, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, &size));
        ASSERT_NE(group, nullptr) << icon.name;
        ASSERT_EQ(group->count, 2) << icon.name;
        ASSERT_GE(size, sizeof(GroupIconHeader) + 2 * sizeof(GroupIconEntry)) << icon.name;
        auto entries = reinterpret_cast<const GroupIconEntry*>(group + 1);
        std::vector<int> sizes;
        for (int i = 0; i < group->count; ++i) {
            const GroupIconEntry& e = entries[i];
            sizes.push_back(e.width);
            EXPECT_EQ(e.width, e.height) << icon.name;
            EXPECT_EQ(e.bitCount, 4) << icon.name;
            EXPECT_EQ(e.colourCount, 16) << icon.name;

            Pixels pixels = ReadImage(e.id, e.width);
            const int area = e.width * e.width;
            EXPECT_TRUE(pixels.cornerTransparent) << icon.name << " " << int(e.width);
            EXPECT_GT(pixels.transparent, area / 10) << icon.name << " " << int(e.width);
            EXPECT_LT(pixels.transparent, area / 2) << icon.name << " " << int(e.width);
            // Arrows in the icon's own red, a grey bin and a green sign.
            EXPECT_GT(pixels.countOfIndex[icon.arrowIndex], area / 40) << icon.name;
            EXPECT_EQ(pixels.countOfIndex[icon.otherRedIndex], 0) << icon.name;
            EXPECT_GT(pixels.countOfIndex[7] + pixels.countOfIndex[8], area / 8) << icon.name;
            EXPECT_GT(pixels.countOfIndex[2], 0) << icon.name;
        }
        EXPECT_EQ(sizes, (std::vector<int>{32, 16})) << icon.name;

        for (int side : {32, 16}) {
            HICON handle = static_cast<HICON>(
                LoadImageA(GetModuleHandleA(nullptr), icon.name, IMAGE_ICON, side, side, 0));
            ASSERT_NE(handle, nullptr) << icon.name << " " << side;
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(handle, &info));
            BITMAP colour{};
            GetObjectA(info.hbmColor, sizeof colour, &colour);
            EXPECT_EQ(colour.bmWidth, side) << icon.name;
            EXPECT_EQ(colour.bmHeight, side) << icon.name;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(handle);
        }
        EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), icon.name), nullptr) << icon.name;
    }
}

class VersionRecord : public testing::Test {
protected:
    void SetUp() override
    {
        char path[MAX_PATH];
        ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
        DWORD handle = 0;
        DWORD size = GetFileVersionInfoSizeA(path, &handle);
        ASSERT_GT(size, 0u);
        block.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
    }

    bool Query(const char* what, void** value, UINT* length)
    {
        return VerQueryValueA(block.data(), what, value, length);
    }

    std::vector<char> block;
};

TEST_F(VersionRecord, FileAndProductVersionAre1_10_0_0)
{
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(Query("\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    auto fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x0001000Au);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x0001000Au);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
}

TEST_F(VersionRecord, JapaneseTextsWithOnlyTheProductVersionFilledIn)
{
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(Query("\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    auto translation = static_cast<const WORD*>(value);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 932);

    const std::string block = "\\StringFileInfo\\041103A4\\";
    ASSERT_TRUE(Query((block + "ProductVersion").c_str(), &value, &length));
    EXPECT_STREQ(static_cast<const char*>(value), "1.0.0.0");
    for (const char* name : {"CompanyName", "FileDescription", "FileVersion", "InternalName",
                             "LegalCopyright", "LegalTrademarks", "OriginalFilename",
                             "ProductName", "Comments"}) {
        value = nullptr;
        length = 0;
        ASSERT_TRUE(Query((block + name).c_str(), &value, &length)) << name;
        ASSERT_NE(value, nullptr) << name;
        EXPECT_STREQ(static_cast<const char*>(value), "") << name;
    }
}

}  // namespace
