#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "common/winmsg.h"
#include "deploy/engine_messages.h"

namespace {

std::set<std::wstring> Placeholders(const std::wstring& text) {
  std::set<std::wstring> found;
  const std::wregex marker(L"\\{[A-Z0-9]+\\}");
  for (auto it = std::wsregex_iterator(text.begin(), text.end(), marker); it != std::wsregex_iterator(); ++it) {
    found.insert(it->str());
  }
  return found;
}

TEST(EngineMessages, ThirteenMessagesInEveryLanguageWithTheSamePlaceholders) {
  for (int k = 0; k < kEngineSlotsPerLanguage; ++k) {
    const std::wstring english = EngineMessage(k, kLangEnglish);
    EXPECT_EQ(english.empty(), k > kMsgRunTerminalFirst) << "slot " << k;
    for (int language : {kLangSimplifiedChinese, kLangTraditionalChinese}) {
      const std::wstring text = EngineMessage(k, language);
      EXPECT_EQ(text.empty(), english.empty()) << "slot " << k << " language " << language;
      EXPECT_EQ(Placeholders(text), Placeholders(english)) << "slot " << k;
    }
  }
  EXPECT_EQ(EngineMessage(kEngineSlotsPerLanguage, kLangEnglish), L"");
  EXPECT_EQ(EngineMessage(-1), L"");
}

TEST(EngineMessages, FollowTheCatalogLanguage) {
  const int saved = g_lang.Language();
  g_lang.SetLanguage(kLangTraditionalChinese);
  EXPECT_EQ(EngineMessage(kMsgUnknownError), L"未知錯誤");
  g_lang.SetLanguage(kLangEnglish);
  EXPECT_EQ(EngineMessage(kMsgCloseTerminal), L"Please close the running MT4 terminal,and then try again!");
  g_lang.SetLanguage(saved);
}

}  // namespace
