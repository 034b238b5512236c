#pragma once
// Paths between the Linux side and Wine. Wine shows the whole Linux file system as drive Z:.
//
// A test that starts the program gets its Linux path from CMake:
//   target_compile_definitions(<test> PRIVATE KEMLO_EXE="$<TARGET_FILE:Kemlo>")
//   add_dependencies(<test> Kemlo)
// and then calls driver::KemloExePath().

#include <string>

namespace driver {

// "/a/b c" → "Z:\a\b c". A path that is already a Windows one comes back unchanged.
std::string WindowsPath(const std::string& linuxPath);

// Quotes one command-line argument if it needs quotes (spaces, tabs, empty).
std::string QuoteArgument(const std::string& argument);

#ifdef KEMLO_EXE
inline std::string KemloExePath() { return WindowsPath(KEMLO_EXE); }
#endif

}  // namespace driver
