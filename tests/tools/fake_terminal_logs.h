#pragma once
#include <string>
#include <vector>

#include "tests/tools/fake_terminal_data.h"

// The lines a terminal appends to today's journal (logs\) and experts log (MQL4\Logs\) as the
// EAs of its charts start and stop.

// Loads each EA: it initialises, or, when DLL imports are not allowed, its first call into the
// copier's library is refused and it is removed again. Returns the EAs left running.
std::vector<ChartExpert> StartExperts(const std::wstring& dataFolder, const std::vector<ChartExpert>& experts,
                                      bool dllImports);
// Removes the running EAs as the terminal closes.
void StopExperts(const std::wstring& dataFolder, const std::vector<ChartExpert>& running);
