#pragma once
// A registry object: one root key, at most one open key below it, typed reads and writes.

#include <windows.h>

#include <optional>
#include <string>

class Registry {
public:
    explicit Registry(HKEY root = HKEY_CURRENT_USER) : root_(root) {}
    ~Registry() { CloseKey(); }
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // Closes the open key, if any; later paths start from the new root.
    void SetRootKey(HKEY root);

    // A path with a leading "\" starts at the root key; any other starts at the open key,
    // or at the root key when none is open. Both ask for full access (KEY_ALL_ACCESS), so a
    // key that exists but grants less reads as missing. KeyExists never creates anything.
    bool KeyExists(const std::string& path) const;
    // On success the new key replaces the open one; on failure the open key stays open.
    bool OpenKey(const std::string& path, bool canCreate);
    void CloseKey();
    bool HasOpenKey() const { return key_ != nullptr; }

    // A value that is missing, of another type, or asked for with no key open reads as
    // nullopt. Integers and booleans are REG_DWORD (a boolean is true when non-zero);
    // strings are REG_SZ or REG_EXPAND_SZ (not expanded), cut at the first NUL, and a
    // string value with no data reads as empty.
    std::optional<int> ReadInteger(const std::string& name) const;
    std::optional<bool> ReadBool(const std::string& name) const;
    std::optional<std::string> ReadString(const std::string& name) const;

    // A write that fails, or is asked for with no key open, throws std::runtime_error
    // naming the value and the system error code.
    void WriteInteger(const std::string& name, int value);
    void WriteBool(const std::string& name, bool value);
    void WriteString(const std::string& name, const std::string& value);

private:
    // The key a path starts from, and the path with its leading "\" removed.
    HKEY BaseFor(const std::string& path, std::string& subPath) const;
    void Write(const std::string& name, DWORD type, const BYTE* data, DWORD size);

    HKEY root_;
    HKEY key_ = nullptr;
};
