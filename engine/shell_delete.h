#pragma once
// The list of paths handed to the shell, and the shell's delete request.

#include <string>
#include <vector>

// The paths one after another, each followed by a NUL, and one more NUL after the last.
// The buffer is sized from what it holds.
std::vector<char> DeleteList(const std::vector<std::string>& paths);

// One SHFileOperationA delete of the list: into the recycle bin unless directDelete.
// Blocks until the shell is done; returns the shell's result, which callers ignore.
int ShellDelete(const std::vector<char>& list, bool directDelete);
