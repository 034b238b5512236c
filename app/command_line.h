#pragma once
// The paths given on the command line.

#include <string>
#include <vector>

// The arguments after argument 0 (the program, whose own quoting is read the same way).
// Runs of characters 1 to 32 separate; a double quote opens a stretch that runs to the next
// one or to the end of the line, and both quotes are dropped; stretches that touch form one
// argument; a pair of double quotes where an argument would begin is skipped with the blanks
// after it. No argument is ever empty.
std::vector<std::string> SplitCommandLine(const char* line);

// SplitCommandLine of this process's command line.
std::vector<std::string> CommandLineArguments();

// The path made absolute against the process's current directory; unchanged when that fails.
std::string MakeAbsolute(const std::string& path);
