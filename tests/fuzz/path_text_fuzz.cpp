#include "common/path_text.h"
#include "tests/fuzz/fuzz_text.h"

namespace {

// The plain quadratic table of "*" and "?" matching, ignoring case as the product does.
bool ReferenceMatch(const std::wstring& name, const std::wstring& mask) {
  const std::wstring n = ToLower(name), m = ToLower(mask);
  std::vector<std::vector<bool>> can(n.size() + 1, std::vector<bool>(m.size() + 1));
  can[n.size()][m.size()] = true;
  for (std::size_t i = n.size() + 1; i-- > 0;) {
    for (std::size_t j = m.size(); j-- > 0;) {
      if (m[j] == L'*') {
        can[i][j] = can[i][j + 1] || (i < n.size() && can[i + 1][j]);
      } else {
        can[i][j] = i < n.size() && (m[j] == L'?' || m[j] == n[i]) && can[i + 1][j + 1];
      }
    }
  }
  return can[0][0];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto f = FuzzFields(data, size, 2);
  const std::wstring normal = NormalizePath(f[0]);
  FUZZ_CHECK(NormalizePath(normal) == normal);
  FUZZ_CHECK(ToLower(ToLower(f[0])) == ToLower(f[0]));
  const std::wstring parent = ParentFolderOf(f[0]);
  FUZZ_CHECK(parent.size() <= f[0].size() && f[0].starts_with(parent));
  FileExtensionOf(f[0], true);
  for (const std::wstring& mask : SplitMasks(f[1])) FUZZ_CHECK(!mask.empty() && Trim(mask) == mask);

  if (f[0].size() <= 64 && f[1].size() <= 64) {
    const bool wildDot = f[1].ends_with(L".*") && f[0].find(L'.') == std::wstring::npos;
    const bool expected = ReferenceMatch(f[0], f[1]) ||
                          (wildDot && ReferenceMatch(f[0], f[1].substr(0, f[1].size() - 2)));
    FUZZ_CHECK(MatchesMask(f[0], f[1]) == expected);
  } else {
    MatchesMask(f[0], f[1]);
  }
  return 0;
}
