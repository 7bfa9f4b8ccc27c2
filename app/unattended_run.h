#pragma once
#include <string>

#include "app/unattended_command.h"

// Runs a command of the unattended command line without the window and returns its exit code.
int RunUnattended(const UnattendedCommand& command, const std::wstring& installerPath);
