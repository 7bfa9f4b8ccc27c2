#include "app/pandrake_app.h"

#include <commctrl.h>

#include "app/dlg_inst_multi.h"
#include "app/installer_path.h"

bool CPandrakerApp::InitInstance() {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
  InitCommonControlsEx(&controls);
  CDlgInstMulti window(instance_, InstallerPath());
  window.RunModal(nullptr);
  return false;
}
