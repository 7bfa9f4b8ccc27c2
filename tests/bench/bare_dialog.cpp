// The least a Win32 dialog program does before its window answers: a dialog with one list,
// built from a template in memory; the start-up benchmark's yardstick.
#include <windows.h>

#include <string>
#include <vector>

#include "app/resource.h"
#include "tests/bench/closing_dialog.h"

namespace {

void Add(std::vector<WORD>& words, DWORD value) {
  words.push_back(LOWORD(value));
  words.push_back(HIWORD(value));
}

// A captioned dialog of 300 by 200 units holding one list box.
std::vector<WORD> DialogTemplate() {
  std::vector<WORD> words;
  Add(words, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME);
  Add(words, 0);
  words.insert(words.end(), {1, 10, 10, 300, 200, 0, 0});
  for (wchar_t c : std::wstring(L"Bare dialog")) words.push_back(c);
  words.push_back(0);
  if (words.size() % 2) words.push_back(0);
  Add(words, WS_CHILD | WS_VISIBLE | WS_BORDER);
  Add(words, 0);
  words.insert(words.end(), {5, 5, 290, 190, IDC_TERMINAL_LIST, 0xFFFF, 0x0083, 0, 0});
  return words;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const std::vector<WORD> words = DialogTemplate();
  DialogBoxIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(words.data()), nullptr,
                          ClosingDialogProcedure, 0);
  return 0;
}
