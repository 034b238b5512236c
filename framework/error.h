#pragma once
// The framework's exception: its text is shown as it stands by the standard error report.

#include <stdexcept>
#include <string>

namespace fw {

class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws an Exception with the text of the calling thread's last Win32 error.
[[noreturn]] void ThrowLastError(const std::string& action);

}  // namespace fw
