#include "common/product_texts.h"
#include "common/winmsg.h"
#include "deploy/engine_messages.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool filled = (g_lang.FillTables(), true);
  (void)filled;
  if (size < 9) return 0;
  int id = 0, language = 0;
  for (int i = 0; i < 4; ++i) id = id << 8 | data[i];
  for (int i = 4; i < 8; ++i) language = language << 8 | data[i];
  const auto f = FuzzFields(data + 8, size - 8, 3);
  // Any id in any language gives a text or "", never a read outside the tables.
  g_lang.SetLanguage(data[8] % CWinmsg::kLanguages);
  g_lang.GetText(id);
  g_lang.GetProductText(id);
  EngineMessage(id, language);
  EngineMessage(id);
  DecodeProductText(f[0]);
  // Edition profiles hold -1 (keep the system's choice) or a language index.
  const int chosen = ChooseLanguage(data[8] & 1, f[0], data[8] % 4 - 1);
  FUZZ_CHECK(chosen >= 0 && chosen < CWinmsg::kLanguages);
  CommandLineArgument(f[0]);
  FUZZ_CHECK(ExpandLineBreaks(f[0]).size() <= f[0].size());
  if (!f[1].empty()) FUZZ_CHECK(ReplaceAll(f[0], f[1], f[1]) == f[0]);
  ReplaceAll(f[0], f[1], f[2]);
  return 0;
}
