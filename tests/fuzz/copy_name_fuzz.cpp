#include <set>

#include "duplicate/copy_name.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto f = FuzzFields(data, size, 6);
  const std::set<std::wstring> taken(f.begin() + 1, f.end());
  const std::wstring name = NextCopyName(f[0], [&](const std::wstring& folder) { return taken.count(folder) > 0; });
  FUZZ_CHECK(taken.count(name) == 0);
  FUZZ_CHECK(name.empty() || name.size() > 3);
  return 0;
}
