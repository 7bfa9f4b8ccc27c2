#include "common/seams.h"

#include <shellapi.h>

#include "common/folder_browser.h"
#include "common/message_pump.h"
#include "common/product_texts.h"
#include "common/unique_handle.h"
#include "common/winmsg.h"

namespace {

class SystemPrompt final : public UserPrompt {
 public:
  void Show(HWND owner, const std::wstring& text, const std::wstring& caption) override {
    MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK);
  }
  bool AskYesNo(HWND owner, const std::wstring& text, const std::wstring& caption) override {
    return MessageBoxW(owner, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
  }
  bool AskOkCancel(HWND owner, const std::wstring& text, const std::wstring& caption) override {
    return MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
  }
  std::wstring BrowseFolder(HWND owner, const std::wstring& title,
                            const std::wstring& initialFolder) override {
    return ShowFolderBrowser(owner, title, initialFolder);
  }
};

class SystemShell final : public ShellLauncher {
 public:
  INT_PTR Open(const std::wstring& file, const std::wstring& parameters, int showCommand,
               const std::wstring& folder) override {
    return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", file.c_str(),
                                                   parameters.empty() ? nullptr : parameters.c_str(),
                                                   folder.c_str(), showCommand));
  }
  DWORD Run(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters) override {
    SHELLEXECUTEINFOW info{sizeof(info)};
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = verb.c_str();
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) ? ERROR_SUCCESS : GetLastError();
  }
  bool IsElevated() override {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    const UniqueHandle owned(token);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
           elevation.TokenIsElevated != 0;
  }
};

// Paints while it waits, so a window blocked by a long close loop still redraws; input
// stays queued, so no command can start meanwhile.
class SystemWaiter final : public Waiter {
 public:
  void Sleep(DWORD milliseconds) override {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_PAINT);
      DispatchPaintMessages();
    }
  }
};

class WaitToTheEnd final : public CloseWatch {
 public:
  bool KeepWaiting(const std::wstring&, int) override { return true; }
};

SystemPrompt g_systemPrompt;
SystemShell g_systemShell;
SystemWaiter g_systemWaiter;
UserPrompt* g_prompt = &g_systemPrompt;
ShellLauncher* g_shell = &g_systemShell;
Waiter* g_waiter = &g_systemWaiter;
WaitToTheEnd g_waitToTheEnd;
CloseWatch* g_watch = &g_waitToTheEnd;

}  // namespace

UserPrompt& Prompt() { return *g_prompt; }
ShellLauncher& Launcher() { return *g_shell; }
Waiter& Wait() { return *g_waiter; }
CloseWatch& Watch() { return *g_watch; }

void SetPrompt(UserPrompt* prompt) { g_prompt = prompt ? prompt : &g_systemPrompt; }
void SetLauncher(ShellLauncher* shell) { g_shell = shell ? shell : &g_systemShell; }
void SetWaiter(Waiter* waiter) { g_waiter = waiter ? waiter : &g_systemWaiter; }
void SetCloseWatch(CloseWatch* watch) { g_watch = watch ? watch : &g_waitToTheEnd; }

void ShowMessage(const std::wstring& text, HWND owner) {
  if (owner == nullptr) owner = GetActiveWindow();
  Prompt().Show(owner, text, g_lang.GetProductText(product_text::kDisplayName));
}
