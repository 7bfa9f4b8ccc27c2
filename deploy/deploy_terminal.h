#pragma once
#include <string>

#include "common/run_policy.h"

#include "deploy/deploy_package.h"
#include "deploy/engine_messages.h"
#include "deploy/terminal_closing.h"

// Deploys one role's files into a terminal: both of its MQL folders, experts.ini and the EA on
// the first chart. A running terminal is closed first when the policy allows and started again
// afterwards; when it does not, or the terminal cannot be closed, nothing is touched and message
// 10 or the reason comes back. With compose the result is the text for the user, else the plain
// outcome. restart, when given, says whether a terminal was closed and started again.
InstallOutcome DeployToTerminal(const DeploySource& source, const std::wstring& terminalFolder, bool compose,
                                const std::wstring& eaName, SignalRole role, RunPolicy& policy,
                                TerminalRestart* restart = nullptr);

// The user's message for a plain outcome and the lists of one deployment.
std::wstring ComposeOutcome(const InstallOutcome& result, DeployLists lists);
