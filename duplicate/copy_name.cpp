#include "duplicate/copy_name.h"

#include <cwchar>

namespace {

constexpr int kLastNumber = 999;

// A digit pair after "_C" at the very end marks the source as a copy already.
int FirstNumber(const std::wstring& source, std::wstring& base) {
  base = source;
  const std::size_t marker = source.find(L"_C");
  if (marker == std::wstring::npos || source.size() < 4 || marker != source.size() - 4) return 1;
  base = source.substr(0, source.size() - 4);
  return static_cast<int>(std::wcstol(source.c_str() + source.size() - 2, nullptr, 10)) + 1;
}

}  // namespace

std::wstring NextCopyName(const std::wstring& source, const std::function<bool(const std::wstring&)>& folderExists) {
  std::wstring base;
  for (int number = FirstNumber(source, base); number <= kLastNumber; ++number) {
    wchar_t suffix[16] = {};
    std::swprintf(suffix, 16, number < 10 ? L"_C0%d" : L"_C%d", number);
    const std::wstring candidate = base + suffix;
    if (!folderExists(candidate)) return candidate;
  }
  return {};
}
