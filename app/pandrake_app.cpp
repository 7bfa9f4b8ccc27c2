#include "app/pandrake_app.h"

#include "app/dlg_inst_multi.h"
#include "common/common_controls.h"
#include "common/file_ctrl.h"
#include "common/product.h"
#include "common/system.h"
#include "deploy/deploy_trace.h"

bool CPandrakerApp::InitInstance() {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
  comctl::InitCommonControlsEx(&controls);
  const std::wstring installerPath = GetModuleFilePath();
  SetDeployTraceFile(DeployTraceFileFor(installerPath, g_system.GetTempFolder(), g_product.edition->productCode));
  CDlgInstMulti window(instance_, installerPath);
  window.RunModal(nullptr);
  return false;
}
