// The installer's main window and nothing else: its dialog template with the common controls
// and the visual styles of its manifest, made in the installer's order, without any of the
// start-up's work. The start-up benchmark's measure of what the window itself costs.
#include <windows.h>

#include "app/resource.h"
#include "common/common_controls.h"
#include "tests/bench/closing_dialog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  GetSystemMetrics(SM_CXSCREEN);
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
  comctl::InitCommonControlsEx(&controls);
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_INSTMULTI), nullptr, ClosingDialogProcedure, 0);
  return 0;
}
