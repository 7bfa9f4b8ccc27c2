#include "tests/support/scripted_seams.h"

#include <shellapi.h>

#include "common/path_text.h"

void ScriptedPrompt::Show(HWND owner, const std::wstring& text, const std::wstring& caption) {
  shown.push_back({L"message", text, caption, owner});
}

bool ScriptedPrompt::AskYesNo(HWND, const std::wstring& text, const std::wstring& caption) {
  shown.push_back({L"yesno", text, caption});
  return NextAnswer();
}

bool ScriptedPrompt::AskOkCancel(HWND, const std::wstring& text, const std::wstring& caption) {
  shown.push_back({L"okcancel", text, caption});
  return NextAnswer();
}

std::wstring ScriptedPrompt::BrowseFolder(HWND, const std::wstring& title, const std::wstring&) {
  shown.push_back({L"browse", title, L""});
  if (folders.empty()) return {};
  std::wstring folder = folders.front();
  folders.pop_front();
  return folder;
}

std::vector<std::wstring> ScriptedPrompt::Messages() const {
  std::vector<std::wstring> texts;
  for (const Shown& item : shown) {
    if (item.kind == L"message") texts.push_back(item.text);
  }
  return texts;
}

bool ScriptedPrompt::NextAnswer() {
  if (answers.empty()) return defaultAnswer;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

INT_PTR RecordingShell::Open(const std::wstring& file, const std::wstring& parameters, int showCommand,
                             const std::wstring& folder) {
  calls.push_back({file, parameters, showCommand, L"open", folder});
  return result;
}

DWORD RecordingShell::Run(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters) {
  calls.push_back({file, parameters, SW_SHOWNORMAL, verb});
  return runResult;
}

INT_PTR StartingShell::Open(const std::wstring& file, const std::wstring& parameters, int showCommand,
                            const std::wstring& folder) {
  RecordingShell::Open(file, parameters, showCommand, folder);
  // A browser is given the page as its parameter; a terminal is started without one, or with
  // its own and its working folder.
  const bool terminal = parameters.empty() || !folder.empty();
  if (!terminal || GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return result;
  return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", file.c_str(),
                                                 parameters.empty() ? nullptr : parameters.c_str(),
                                                 folder.c_str(), showCommand));
}

void RecordingWaiter::Sleep(DWORD milliseconds) { sleeps.push_back(milliseconds); }

void BriefWaiter::Sleep(DWORD) { ::Sleep(200); }

bool StoppingWatch::KeepWaiting(const std::wstring& terminal, int secondsLeft) {
  seen.push_back(ToLower(terminal) + L" " + std::to_wstring(secondsLeft));
  return seen.size() <= keeps_;
}

ScriptedSeams::ScriptedSeams() {
  SetPrompt(&prompt);
  SetLauncher(&shell);
  SetWaiter(&waiter);
}

ScriptedSeams::~ScriptedSeams() {
  SetPrompt(nullptr);
  SetLauncher(nullptr);
  SetWaiter(nullptr);
}
