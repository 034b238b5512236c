#include "engine/shell_delete.h"

#include <algorithm>
#include <cstring>

std::vector<char> DeleteList(const std::vector<std::string>& paths)
{
    // Each path is taken as the C string it holds: a NUL inside one would otherwise split
    // it into two paths for the shell.
    std::size_t size = 1;
    for (const std::string& path : paths) {
        size += std::strlen(path.c_str()) + 1;
    }
    // Even with nothing in it the list ends with two NULs, as the shell reads it.
    std::vector<char> list(std::max<std::size_t>(size, 2), '\0');
    std::size_t position = 0;
    for (const std::string& path : paths) {
        std::size_t length = std::strlen(path.c_str());
        std::memcpy(list.data() + position, path.c_str(), length + 1);
        position += length + 1;
    }
    return list;
}

SHFILEOPSTRUCTA DeleteRequest(const std::vector<char>& list, bool directDelete)
{
    SHFILEOPSTRUCTA request{};
    request.hwnd = nullptr;
    request.wFunc = FO_DELETE;
    request.pFrom = list.data();
    request.pTo = nullptr;
    request.fFlags = directDelete ? 0 : FOF_ALLOWUNDO;
    request.fAnyOperationsAborted = TRUE;
    request.hNameMappings = nullptr;
    request.lpszProgressTitle = nullptr;
    return request;
}

int ShellDelete(const std::vector<char>& list, bool directDelete)
{
    // The shell reads up to two NULs in a row; without them it would read past the buffer.
    std::size_t size = list.size();
    if (size < 2 || list[size - 1] != '\0' || list[size - 2] != '\0') {
        return ERROR_INVALID_PARAMETER;
    }
    SHFILEOPSTRUCTA request = DeleteRequest(list, directDelete);
    return SHFileOperationA(&request);
}
