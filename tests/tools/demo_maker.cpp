// Lays out a demo for the run script from the fixture helpers of the tests, and drives the
// installer's window there when no one sits at the screen.
//   demo_maker.exe setup DRIVE INSTALLER   a package and three terminals on DRIVE ("D:\")
//   demo_maker.exe install                  clicks Install Signal Provider and answers its prompts
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/resource.h"
#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/product.h"
#include "common/winmsg.h"
#include "terminal/data_folder_id.h"
#include "terminal/mt_assist.h"
#include "tests/support/fake_terminal_process.h"
#include "tests/support/signal_database.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_system.h"
#include "tests/terminal/terminal_fixture.h"

namespace {

constexpr char kChart[] =
    "<chart>\r\nid=1\r\nsymbol=EURUSD\r\nperiod=60\r\n<window>\r\nheight=100\r\n</window>\r\n</chart>\r\n";

std::string Journal(const char* account) {
  return std::string("0\t09:30:00.000\tNetwork\t'") + account + "': login on 'Demo-Server' through Access Point\r\n";
}

bool MakePackage(const std::wstring& package, const std::wstring& installer) {
  const std::wstring library = TestProgramFolder() + L"orbix_test.dll";
  // The role folders bear the role's name in the installer's language, as a real package's do.
  g_lang.Init();
  for (const wchar_t* role : {L"Provider", L"Receiver"}) {
    const int title = role[0] == L'P' ? msg::kSignalProvider : msg::kSignalReceiver;
    const std::wstring folder = package + g_lang.GetText(title) + L"\\";
    const std::wstring ea = std::wstring(L"_Velmar Signal ") + role + L".ex4";
    if (!WriteBytes(folder + L"experts\\" + ea, "demo EA")) return false;
    WriteBytes(folder + L"experts\\indicators\\Velmar Signal Meter.ex4", "demo indicator");
    g_files.CreateFolderPath(folder + L"experts\\libraries");
    CopyFileW(library.c_str(), (folder + L"experts\\libraries\\orbix.dll").c_str(), FALSE);
  }
  return CopyFileW(library.c_str(), (package + L"orbix.dll").c_str(), FALSE) &&
         MakeSignalDatabase(package + L"orbix.sin") &&
         CopyFileW(installer.c_str(), (package + L"Pandrake.exe").c_str(), FALSE);
}

// Code and settings folders of a terminal, with one chart of the trader's own.
void MakeTerminalData(const std::wstring& folder, const std::wstring& codeFolder, const char* account) {
  g_files.CreateFolderPath(folder + L"config");
  g_files.CreateFolderPath(codeFolder);
  WriteBytes(folder + L"profiles\\default\\chart01.chr", kChart);
  WriteBytes(folder + L"logs\\20261209.log", Journal(account));
}

bool MakeTerminals(const std::wstring& drive) {
  const std::wstring legacy = drive + L"MT4 Legacy", newer = drive + L"MT4 Newer", running = drive + L"MT4 Running";
  MakeTerminal(legacy);
  MakeTerminalData(legacy + L"\\", legacy + L"\\experts", "5010001");

  // The installer of such a terminal leaves its default profile in the install folder too.
  MakeTerminal(newer);
  WriteBytes(newer + L"\\profiles\\default\\chart01.chr", kChart);
  const std::wstring data = CMTAssist::DataFolderRoot() + TerminalDataId(newer) + L"\\";
  WriteUtf16(data + L"origin.txt", newer);
  MakeTerminalData(data, data + L"MQL4\\Experts", "5010002");

  MakeTerminal(running);
  MakeTerminalData(running + L"\\", running + L"\\experts", "5010003");
  return CopyFileW(FakeTerminalProgram().c_str(), (running + L"\\terminal.exe").c_str(), FALSE) != FALSE;
}

int Setup(const std::wstring& drive, const std::wstring& installer) {
  const std::wstring package = drive + L"Velmar Package\\";
  if (!MakePackage(package, installer)) return 2;
  // No stored list: the installer's first start searches the drives, as at a trader's.
  return MakeTerminals(drive) ? 0 : 3;
}

struct InstallerWindows {
  HWND main = nullptr;
  HWND prompt = nullptr;
};

DWORD OwnerOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

BOOL CALLBACK FindInstallerWindows(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<InstallerWindows*>(param);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (!IsWindowVisible(window) || wcscmp(name, L"#32770") != 0) return TRUE;
  if (GetDlgItem(window, IDC_INSTALL_PROVIDER)) found->main = window;
  if (found->main && OwnerOf(window) == OwnerOf(found->main) && window != found->main &&
      (GetDlgItem(window, IDYES) || GetDlgItem(window, IDOK))) {
    found->prompt = window;
  }
  return TRUE;
}

// The installer's window first, then what it shows over it.
InstallerWindows Windows() {
  InstallerWindows found;
  EnumWindows(FindInstallerWindows, reinterpret_cast<LPARAM>(&found));
  if (found.main) EnumWindows(FindInstallerWindows, reinterpret_cast<LPARAM>(&found));
  return found;
}

// As UTF-8, since the prompts speak the installer's language.
void Report(std::wstring line) {
  for (wchar_t& c : line) c = c == L'\n' ? L' ' : c;
  char utf8[2048] = {};
  WideCharToMultiByte(CP_UTF8, 0, (line + L"\n").c_str(), -1, utf8, sizeof(utf8) - 1, nullptr, nullptr);
  fputs(utf8, stdout);
  fflush(stdout);
}

// Waits until the installer's first search has listed the demo's terminals.
int WaitListed() {
  for (DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(250)) {
    const HWND main = Windows().main;
    const HWND list = main ? GetDlgItem(main, IDC_TERMINAL_LIST) : nullptr;
    if (list && IsWindowVisible(list) && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) >= 3) {
      Sleep(500);  // the rows paint
      return 0;
    }
  }
  return 6;
}

// Yes to every question, OK to every notice, until the installer has been quiet for a while.
int Install() {
  InstallerWindows windows = Windows();
  if (!windows.main) return 5;
  // Found terminals come unticked.
  PostMessageW(windows.main, WM_COMMAND, MAKEWPARAM(IDC_SELECT_ALL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(windows.main, IDC_SELECT_ALL)));
  PostMessageW(windows.main, WM_COMMAND, MAKEWPARAM(IDC_INSTALL_PROVIDER, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(windows.main, IDC_INSTALL_PROVIDER)));
  DWORD quietSince = GetTickCount();
  for (DWORD start = GetTickCount(); GetTickCount() - start < 90000 && GetTickCount() - quietSince < 5000;) {
    Sleep(500);
    windows = Windows();
    if (!windows.prompt) continue;
    const int answer = GetDlgItem(windows.prompt, IDYES) ? IDYES : IDOK;
    wchar_t text[256] = {};
    // The text of a message box: id 0xFFFF on Windows, 100 under Wine.
    for (int id : {0xFFFF, 100}) if (!text[0]) GetWindowTextW(GetDlgItem(windows.prompt, id), text, 256);
    wchar_t title[256] = {};
    GetWindowTextW(windows.prompt, title, 256);
    Report(std::wstring(answer == IDYES ? L"demo: yes to " : L"demo: ok to ") + title + L": " + text);
    PostMessageW(windows.prompt, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(windows.prompt, answer)));
    quietSince = GetTickCount();
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"setup" && argc == 4) return Setup(argv[2], argv[3]);
  if (mode == L"listed") return WaitListed();
  if (mode == L"install") return Install();
  return 1;
}
