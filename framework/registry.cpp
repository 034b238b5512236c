#include "framework/registry.h"

#include <stdexcept>
#include <vector>

void Registry::SetRootKey(HKEY root)
{
    CloseKey();
    root_ = root;
}

HKEY Registry::BaseFor(const std::string& path, std::string& subPath) const
{
    if (!path.empty() && path[0] == '\\') {
        subPath = path.substr(1);
        return root_;
    }
    subPath = path;
    return key_ ? key_ : root_;
}

bool Registry::KeyExists(const std::string& path) const
{
    std::string subPath;
    HKEY base = BaseFor(path, subPath);
    HKEY probe = nullptr;
    if (RegOpenKeyExA(base, subPath.c_str(), 0, KEY_ALL_ACCESS, &probe) != ERROR_SUCCESS)
        return false;
    RegCloseKey(probe);
    return true;
}

bool Registry::OpenKey(const std::string& path, bool canCreate)
{
    std::string subPath;
    HKEY base = BaseFor(path, subPath);
    HKEY opened = nullptr;
    LONG rc = canCreate
        ? RegCreateKeyExA(base, subPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &opened, nullptr)
        : RegOpenKeyExA(base, subPath.c_str(), 0, KEY_ALL_ACCESS, &opened);
    if (rc != ERROR_SUCCESS)
        return false;
    CloseKey();
    key_ = opened;
    return true;
}

void Registry::CloseKey()
{
    if (key_) {
        RegCloseKey(key_);
        key_ = nullptr;
    }
}

std::optional<int> Registry::ReadInteger(const std::string& name) const
{
    if (!key_)
        return std::nullopt;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                               reinterpret_cast<BYTE*>(&data), &size);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data)
        return std::nullopt;
    return static_cast<int>(data);
}

std::optional<bool> Registry::ReadBool(const std::string& name) const
{
    std::optional<int> value = ReadInteger(name);
    if (!value)
        return std::nullopt;
    return *value != 0;
}

std::optional<std::string> Registry::ReadString(const std::string& name) const
{
    if (!key_)
        return std::nullopt;
    // The value may grow between asking its size and reading it; then ask again.
    for (;;) {
        DWORD type = 0;
        DWORD size = 0;
        LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size);
        if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        // One byte more than asked for, so that data stored without its NUL ends too.
        std::vector<char> buffer(size + 1, '\0');
        DWORD got = size;
        rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (rc == ERROR_MORE_DATA)
            continue;
        if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        return std::string(buffer.data());
    }
}

void Registry::Write(const std::string& name, DWORD type, const BYTE* data, DWORD size)
{
    LONG rc = key_ ? RegSetValueExA(key_, name.c_str(), 0, type, data, size)
                   : static_cast<LONG>(ERROR_INVALID_HANDLE);
    if (rc != ERROR_SUCCESS)
        throw std::runtime_error("レジストリの値 \"" + name + "\" を書き込めませんでした。(エラー "
                                 + std::to_string(rc) + ")");
}

void Registry::WriteInteger(const std::string& name, int value)
{
    DWORD data = static_cast<DWORD>(value);
    Write(name, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

void Registry::WriteBool(const std::string& name, bool value)
{
    WriteInteger(name, value ? 1 : 0);
}

void Registry::WriteString(const std::string& name, const std::string& value)
{
    Write(name, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
          static_cast<DWORD>(value.size() + 1));
}
