#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The installer's command line for unattended use by fleet tools. No switch at all (or the
// single argument "en") starts the window instead.
struct UnattendedCommand {
  enum class Verb { kHelp, kList, kInstall, kUninstall, kUpdate, kCheck, kRestore };
  Verb verb = Verb::kHelp;
  std::wstring role;       // "provider" or "receiver", with /install
  std::wstring terminals;  // folders separated by ";", or "all", or "installed"
  bool close = false;
  bool quiet = false;
  std::wstring log;
  std::wstring result;
  std::wstring lang;   // "en", "zh", "tw" or "" for the edition's
  std::wstring error;  // a switch or value not known: the run ends with the usage text
};

// Held by the window for its lifetime and by an unattended run, in every session.
inline constexpr wchar_t kInstallerLockName[] = L"Global\\PandrakeInstallerLock";
// How long a window waits for it; an unattended run does not wait.
inline constexpr unsigned long kInstallerLockWaitMs = 10000;

// Windows exit codes the fleet tools read.
namespace exit_code {
inline constexpr int kSuccess = 0;
inline constexpr int kBadArgument = 87;
inline constexpr int kStopped = 1602;
inline constexpr int kFailed = 1603;
inline constexpr int kLocked = 1618;
inline constexpr int kNoPackage = 1620;
}  // namespace exit_code

// The arguments after the program's name as the system splits them, quotes taken off.
std::vector<std::wstring> SplitArguments(std::wstring_view arguments);
// Nothing when the window is to start.
std::optional<UnattendedCommand> ParseUnattendedCommand(std::wstring_view arguments);
// The folders of a /terminals value; empty for "all" and "installed".
std::vector<std::wstring> TerminalFoldersOf(const std::wstring& value);
std::wstring UnattendedUsage();

// Text as a JSON string literal, quotes included.
std::wstring JsonString(std::wstring_view text);
