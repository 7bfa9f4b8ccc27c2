#pragma once
#include <string>

#include "engine/copier_check.h"

// "Check copier"'s report: the verdict, then every check with its result and, where it failed,
// what to do.
std::wstring CopierReportText(const std::wstring& installFolder, const CopierCheck& check);
