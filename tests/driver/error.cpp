#include "tests/driver/error.h"

#include <windows.h>

namespace driver {

void ThrowLastError(const std::string& what)
{
    const DWORD code = GetLastError();
    throw Error(what + " failed, error " + std::to_string(code));
}

}  // namespace driver
