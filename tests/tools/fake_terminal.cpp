// A stand-in for a running terminal: a top-level window with a terminal's class and title.
#include <windows.h>
#include <shellapi.h>

#include <climits>
#include <string>
#include <vector>

#include "common/unique_handle.h"
#include "tests/tools/fake_terminal.h"
#include "tests/tools/fake_terminal_data.h"
#include "tests/tools/fake_terminal_logs.h"

namespace {

struct Options {
  const wchar_t* windowClass = L"MetaQuotes::MetaTrader::4.00";
  int ignoreCloses = 0;
  int closeDelayMs = 0;
  std::wstring holdFile;
  std::wstring recordFile;
  std::wstring title;
  bool portable = false;
  std::wstring startupConfig;  // a word ending in ".ini": the terminal's start-up configuration
};

int g_closesToIgnore = 0;
int g_closeDelayMs = 0;
std::wstring g_dataFolder;
std::vector<ChartExpert> g_runningExperts;
constexpr UINT_PTR kCloseTimer = 1;

Options ParseOptions() {
  Options options;
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; i < count; ++i) {
    const std::wstring arg = args[i];
    if (arg == L"--mt5") {
      options.windowClass = L"MetaQuotes::MetaTrader::5.00";
    } else if (arg == L"--ignore-close" && i + 1 < count) {
      const std::wstring value = args[++i];
      options.ignoreCloses = value == L"all" ? INT_MAX : _wtoi(value.c_str());
    } else if (arg == L"--close-delay" && i + 1 < count) {
      options.closeDelayMs = _wtoi(args[++i]);
    } else if (arg == L"--hold" && i + 1 < count) {
      options.holdFile = args[++i];
    } else if (arg == L"--record" && i + 1 < count) {
      options.recordFile = args[++i];
    } else if (arg.starts_with(L"/")) {
      options.portable = options.portable || lstrcmpiW(arg.c_str(), L"/portable") == 0;
    } else if (arg.size() > 4 && lstrcmpiW(arg.c_str() + arg.size() - 4, L".ini") == 0) {
      options.startupConfig = arg;
    } else {
      options.title += (options.title.empty() ? L"" : L" ") + arg;
    }
  }
  LocalFree(args);
  return options;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    if (g_closesToIgnore > 0) {
      if (g_closesToIgnore != INT_MAX) --g_closesToIgnore;
      return 0;
    }
    if (g_closeDelayMs > 0) {
      SetTimer(window, kCloseTimer, static_cast<UINT>(g_closeDelayMs), nullptr);
      return 0;
    }
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_TIMER && wParam == kCloseTimer) {
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    StopExperts(g_dataFolder, g_runningExperts);
    PostQuitMessage(kFakeTerminalClosedExitCode);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RecordStart(const std::wstring& file) {
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  const std::wstring text = L"\xFEFF" + std::wstring(GetCommandLineW()) + L"\n" + folder;
  UniqueHandle out(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (out) WriteFile(out.Get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring program(path, length);
  return program.substr(0, program.rfind(L'\\'));
}

// Before the window shows, so that whoever waits for the window finds the lines written.
void StartChartExperts(const Options& options) {
  g_dataFolder = FindDataFolder(ProgramFolder(), options.portable);
  if (g_dataFolder.empty()) return;
  const bool dllImports = DllImportsAllowed(g_dataFolder, options.startupConfig);
  g_runningExperts = StartExperts(g_dataFolder, ProfileExperts(g_dataFolder), dllImports);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const Options options = ParseOptions();
  g_closesToIgnore = options.ignoreCloses;
  g_closeDelayMs = options.closeDelayMs;
  if (!options.recordFile.empty()) RecordStart(options.recordFile);
  UniqueHandle held;
  if (!options.holdFile.empty()) {
    // As a terminal holds its DLL: others may read it but not write or delete it.
    held.Reset(CreateFileW(options.holdFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!held) return kFakeTerminalBadFileExitCode;
  }
  StartChartExperts(options);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = options.windowClass;
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, options.windowClass, options.title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return static_cast<int>(message.wParam);
}
