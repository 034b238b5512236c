#pragma once
// The list of paths handed to the shell, and the shell's delete request.

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

// The paths one after another, each followed by a NUL, and one more NUL after the last.
// The buffer is sized from what it holds.
std::vector<char> DeleteList(const std::vector<std::string>& paths);

// The request record for one delete of the list: into the recycle bin unless directDelete.
// The record points into the list, which must outlive it.
SHFILEOPSTRUCTA DeleteRequest(const std::vector<char>& list, bool directDelete);

// One SHFileOperationA delete of the list: into the recycle bin unless directDelete.
// Blocks until the shell is done; returns the shell's result, which callers ignore.
// A list that does not end with two NULs is refused (ERROR_INVALID_PARAMETER).
int ShellDelete(const std::vector<char>& list, bool directDelete);
