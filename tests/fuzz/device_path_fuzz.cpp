#include "common/device_path.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto f = FuzzFields(data, size, 7);
  std::vector<DriveDevice> drives;
  for (std::size_t i = 1; i + 1 < f.size(); i += 2) drives.push_back({f[i], f[i + 1]});
  std::wstring path = f[0];
  if (!ReplaceDevicePrefix(path, drives)) {
    FUZZ_CHECK(path == f[0]);
    return 0;
  }
  // The drive takes the device's place; what follows it stays as it was.
  bool found = false;
  for (const DriveDevice& d : drives) {
    if (!d.device.empty() && d.device.size() <= f[0].size() && path.starts_with(d.drive) &&
        path.substr(d.drive.size()) == f[0].substr(d.device.size()))
      found = true;
  }
  FUZZ_CHECK(found);
  return 0;
}
