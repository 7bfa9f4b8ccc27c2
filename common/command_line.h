#pragma once
#include <string>
#include <string_view>

// What follows the program's name in a command line, as the system splits it: a quoted name
// ends at the next quote, a bare one at the first blank.
std::wstring ArgumentsAfterProgram(std::wstring_view commandLine);
// Whether one of the arguments, quotes taken off, is the option (letter case aside).
bool HasOption(std::wstring_view arguments, std::wstring_view option);
