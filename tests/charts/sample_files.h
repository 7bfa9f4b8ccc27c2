#pragma once
#include <string>

// The MT4 sample files' folder with a trailing backslash, or empty when they are absent.
std::wstring SamplesFolder();
