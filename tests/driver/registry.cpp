#include "tests/driver/registry.h"

#include "tests/driver/error.h"

namespace driver {

namespace {

class Key {
public:
    Key(const std::string& path, bool create)
    {
        const LONG status = create
            ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                              nullptr, &key_, nullptr)
            : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key_);
        if (status != ERROR_SUCCESS)
            key_ = nullptr;
        if (!key_ && create) {
            SetLastError(status);
            ThrowLastError("RegCreateKeyEx " + path);
        }
    }
    ~Key()
    {
        if (key_)
            RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

void Check(LONG status, const std::string& what)
{
    if (status != ERROR_SUCCESS) {
        SetLastError(status);
        ThrowLastError(what);
    }
}

}  // namespace

std::optional<DWORD> ReadDword(const std::string& name, const std::string& key)
{
    Key open(key, false);
    DWORD type = 0, value = 0, size = sizeof value;
    if (!open.get() ||
        RegQueryValueExA(open.get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return value;
}

std::optional<std::string> ReadString(const std::string& name, const std::string& key)
{
    Key open(key, false);
    DWORD type = 0, size = 0;
    if (!open.get() ||
        RegQueryValueExA(open.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::string value(size, '\0');
    if (RegQueryValueExA(open.get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(value.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.resize(size);
    while (!value.empty() && value.back() == '\0')
        value.pop_back();
    return value;
}

std::vector<std::string> ValueNames(const std::string& key)
{
    std::vector<std::string> names;
    Key open(key, false);
    if (!open.get())
        return names;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD length = sizeof name;
        if (RegEnumValueA(open.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

void WriteDword(const std::string& name, DWORD value, const std::string& key)
{
    Key open(key, true);
    Check(RegSetValueExA(open.get(), name.c_str(), 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&value), sizeof value),
          "RegSetValueEx " + name);
}

void WriteString(const std::string& name, const std::string& value, const std::string& key)
{
    Key open(key, true);
    Check(RegSetValueExA(open.get(), name.c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1)),
          "RegSetValueEx " + name);
}

bool KeyExists(const std::string& key) { return Key(key, false).get() != nullptr; }

bool DeleteKeyTree(const std::string& key)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    return !KeyExists(key);
}

}  // namespace driver
