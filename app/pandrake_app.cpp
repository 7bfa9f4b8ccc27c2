#include "app/pandrake_app.h"

#include <commctrl.h>

#include "app/dlg_inst_multi.h"
#include "common/file_ctrl.h"

bool CPandrakerApp::InitInstance() {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
  InitCommonControlsEx(&controls);
  CDlgInstMulti window(instance_, GetModuleFilePath());
  window.RunModal(nullptr);
  return false;
}
