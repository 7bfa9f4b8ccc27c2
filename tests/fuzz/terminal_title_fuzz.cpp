#include "terminal/terminal_title.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring title = FuzzText(data, size);
  const TerminalTitle parsed = ParseTerminalTitle(title);
  FUZZ_CHECK(title.find(parsed.account) != std::wstring::npos);
  FUZZ_CHECK(title.find(parsed.server) != std::wstring::npos);
  return 0;
}
