#pragma once
#include <string>

#include "common/run_policy.h"

// Rewrites "=true" and "=false" inputs of the copier charts in the current profile of a code
// root (MQL4 folder or terminal folder, with a trailing backslash) as "=1" and "=0": newer
// copier EAs read their boolean inputs only as numbers. An empty root does nothing.
void NormalizeProfileBooleans(const std::wstring& root, RunPolicy* policy = nullptr);
