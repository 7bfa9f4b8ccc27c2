#include "deploy/install_mode.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring path = FuzzText(data, size);
  const InstallMode mode = InstallModeFromPath(path);
  FUZZ_CHECK(mode == kBothRoles || mode == kProviderOnly || mode == kReceiverOnly);
  // Receiver words win wherever they stand.
  FUZZ_CHECK(InstallModeFromPath(path + L"Receiver") == kReceiverOnly);
  return 0;
}
