#include "app/pandrake_app.h"

#include "app/dlg_inst_multi.h"
#include "app/unattended_command.h"
#include "common/common_controls.h"
#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/product.h"
#include "common/seams.h"
#include "common/system.h"
#include "common/unique_handle.h"
#include "common/winmsg.h"
#include "deploy/deploy_trace.h"

bool CPandrakerApp::InitInstance() {
  const std::wstring installerPath = GetModuleFilePath();
  // One lock with the unattended runs, which would write the same terminals and settings. A
  // restart as administrator waits here for the window it replaces to end.
  const UniqueHandle lock(CreateMutexW(nullptr, FALSE, kInstallerLockName));
  if (!lock || WaitForSingleObject(lock.Get(), kInstallerLockWaitMs) == WAIT_TIMEOUT) {
    ShowMessage(g_lang.GetText(msg::kAnotherInstallerRunning));
    return false;
  }
  // Made first: it reads the stored terminals' journals while the common controls start.
  CDlgInstMulti window(instance_, installerPath);
  // Under Wine the window system's driver starts at the first call that needs it, which takes
  // a while. Started from inside comctl32's loading it runs under the loader lock, and the
  // read-ahead can start no thread until it ends.
  GetSystemMetrics(SM_CXSCREEN);
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
  comctl::InitCommonControlsEx(&controls);
  SetDeployTraceFile(DeployTraceFileFor(installerPath, g_system.GetTempFolder(), g_product.edition->productCode));
  window.RunModal(nullptr);
  return false;
}
