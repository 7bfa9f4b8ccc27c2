#pragma once
#include <windows.h>

#include <string>

// Everything that waits for the user, starts another program or sleeps goes through
// these, so tests can answer, record and time it.
class UserPrompt {
 public:
  virtual ~UserPrompt() = default;
  virtual void Show(HWND owner, const std::wstring& text, const std::wstring& caption) = 0;
  virtual bool AskYesNo(HWND owner, const std::wstring& text, const std::wstring& caption) = 0;
  virtual bool AskOkCancel(HWND owner, const std::wstring& text, const std::wstring& caption) = 0;
  // The folder picked, or "" on cancel.
  virtual std::wstring BrowseFolder(HWND owner, const std::wstring& title,
                                    const std::wstring& initialFolder) = 0;
};

class ShellLauncher {
 public:
  virtual ~ShellLauncher() = default;
  // ShellExecuteW with the verb "open" in the working folder ("" for the caller's); returns its
  // result (above 32 on success).
  virtual INT_PTR Open(const std::wstring& file, const std::wstring& parameters, int showCommand,
                       const std::wstring& folder) = 0;
  // ShellExecuteExW with the verb ("runas" asks for administrator rights): ERROR_SUCCESS once
  // the program started, else the error (ERROR_CANCELLED when the user refused).
  virtual DWORD Run(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters) = 0;
  // Whether this process already holds administrator rights (an elevated token).
  virtual bool IsElevated() = 0;
};

class Waiter {
 public:
  virtual ~Waiter() = default;
  virtual void Sleep(DWORD milliseconds) = 0;
};

// Told of every second a closing terminal is waited for, so the window can show it and the
// user can stop waiting.
class CloseWatch {
 public:
  virtual ~CloseWatch() = default;
  // False stops the wait and leaves the terminal running.
  virtual bool KeepWaiting(const std::wstring& terminal, int secondsLeft) = 0;
};

UserPrompt& Prompt();
ShellLauncher& Launcher();
Waiter& Wait();
CloseWatch& Watch();

// Tests install their own; nullptr restores the real one.
void SetPrompt(UserPrompt* prompt);
void SetLauncher(ShellLauncher* shell);
void SetWaiter(Waiter* waiter);
void SetCloseWatch(CloseWatch* watch);

// A plain message box with the product's name as caption.
void ShowMessage(const std::wstring& text, HWND owner = nullptr);
