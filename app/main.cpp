#include <windows.h>

#include "app/pandrake_app.h"
#include "common/dll_search.h"
#include "common/product.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  RestrictDllSearch();
  InitProductSettings();
  CPandrakerApp app(instance);
  app.InitInstance();
  return 0;
}
