#include <windows.h>

#include "common/path_text.h"

// The system's own folding, so a folder named in any script compares as Windows does; the
// invariant locale keeps it the same on every user's machine.
std::wstring ToLower(std::wstring text) {
  const int size = static_cast<int>(text.size());
  if (size == 0) return text;
  std::wstring lower(text.size(), L'\0');
  if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, text.data(), size, lower.data(), size, nullptr,
                    nullptr, 0) != size) {
    return text;
  }
  return lower;
}
