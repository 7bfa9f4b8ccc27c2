#include "app/terminal_rows.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const auto f = FuzzFields(data + 2, size - 2, 8);
  TerminalRows list;
  list.selectionMark = static_cast<signed char>(data[0]);
  for (std::size_t i = 0; i < f.size() && i < data[1] % 9; ++i) list.rows.push_back({(data[1] >> i) % 2 == 1, f[i]});
  const std::vector<int> chosen = list.TickedOrSelected();
  FUZZ_CHECK(list.Folders(chosen).size() == chosen.size());
  const std::size_t before = list.rows.size();
  const bool anyTicked = list.AnyTicked();
  if (list.RemoveTickedOrSelected()) {
    FUZZ_CHECK(list.rows.size() < before && list.selectionMark == -1);
    if (anyTicked) FUZZ_CHECK(!list.AnyTicked());
  } else {
    FUZZ_CHECK(list.rows.size() == before && chosen.empty());
  }
  list.InvertTicks();
  list.TickAll();
  FUZZ_CHECK(list.TickedOrSelected().size() == list.rows.size());

  const std::wstring explained = ExplainState(f[0], {f[1], f[2]}, {f[3]});
  FUZZ_CHECK(explained.find_first_of(L"{}#") == std::wstring::npos);
  return 0;
}
