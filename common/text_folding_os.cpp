#include <windows.h>

#include <algorithm>

#include "common/path_text.h"

// The system's own folding, so a folder named in any script compares as Windows does; the
// invariant locale keeps it the same on every user's machine.
std::wstring ToLower(std::wstring text) {
  // Plain ASCII folds only A-Z, and a call to the system costs microseconds a path: the
  // start-up folds every file name below the installer's folder.
  if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; })) {
    for (wchar_t& c : text) {
      if (c >= L'A' && c <= L'Z') c += L'a' - L'A';
    }
    return text;
  }
  const int size = static_cast<int>(text.size());
  std::wstring lower(text.size(), L'\0');
  if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, text.data(), size, lower.data(), size, nullptr,
                    nullptr, 0) != size) {
    return text;
  }
  return lower;
}
