#include "framework/registry.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A key of this test's own, removed before and after every case.
const char* const kScratch = "Software\\PirovanTests\\Registry";
const std::string kScratchFromRoot = std::string("\\") + kScratch;

class RegistryTest : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratch); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratch); }

    static bool RawKeyExists(const std::string& subPath)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, subPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    static void RawSet(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    struct Raw {
        LONG rc;
        DWORD type;
        std::vector<BYTE> data;
    };
    static Raw RawGet(const char* name)
    {
        Raw raw{ERROR_FILE_NOT_FOUND, 0, std::vector<BYTE>(20000)};
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kScratch, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return raw;
        DWORD size = static_cast<DWORD>(raw.data.size());
        raw.rc = RegQueryValueExA(key, name, nullptr, &raw.type, raw.data.data(), &size);
        raw.data.resize(raw.rc == ERROR_SUCCESS ? size : 0);
        RegCloseKey(key);
        return raw;
    }
};

TEST_F(RegistryTest, IntegersRoundTripAsSignedDwords)
{
    const int values[] = {0, 1, -1, 349, INT_MAX, INT_MIN};
    {
        Registry reg;
        ASSERT_TRUE(reg.OpenKey(kScratchFromRoot, true));
        for (int v : values)
            reg.WriteInteger("Int" + std::to_string(v), v);
    }
    Registry reg;
    ASSERT_TRUE(reg.OpenKey(kScratchFromRoot, false));
    for (int v : values) {
        std::string name = "Int" + std::to_string(v);
        EXPECT_EQ(reg.ReadInteger(name), v) << name;
        Raw raw = RawGet(name.c_str());
        ASSERT_EQ(raw.rc, ERROR_SUCCESS) << name;
        EXPECT_EQ(raw.type, static_cast<DWORD>(REG_DWORD)) << name;
        ASSERT_EQ(raw.data.size(), 4u) << name;
        EXPECT_EQ(*reinterpret_cast<const DWORD*>(raw.data.data()), static_cast<DWORD>(v)) << name;
    }
}

TEST_F(RegistryTest, BooleansAreStoredAsOneAndZero)
{
    {
        Registry reg;
        ASSERT_TRUE(reg.OpenKey(kScratchFromRoot, true));
        reg.WriteBool("Yes", true);
        reg.WriteBool("No", false);
    }
    for (auto [name, stored] : {std::pair{"Yes", 1u}, std::pair{"No", 0u}}) {
        Raw raw = RawGet(name);
        ASSERT_EQ(raw.rc, ERROR_SUCCESS) << name;
        EXPECT_EQ(raw.type, static_cast<DWORD>(REG_DWORD)) << name;
        ASSERT_EQ(raw.data.size(), 4u) << name;
        EXPECT_EQ(*reinterpret_cast<const DWORD*>(raw.data.data()), stored) << name;
    }
    Registry reg;
    ASSERT_TRUE(reg.OpenKey(kScratchFromRoot, false));
    EXPECT_EQ(reg.ReadBool("Yes"), true);
    EXPECT_EQ(reg.ReadBool("No"), false);
    // Any non-zero integer reads as true.
    DWORD seven = 7;
    RawSet("Seven", REG_DWORD, &seven, sizeof seven);
    EXPECT_EQ(reg.ReadBool("Seven"), true);
}

TEST_F(RegistryTest, StringsRoundTripInShiftJisAndAnyLength)
{
    const std::vector<std::string> values = {
        "", "*.bak", "c", "C:\\表\\x.bak", "ソフト 能力", std::string(10000, 'x') + "end"};
    {
        Registry reg;
        ASSERT_TRUE(reg.OpenKey(kScratchFromRoot, true));
        for (size_t i = 0; i < values.size(); ++i)
            reg.WriteString("Str" + std::to_string(i), values[i]);
    }
    Registry reg;
    ASSERT_TRUE(reg.OpenKey(kScratchFromRoot, false));
    for (size_t i = 0; i < values.size(); ++i) {
        std::string name = "Str" + std::to_string(i);
        EXPECT_EQ(reg.ReadString(name), values[i]) << name;
        Raw raw = RawGet(name.c_str());
        ASSERT_EQ(raw.rc, ERROR_SUCCESS) << name;
        EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ)) << name;
        // Stored with its terminating NUL, as other programs expect of REG_SZ.
        EXPECT_EQ(raw.data.size(), values[i].size() + 1) << name;
    }
}

// Values put there by someone else: what each read makes of them.
TEST_F(RegistryTest, MissingAndForeignValuesReadAsAbsentOrAsTheirText)
{
    const DWORD dword = 5;
    const unsigned long long qword = 5;
    const BYTE binary4[] = {5, 0, 0, 0};
    const char digits[] = "5";
    const char noNul[] = {'a', 'b', 'c'};
    const char expand[] = "%TEMP%\\x";
    const char multi[] = "a\0b\0";
    const char embeddedNul[] = "ab\0cd";
    RawSet("Dword", REG_DWORD, &dword, sizeof dword);
    RawSet("Qword", REG_QWORD, &qword, sizeof qword);
    RawSet("Binary4", REG_BINARY, binary4, sizeof binary4);
    RawSet("Digits", REG_SZ, digits, sizeof digits);
    RawSet("EmptyNoData", REG_SZ, nullptr, 0);
    RawSet("NoNul", REG_SZ, noNul, sizeof noNul);
    RawSet("Expand", REG_EXPAND_SZ, expand, sizeof expand);
    RawSet("Multi", REG_MULTI_SZ, multi, sizeof multi);
    RawSet("EmbeddedNul", REG_SZ, embeddedNul, sizeof embeddedNul);

    struct Case {
        const char* name;
        std::optional<int> integer;
        std::optional<std::string> string;
    };
    const Case cases[] = {
        {"Missing", std::nullopt, std::nullopt},
        {"Dword", 5, std::nullopt},
        {"Qword", std::nullopt, std::nullopt},
        {"Binary4", std::nullopt, std::nullopt},
        {"Digits", std::nullopt, "5"},
        {"EmptyNoData", std::nullopt, ""},
        {"NoNul", std::nullopt, "abc"},
        {"Expand", std::nullopt, "%TEMP%\\x"},
        {"Multi", std::nullopt, std::nullopt},
        {"EmbeddedNul", std::nullopt, "ab"},
    };
    Registry reg;
    ASSERT_TRUE(reg.OpenKey(kScratchFromRoot, false));
    for (const Case& c : cases) {
        EXPECT_EQ(reg.ReadInteger(c.name), c.integer) << c.name;
        EXPECT_EQ(reg.ReadBool(c.name).has_value(), c.integer.has_value()) << c.name;
        EXPECT_EQ(reg.ReadString(c.name), c.string) << c.name;
    }
}

TEST_F(RegistryTest, KeyExistsNeverCreatesAndOpenWithoutCreateFails)
{
    const std::string absent = kScratchFromRoot + "\\Absent";
    Registry reg;
    EXPECT_FALSE(reg.KeyExists(absent));
    EXPECT_FALSE(RawKeyExists(std::string(kScratch) + "\\Absent"));
    EXPECT_FALSE(RawKeyExists(kScratch));

    EXPECT_FALSE(reg.OpenKey(absent, false));
    EXPECT_FALSE(reg.HasOpenKey());
    EXPECT_FALSE(RawKeyExists(kScratch));

    ASSERT_TRUE(reg.OpenKey(absent, true));
    EXPECT_TRUE(RawKeyExists(std::string(kScratch) + "\\Absent"));
    EXPECT_TRUE(reg.KeyExists(absent));
    // The path without its leading "\" names the same key when no key is open.
    Registry other;
    EXPECT_TRUE(other.KeyExists(std::string(kScratch) + "\\Absent"));
}

TEST_F(RegistryTest, PathsWithoutLeadingBackslashStartAtTheOpenKey)
{
    Registry reg;
    ASSERT_TRUE(reg.OpenKey(kScratchFromRoot, true));
    ASSERT_TRUE(reg.OpenKey("Child", true));
    EXPECT_TRUE(RawKeyExists(std::string(kScratch) + "\\Child"));
    reg.WriteInteger("InChild", 3);

    // A failed open keeps the key that was open.
    EXPECT_FALSE(reg.OpenKey("\\Software\\PirovanTests\\Registry\\Nowhere", false));
    ASSERT_TRUE(reg.HasOpenKey());
    EXPECT_EQ(reg.ReadInteger("InChild"), 3);

    ASSERT_TRUE(reg.OpenKey(kScratchFromRoot, false));
    EXPECT_EQ(reg.ReadInteger("InChild"), std::nullopt);
    EXPECT_TRUE(reg.KeyExists("Child"));
    EXPECT_FALSE(reg.KeyExists("Registry"));
}

std::string WriteError(Registry& reg, const std::string& name)
{
    try {
        reg.WriteString(name, "value");
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

TEST_F(RegistryTest, WithNoKeyOpenReadsAreAbsentAndWritesThrow)
{
    Registry reg;
    EXPECT_EQ(reg.ReadInteger("OldF1Top"), std::nullopt);
    EXPECT_EQ(reg.ReadString("OldDir"), std::nullopt);
    EXPECT_NE(WriteError(reg, "OldDir").find("\"OldDir\""), std::string::npos);
    EXPECT_THROW(reg.WriteInteger("OldF1Top", 1), std::runtime_error);
    EXPECT_THROW(reg.WriteBool("DirCheck", true), std::runtime_error);

    ASSERT_TRUE(reg.OpenKey(kScratchFromRoot, true));
    reg.CloseKey();
    EXPECT_FALSE(reg.HasOpenKey());
    EXPECT_THROW(reg.WriteInteger("OldF1Top", 1), std::runtime_error);
}

TEST_F(RegistryTest, WriteIntoAKeyDeletedMeanwhileThrowsNamingTheValue)
{
    Registry reg;
    ASSERT_TRUE(reg.OpenKey(kScratchFromRoot, true));
    reg.WriteInteger("Before", 1);
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, kScratch), ERROR_SUCCESS);

    std::string message = WriteError(reg, "OldDir");
    EXPECT_NE(message.find("\"OldDir\""), std::string::npos) << message;
    EXPECT_NE(message.find(std::to_string(ERROR_KEY_DELETED)), std::string::npos) << message;
    EXPECT_THROW(reg.WriteInteger("OldF1Top", 1), std::runtime_error);
    EXPECT_THROW(reg.WriteBool("DirCheck", false), std::runtime_error);
    EXPECT_FALSE(RawKeyExists(kScratch));
}

TEST_F(RegistryTest, ChangingTheRootClosesTheKeyAndPathsFollowTheNewRoot)
{
    ASSERT_TRUE(Registry().OpenKey(kScratchFromRoot + "\\Sub", true));
    HKEY scratch = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kScratch, 0, KEY_ALL_ACCESS, &scratch),
              ERROR_SUCCESS);
    {
        Registry reg;
        ASSERT_TRUE(reg.OpenKey(kScratchFromRoot, false));
        reg.SetRootKey(scratch);
        EXPECT_FALSE(reg.HasOpenKey());
        EXPECT_TRUE(reg.KeyExists("\\Sub"));
        EXPECT_FALSE(reg.KeyExists(kScratchFromRoot));
    }
    RegCloseKey(scratch);
}

}  // namespace
