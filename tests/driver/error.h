#pragma once
// Failures of the driver itself (a process that cannot start, memory that cannot be
// written). GoogleTest reports an exception thrown in a test body as a failure of that test.
// Timeouts are not errors here: they come back as an empty result for the test to check.

#include <stdexcept>
#include <string>

namespace driver {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws Error with `what` and the text of GetLastError().
[[noreturn]] void ThrowLastError(const std::string& what);

}  // namespace driver
