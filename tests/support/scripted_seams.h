#pragma once
#include <deque>
#include <string>
#include <vector>

#include "common/seams.h"

// Answers questions from a script and records every text the user would have seen.
class ScriptedPrompt : public UserPrompt {
 public:
  struct Shown {
    std::wstring kind;  // "message", "yesno", "okcancel", "browse"
    std::wstring text;
    std::wstring caption;
    HWND owner = nullptr;
  };

  void Show(HWND owner, const std::wstring& text, const std::wstring& caption) override;
  bool AskYesNo(HWND owner, const std::wstring& text, const std::wstring& caption) override;
  bool AskOkCancel(HWND owner, const std::wstring& text, const std::wstring& caption) override;
  std::wstring BrowseFolder(HWND owner, const std::wstring& title, const std::wstring& initialFolder) override;

  std::deque<bool> answers;           // for yes/no and OK/cancel; empty: defaultAnswer
  bool defaultAnswer = false;
  std::deque<std::wstring> folders;   // for the folder browser; empty: cancel
  std::vector<Shown> shown;

  std::vector<std::wstring> Messages() const;  // texts of plain message boxes only

 private:
  bool NextAnswer();
};

class RecordingShell : public ShellLauncher {
 public:
  struct Call {
    std::wstring file;
    std::wstring parameters;
    int showCommand;
    std::wstring verb = L"open";
    std::wstring folder;
  };
  INT_PTR Open(const std::wstring& file, const std::wstring& parameters, int showCommand,
               const std::wstring& folder) override;
  DWORD Run(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters) override;
  bool IsElevated() override { return elevated; }

  std::vector<Call> calls;
  INT_PTR result = 42;  // above 32: success
  DWORD runResult = ERROR_SUCCESS;
  bool elevated = false;
};

// Records every launch like RecordingShell and really starts a program given by the path of
// an existing file without parameters or with a working folder, so a closed terminal runs
// again; anything else (a browser and its page) is only recorded.
class StartingShell : public RecordingShell {
 public:
  INT_PTR Open(const std::wstring& file, const std::wstring& parameters, int showCommand,
               const std::wstring& folder) override;
};

class RecordingWaiter : public Waiter {
 public:
  void Sleep(DWORD milliseconds) override;
  std::vector<DWORD> sleeps;
};

// Waits a short real while whatever it is asked, so a terminal told to close has ended and
// let go of its files before the caller goes on.
class BriefWaiter : public Waiter {
 public:
  void Sleep(DWORD milliseconds) override;
};

// Lets the close wait go on for the first keeps questions, then stops it.
class StoppingWatch : public CloseWatch {
 public:
  explicit StoppingWatch(std::size_t keeps = 1) : keeps_(keeps) {}
  bool KeepWaiting(const std::wstring& terminal, int secondsLeft) override;
  std::vector<std::wstring> seen;  // the lower-cased terminal and the seconds left of each question

 private:
  std::size_t keeps_;
};

// Installs the three recorders for the lifetime of the object.
class ScriptedSeams {
 public:
  ScriptedSeams();
  ~ScriptedSeams();
  ScriptedPrompt prompt;
  RecordingShell shell;
  RecordingWaiter waiter;
};
