#include "common/path_text.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto f = FuzzFields(data, size, 2);
  const int order = CompareVersionText(f[0], f[1]);
  FUZZ_CHECK(order >= -1 && order <= 1);
  FUZZ_CHECK(CompareVersionText(f[0], f[0]) == 0);
  if (order == 1) FUZZ_CHECK(CompareVersionText(f[1], f[0]) == -1);
  const std::wstring clean = CleanFileVersion(f[0]);
  FUZZ_CHECK(clean.find_first_of(L" \t,(_#") == std::wstring::npos);
  FUZZ_CHECK(CleanVersionValue(f[0]).find(L'?') == std::wstring::npos);
  return 0;
}
