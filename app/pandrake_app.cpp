#include "app/pandrake_app.h"

#include "app/dlg_inst_multi.h"
#include "common/common_controls.h"
#include "common/file_ctrl.h"
#include "common/product.h"
#include "common/system.h"
#include "deploy/deploy_trace.h"

bool CPandrakerApp::InitInstance() {
  const std::wstring installerPath = GetModuleFilePath();
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
