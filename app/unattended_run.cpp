#include "app/unattended_run.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <vector>

#include "app/copier_column.h"
#include "app/start_up.h"
#include "app/terminal_list_store.h"
#include "common/file_ctrl.h"
#include "common/file_tree.h"
#include "common/ini_file.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/product.h"
#include "common/run_policy.h"
#include "common/seams.h"
#include "common/unique_handle.h"
#include "common/winmsg.h"
#include "deploy/deploy_trace.h"
#include "deploy/engine_messages.h"
#include "deploy/install_mode.h"
#include "deploy/package_folder.h"
#include "deploy/package_role.h"
#include "deploy/signal_config.h"
#include "deploy/update_log.h"
#include "engine/copier_check.h"
#include "engine/terminal_runs.h"
#include "terminal/data_folder_map.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_discovery.h"
#include "terminal/terminal_list_codec.h"

namespace {

std::string Utf8(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  std::string bytes(WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
  return bytes;
}

DWORD WriteAll(HANDLE file, const std::string& bytes) {
  return WriteBlock(file, bytes.data(), static_cast<DWORD>(bytes.size()));
}

// The log of every step, in UTF-8, each line stamped.
class StepLog {
 public:
  explicit StepLog(const std::wstring& path) {
    if (!path.empty()) file_.Reset(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  // The lines another log gained during the run, each marked with where it came from.
  void LinesSince(const std::wstring& path, std::size_t skippedChars, const std::wstring& mark) const {
    const std::wstring text = path.empty() ? L"" : g_files.ReadTextFile(path);
    for (std::size_t start = skippedChars, end; start < text.size(); start = end + 1) {
      end = text.find(L'\n', start);
      if (end == std::wstring::npos) end = text.size();
      std::wstring line = text.substr(start, end - start);
      if (!line.empty() && line.back() == L'\r') line.pop_back();
      if (!line.empty()) Line(mark + line);
    }
  }
  void Line(const std::wstring& text) const {
    if (!file_) return;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t stamp[32];
    swprintf(stamp, 32, L"%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
             now.wSecond);
    WriteAll(file_.Get(), Utf8(stamp + ReplaceAll(text, L"\n", L" | ") + L"\r\n"));
  }

 private:
  UniqueHandle file_;
};

// Nothing is ever asked: questions are answered no, notices go to the log.
class NoQuestions : public UserPrompt {
 public:
  explicit NoQuestions(const StepLog& log) : log_(log) {}
  void Show(HWND, const std::wstring& text, const std::wstring&) override { log_.Line(L"notice: " + text); }
  bool AskYesNo(HWND, const std::wstring& text, const std::wstring&) override { return Refuse(text); }
  bool AskOkCancel(HWND, const std::wstring& text, const std::wstring&) override { return Refuse(text); }
  std::wstring BrowseFolder(HWND, const std::wstring&, const std::wstring&) override { return {}; }

 private:
  bool Refuse(const std::wstring& text) {
    log_.Line(L"question answered no: " + text);
    return false;
  }
  const StepLog& log_;
};

// A terminal started where nobody can see its window would run without its user: in a service
// or a remote shell before anyone logged on there is no visible window station.
bool HasDesktop() {
  USEROBJECTFLAGS flags{};
  return GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof(flags), nullptr) &&
         (flags.dwFlags & WSF_VISIBLE) != 0;
}

// The switches answer every question; each step goes to the log.
class SwitchPolicy : public RunPolicy, public RunObserver {
 public:
  SwitchPolicy(const UnattendedCommand& command, const StepLog& log) : command_(command), log_(log) {}
  bool MayCloseTerminal() override { return command_.close; }
  bool MayStartTerminal(const std::wstring& /*exePath*/) override { return HasDesktop(); }
  bool MayUpdateTerminals() override { return true; }
  void Notify(const std::wstring& text) override { log_.Line(L"notice: " + text); }
  bool StopRequested() override { return false; }
  void RowStarted(std::size_t index, const std::wstring& state) override {
    log_.Line(L"terminal " + std::to_wstring(index + 1) + L": " + state);
  }
  void RowFinished(std::size_t index, const RowResult& result) override {
    log_.Line(L"terminal " + std::to_wstring(index + 1) + L": " + ReplaceAll(result.state, L"#", L" "));
  }

 private:
  const UnattendedCommand& command_;
  const StepLog& log_;
};

int LanguageOf(const std::wstring& lang) {
  if (lang == L"zh") return kLangSimplifiedChinese;
  if (lang == L"tw") return kLangTraditionalChinese;
  return kLangEnglish;
}

// The rows the window would show: the stored list, or a first start's search.
std::vector<TerminalEntry> ListedRows() {
  g_config.SetConfigPath(SettingsFilePath());
  const std::wstring stored = g_config.ReadMain(L"PATH");
  std::vector<TerminalEntry> rows = LoadRows(stored, {});
  if (stored.empty()) MergeSearchResult(rows, FindTerminals());
  return rows;
}

// The rows a /terminals value names; nothing when one of its folders is not a terminal.
std::optional<std::vector<int>> TargetRows(const std::wstring& value, TerminalRows& rows, const StepLog& log) {
  std::vector<int> indexes;
  const std::vector<std::wstring> folders = TerminalFoldersOf(value);
  if (folders.empty()) {
    const bool installed = ToLower(value) == L"installed";
    for (int i = 0; i < static_cast<int>(rows.rows.size()); ++i) {
      if (!installed || !rows.rows[i].role.empty()) indexes.push_back(i);
    }
    return indexes;
  }
  for (const std::wstring& folder : folders) {
    if (!g_mtAssist.IsTerminalFolder(WithTrailingBackslash(folder))) {
      log.Line(L"not a terminal: " + folder);
      return std::nullopt;
    }
    int found = -1;
    for (int i = 0; i < static_cast<int>(rows.rows.size()) && found < 0; ++i) {
      if (RowKey(rows.rows[i].installFolder) == RowKey(folder)) found = i;
    }
    if (found < 0) {
      rows.rows.push_back({false, NormalizeInstallFolder(folder), g_mtAssist.AccountOf(folder), L"", L""});
      found = static_cast<int>(rows.rows.size()) - 1;
    }
    indexes.push_back(found);
  }
  return indexes;
}

std::wstring RoleName(const std::wstring& typeText) {
  if (typeText == g_lang.GetText(msg::kRoleProvider)) return L"provider";
  if (typeText == g_lang.GetText(msg::kRoleReceiver)) return L"receiver";
  return L"";
}

std::wstring HealthJson(const Health& health) {
  static const wchar_t* const kStates[] = {L"running", L"not-running", L"unknown"};
  std::wstring problems;
  for (const HealthProblem& problem : health.problems) {
    const std::wstring text = ProblemText(problem, health.uninitReason);
    problems += std::wstring(problems.empty() ? L"" : L", ") + L"{\"code\": " +
                JsonString(std::wstring(problem.code, problem.code + std::strlen(problem.code))) + L", \"text\": " +
                JsonString(text) + L"}";
  }
  return L", \"health\": {\"state\": " + JsonString(kStates[static_cast<int>(health.state)]) + L", \"chart\": " +
         JsonString(std::wstring(health.chart.begin(), health.chart.end())) + L", \"since\": " +
         JsonString(std::wstring(health.since.begin(), health.since.end())) + L", \"problems\": [" + problems + L"]}";
}

std::wstring TerminalJson(const TerminalEntry& row, const RowResult* result, const Health* health) {
  const std::wstring folder = WithTrailingBackslash(row.installFolder);
  std::wstring json = L"{\"folder\": " + JsonString(row.installFolder) + L", \"dataFolder\": " +
                      JsonString(g_mtAssist.GetDataFolder(folder)) + L", \"account\": " + JsonString(row.account) +
                      L", \"role\": " + JsonString(RoleName(row.role));
  if (result) {
    json += std::wstring(L", \"ok\": ") + (result->succeeded ? L"true" : L"false") + L", \"text\": " +
            JsonString(ReplaceAll(result->state, L"#", L"\n")) + L", \"closed\": " +
            (result->closed ? L"true" : L"false") + L", \"restarted\": " + (result->restarted ? L"true" : L"false");
  }
  if (health) json += HealthJson(*health);
  return json + L"}";
}

void Deliver(const UnattendedCommand& command, const std::wstring& json) {
  if (!command.result.empty()) {
    const std::string bytes = Utf8(json);
    ReplaceFileThrough(command.result, [&bytes](HANDLE file) { return WriteAll(file, bytes); });
    return;
  }
  // Only to a caller that gave a standard output: a pipe or a file, as the fleet tools do.
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN) WriteAll(out, Utf8(json));
}

struct Outcome {
  int code = exit_code::kSuccess;
  std::vector<int> indexes;
  std::vector<RowResult> results;
  std::vector<std::optional<Health>> healths;  // /check's, by index; nothing for a row without a role
};

// Whether each targeted terminal's copier runs; 1603 unless every one with a role does.
Outcome CheckCopiers(const std::wstring& installerPath, const TerminalRows& rows, std::vector<int> indexes) {
  CPackage package(ParentFolderOf(installerPath), InstallModeFromPath(installerPath));
  package.DetectPackage(false);
  const CopierTarget targets[] = {CopierTargetOf(package, kRoleProvider), CopierTargetOf(package, kRoleReceiver)};
  g_mtAssist.RunningTerminalPaths();
  const DataFolderMap dataFolders(CMTAssist::DataFolderRoot());
  Outcome outcome{exit_code::kSuccess, std::move(indexes), {}, {}};
  for (const int index : outcome.indexes) {
    const std::wstring role = RoleName(rows.rows[index].role);
    const CopierTarget& target = targets[role == L"receiver" ? 1 : 0];
    if (role.empty() || target.eaName.empty()) {
      outcome.healths.emplace_back();
      continue;
    }
    const CopierCheck check = CheckCopier(rows.rows[index].installFolder, target, g_mtAssist.exePaths, dataFolders);
    if (check.health.state != HealthState::kRunning) outcome.code = exit_code::kFailed;
    outcome.healths.push_back(check.health);
  }
  return outcome;
}

bool PackageUsable(const std::wstring& installerFolder, const StepLog& log) {
  const bool library = FileExists(installerFolder + L"orbix.dll") || FileExists(installerFolder + L"orbixw.dll");
  const std::wstring placed = library ? PlaceSignalDatabase(installerFolder, FileTree(installerFolder)) : L"";
  if (library && IsSuccessOutcome(placed)) return true;
  log.Line(L"no usable package: " + (library ? placed : L"no copier library in " + installerFolder));
  return false;
}

Outcome Run(const UnattendedCommand& command, const std::wstring& installerPath, TerminalRows& rows,
            const StepLog& log) {
  using Verb = UnattendedCommand::Verb;
  const std::wstring installerFolder = ParentFolderOf(installerPath);
  Outcome outcome;
  if (command.verb == Verb::kList) return outcome;
  if (command.verb == Verb::kCheck) {
    const std::optional<std::vector<int>> checked =
        TargetRows(command.terminals.empty() ? L"installed" : command.terminals, rows, log);
    if (!checked) return {exit_code::kBadArgument};
    return CheckCopiers(installerPath, rows, *checked);
  }
  const bool needsPackage = command.verb != Verb::kUninstall && command.verb != Verb::kRestore;
  if (needsPackage && !PackageUsable(installerFolder, log)) return {exit_code::kNoPackage};
  const std::optional<std::vector<int>> targets =
      TargetRows(command.verb == Verb::kUpdate ? L"installed" : command.terminals, rows, log);
  if (!targets) return {exit_code::kBadArgument};
  outcome.indexes = *targets;
  SwitchPolicy policy(command, log);
  if (command.verb == Verb::kUpdate) {
    // The pass runs whatever version it last ran for: the command asks for it now.
    g_config.WriteMain(L"V", L"");
    const AutoUpdateRequest request{rows.Folders(outcome.indexes), installerFolder,
                                    ReadCopierVersion(installerFolder).version, &policy, {}, nullptr};
    if (!RunUpdate(request, policy, policy)) outcome.code = exit_code::kFailed;
    return outcome;
  }
  if (command.verb == Verb::kUninstall) {
    outcome.results = RunUninstall(rows.Folders(outcome.indexes), installerFolder, policy, policy);
  } else if (command.verb == Verb::kRestore) {
    outcome.results = RunRestore(rows.Folders(outcome.indexes), installerFolder, policy, policy);
  } else {
    CPackage package(installerFolder, InstallModeFromPath(installerPath));
    package.DetectPackage(false);
    package.SetLibrariesMask(CopierLibrariesMask());
    const SignalRole role = command.role == L"receiver" ? kRoleReceiver : kRoleProvider;
    const std::optional<std::wstring> eaName = package.ChooseRoleEa(role);
    if (!eaName) return {exit_code::kNoPackage};
    InstallJob job{SourceOf(package, role), *eaName, role,
                   g_lang.GetText(role == kRoleReceiver ? msg::kRoleReceiver : msg::kRoleProvider)};
    outcome.results = RunInstall(rows.Folders(outcome.indexes), job, policy, policy);
  }
  for (const RowResult& result : outcome.results) {
    if (!result.succeeded) outcome.code = exit_code::kFailed;
  }
  return outcome;
}

}  // namespace

int RunUnattended(const UnattendedCommand& command, const std::wstring& installerPath) {
  const StepLog log(command.log);
  if (!command.error.empty() || command.verb == UnattendedCommand::Verb::kHelp) {
    if (!command.error.empty()) log.Line(command.error);
    Deliver({}, (command.error.empty() ? L"" : command.error + L"\n") + UnattendedUsage());
    return command.error.empty() ? exit_code::kSuccess : exit_code::kBadArgument;
  }
  // One made by a process of other rights cannot even be opened: it is held all the same.
  const UniqueHandle lock(CreateMutexW(nullptr, FALSE, kInstallerLockName));
  if (!lock || WaitForSingleObject(lock.Get(), 0) == WAIT_TIMEOUT) {
    log.Line(L"another Pandrake holds the installer's lock");
    return exit_code::kLocked;
  }
  if (!command.lang.empty()) g_lang.SetLanguage(LanguageOf(command.lang));
  NoQuestions quiet(log);
  SetPrompt(&quiet);
  // The deployment trace and the update log go into the step log too.
  const std::wstring trace = command.log.empty() ? L"" : command.log + L".trace";
  SetDeployTraceFile(trace);
  const std::size_t updateLogKept = g_files.ReadTextFile(UpdateLogPath()).size();
  TerminalRows rows;
  rows.rows = ListedRows();
  const Outcome outcome = Run(command, installerPath, rows, log);
  SetDeployTraceFile(L"");
  log.LinesSince(trace, 0, L"trace: ");
  if (!trace.empty()) DeleteFileW(trace.c_str());
  log.LinesSince(UpdateLogPath(), updateLogKept, L"update:");
  for (std::size_t i = 0; i < outcome.results.size(); ++i) {
    ApplyRowResult(outcome.results[i], rows.rows[outcome.indexes[i]]);
  }
  using Verb = UnattendedCommand::Verb;
  if (command.verb != Verb::kList && command.verb != Verb::kCheck) StoreRows(rows);
  SetPrompt(nullptr);
  // A run names the terminals it acted on, with their results; otherwise every listed terminal.
  std::wstring terminals;
  const bool ran = !outcome.results.empty() || !outcome.healths.empty();
  const std::size_t count = ran ? outcome.indexes.size() : rows.rows.size();
  for (std::size_t i = 0; i < count; ++i) {
    const TerminalEntry& row = rows.rows[ran ? outcome.indexes[i] : static_cast<int>(i)];
    const RowResult* result = i < outcome.results.size() ? &outcome.results[i] : nullptr;
    const Health* health = i < outcome.healths.size() && outcome.healths[i] ? &*outcome.healths[i] : nullptr;
    terminals += (i ? L",\n    " : L"\n    ") + TerminalJson(row, result, health);
  }
  static const wchar_t* const kVerbs[] = {L"help", L"list", L"install", L"uninstall", L"update", L"check", L"restore"};
  Deliver(command, L"{\"installer\": " + JsonString(g_product.installerVersion) + L", \"command\": " +
                       JsonString(kVerbs[static_cast<int>(command.verb)]) + L", \"role\": " + JsonString(command.role) +
                       L", \"exitCode\": " + std::to_wstring(outcome.code) + L",\n  \"terminals\": [" + terminals +
                       L"]}\n");
  log.Line(L"exit code " + std::to_wstring(outcome.code));
  return outcome.code;
}
