#pragma once
// The program's settings key under HKEY_CURRENT_USER, for fixtures and checks.
// A value of another type than asked for reads as absent.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace driver {

constexpr char kPirovanKey[] = "Software\\Velmora\\Pirovan";

std::optional<DWORD> ReadDword(const std::string& name, const std::string& key = kPirovanKey);
std::optional<std::string> ReadString(const std::string& name, const std::string& key = kPirovanKey);
std::vector<std::string> ValueNames(const std::string& key = kPirovanKey);

// Create the key if needed; throw Error on failure.
void WriteDword(const std::string& name, DWORD value, const std::string& key = kPirovanKey);
void WriteString(const std::string& name, const std::string& value,
                 const std::string& key = kPirovanKey);

bool KeyExists(const std::string& key = kPirovanKey);
// Deletes the key with everything under it; true if it is gone (or never was).
bool DeleteKeyTree(const std::string& key = kPirovanKey);

}  // namespace driver
