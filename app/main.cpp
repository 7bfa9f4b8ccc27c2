#include <windows.h>

#include "app/pandrake_app.h"
#include "app/unattended_run.h"
#include "common/command_line.h"
#include "common/dll_search.h"
#include "common/file_ctrl.h"
#include "common/product.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  RestrictDllSearch();
  InitProductSettings();
  // A switch runs the command line for fleet tools; no switch (or "en") starts the window.
  const std::optional<UnattendedCommand> command = ParseUnattendedCommand(ArgumentsAfterProgram(GetCommandLineW()));
  if (command) {
    return RunUnattended(*command, GetModuleFilePath());
  }
  CPandrakerApp app(instance);
  app.InitInstance();
  return 0;
}
