#include "common/path_text.h"

namespace {

// The host build has no system folding; this table covers the scripts found in folder names
// (Latin, Greek, Cyrillic, full-width Latin) so the text tests and fuzzers see real cases.
wchar_t LowerChar(wchar_t c) {
  if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  if (c >= 0x100 && c <= 0x177 && c != 0x130 && c != 0x138) {
    const bool oddUpper = c >= 0x139 && c <= 0x148;
    return (c % 2 == 1) == oddUpper ? static_cast<wchar_t>(c + 1) : c;
  }
  if (c == 0x178) return 0xFF;
  if (c >= 0x179 && c <= 0x17E) return c % 2 == 1 ? static_cast<wchar_t>(c + 1) : c;
  if ((c >= 0x391 && c <= 0x3A9 && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
  return c;
}

}  // namespace

std::wstring ToLower(std::wstring text) {
  for (wchar_t& c : text) c = LowerChar(c);
  return text;
}
