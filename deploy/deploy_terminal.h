#pragma once
#include <windows.h>

#include <string>

#include "deploy/deploy_package.h"
#include "deploy/engine_messages.h"

// Deploys one role's files into a terminal: both of its MQL folders, experts.ini and the EA on
// the first chart. A running terminal is closed first after the user agrees and started again
// afterwards; when the user declines or it cannot be closed nothing is touched and message 10
// comes back. The question is owned by owner. With compose the result is the text for the
// user, else the plain outcome.
InstallOutcome DeployToTerminal(const DeploySource& source, const std::wstring& terminalFolder, bool compose,
                                const std::wstring& eaName, SignalRole role, HWND owner);

// The user's message for a plain outcome and the lists of one deployment.
std::wstring ComposeOutcome(const InstallOutcome& result, DeployLists lists);
