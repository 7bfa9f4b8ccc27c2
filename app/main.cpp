#include <windows.h>

#include "app/pandrake_app.h"
#include "common/product.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  InitProductSettings();
  CPandrakerApp app(instance);
  app.InitInstance();
  return 0;
}
