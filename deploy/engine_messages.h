#pragma once
#include <string>

#include "deploy/signal_role.h"

// The result text of a deployment: success when it starts with "SUCC", otherwise the
// message to show.
using InstallOutcome = std::wstring;
inline constexpr wchar_t kOutcomeSuccess[] = L"SUCC";
bool IsSuccessOutcome(const InstallOutcome& outcome);

// Slots of the deployment engine's own messages.
enum EngineMessageId : int {
  kMsgLogInFirst = 0,
  kMsgInstallFileMissing = 1,
  kMsgInstallCompleted = 2,
  kMsgRestartTerminal = 3,
  kMsgInstalledEa = 4,
  kMsgInstalledIndicators = 5,
  kMsgInstalledTemplates = 6,
  kMsgInstallFailed = 7,
  kMsgReloadEa = 8,
  kMsgInvalidRunningPath = 9,
  kMsgCloseTerminal = 10,
  kMsgUnknownError = 11,
  kMsgRunTerminalFirst = 12,
};

inline constexpr int kEngineSlotsPerLanguage = 20;
inline constexpr int kEngineLanguages = 3;

// Message k in a language (0 English, 1 Simplified, 2 Traditional Chinese); "" outside the table.
std::wstring EngineMessage(int k, int language);
// Message k in the catalog's current language.
std::wstring EngineMessage(int k);
