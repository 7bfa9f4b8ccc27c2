#include "deploy/package_role.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto f = FuzzFields(data, size, 2);
  const SignalRole role = PackageRoleOfName(f[0]);
  FUZZ_CHECK(role == kRoleNone || role == kRoleProvider || role == kRoleReceiver);
  FUZZ_CHECK(SimplifiedFolderName(f[0]).size() == f[0].size());
  BrandExpertsMask(f[0], f[1]);
  IsEaFileName(f[0]);
  const std::wstring ea = RoleEaNameOf(f[0]);
  FUZZ_CHECK(ea.size() <= f[0].size());
  return 0;
}
