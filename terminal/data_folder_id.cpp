#include "terminal/data_folder_id.h"

#include <windows.h>

#include "common/md5.h"

namespace {

std::wstring UpperCased(const std::wstring& text) {
  if (text.empty()) return text;
  std::wstring upper(text.size(), L'\0');
  const int length = LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, text.c_str(), static_cast<int>(text.size()),
                                  upper.data(), static_cast<int>(upper.size()));
  upper.resize(length > 0 ? length : 0);
  return upper;
}

}  // namespace

std::wstring TerminalDataId(const std::wstring& installFolder) {
  std::wstring path = installFolder;
  while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  std::wstring id = Md5OfText(UpperCased(path));
  for (wchar_t& c : id) c = static_cast<wchar_t>(towupper(c));
  return id;
}
