#pragma once
// Real files for the search tests, made below the test's own current directory.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

inline std::wstring Wide(const std::string& ansi)
{
    wchar_t buffer[MAX_PATH * 2];
    int length = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, buffer, MAX_PATH * 2);
    return std::wstring(buffer, length > 0 ? length - 1 : 0);
}

inline void SetAttributes(const std::wstring& path, DWORD attributes)
{
    if (attributes != 0) {
        ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes)) << GetLastError();
    }
}

inline void MakeDirW(const std::wstring& path, DWORD attributes = 0)
{
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << GetLastError();
    SetAttributes(path, attributes);
}

inline void MakeFileW(const std::wstring& path, DWORD attributes = 0, const std::string& content = "")
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << GetLastError();
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    SetAttributes(path, attributes);
}

inline void MakeDir(const std::string& path, DWORD attributes = 0) { MakeDirW(Wide(path), attributes); }
inline void MakeFile(const std::string& path, DWORD attributes = 0, const std::string& content = "")
{
    MakeFileW(Wide(path), attributes, content);
}

inline std::string ReadFileA(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<cannot open>";
    }
    char buffer[256];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

// Each test works in a fresh directory named after it, and leaves the current directory
// as it found it.
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        start_ = CurrentDir();
        root_ = start_ + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        MakeDir(root_);
    }
    void TearDown() override { SetCurrentDirectoryA(start_.c_str()); }

    static std::string CurrentDir()
    {
        char buffer[MAX_PATH * 2];
        DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
        return std::string(buffer, length);
    }

    std::string start_;
    std::string root_;
};
