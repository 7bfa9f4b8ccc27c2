#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <set>

#include "common/catalog_tables.h"
#include "common/message_ids.h"
#include "common/product_texts.h"
#include "common/winmsg.h"

namespace {

class CatalogTest : public ::testing::Test {
 protected:
  void SetUp() override { catalog.FillTables(); }
  std::wstring TextIn(int language, int id) {
    catalog.SetLanguage(language);
    return catalog.GetText(id);
  }
  CWinmsg catalog;
};

std::set<std::wstring> Placeholders(const std::wstring& text) {
  std::set<std::wstring> found;
  for (std::size_t pos = text.find(L'{'); pos != std::wstring::npos; pos = text.find(L'{', pos + 1)) {
    if (pos + 2 < text.size() && iswdigit(text[pos + 1]) && text[pos + 2] == L'}') found.insert(text.substr(pos, 3));
  }
  return found;
}

TEST_F(CatalogTest, EveryIdCarriesTheSamePlaceholdersInAllLanguages) {
  for (int id = 0; id < CWinmsg::kMessageCount; ++id) {
    const auto english = Placeholders(TextIn(kLangEnglish, id));
    EXPECT_EQ(english, Placeholders(TextIn(kLangSimplifiedChinese, id))) << "id " << id;
    EXPECT_EQ(english, Placeholders(TextIn(kLangTraditionalChinese, id))) << "id " << id;
  }
  EXPECT_EQ(Placeholders(TextIn(kLangEnglish, msg::kRoleConflict)), (std::set<std::wstring>{L"{0}", L"{1}"}));
}

TEST_F(CatalogTest, TablesAssignTheSameIdsInTheSameOrder) {
  auto ids = [](int language) {
    std::vector<int> list;
    for (const CatalogEntry& entry : MessageTable(language)) list.push_back(entry.id);
    return list;
  };
  std::vector<int> english = ids(kLangEnglish);
  std::vector<int> simplified = ids(kLangSimplifiedChinese);
  EXPECT_TRUE(std::is_sorted(english.begin(), english.end()));
  EXPECT_TRUE(std::is_sorted(simplified.begin(), simplified.end()));
  // Only the extraction notice (45 in English, 50 in Chinese) and 144-149 differ.
  std::erase_if(english, [](int id) { return id == 45 || (id >= 144 && id <= 149); });
  std::erase(simplified, 50);
  EXPECT_EQ(english, simplified);
  std::vector<int> traditional = ids(kLangTraditionalChinese);
  std::erase(traditional, 50);
  std::erase(simplified, 8);
  EXPECT_EQ(simplified, traditional);
}

TEST_F(CatalogTest, UnassignedAndOutOfRangeIdsAreEmptyInEveryLanguage) {
  for (int language : {kLangEnglish, kLangSimplifiedChinese, kLangTraditionalChinese}) {
    for (int id : {27, 39, 46, 63, 96, 117, 157, 299, 300, -1}) EXPECT_EQ(TextIn(language, id), L"") << id;
  }
  EXPECT_EQ(TextIn(3, msg::kExit), L"");
  EXPECT_EQ(TextIn(-1, msg::kExit), L"");
}

TEST_F(CatalogTest, ExtractionNoticeStandsAt45InEnglishAnd50InChinese) {
  EXPECT_EQ(TextIn(kLangEnglish, 45), L"Please extract the installation files before installing!");
  EXPECT_EQ(TextIn(kLangEnglish, 50), L"");
  EXPECT_EQ(TextIn(kLangSimplifiedChinese, 45), L"");
  EXPECT_EQ(TextIn(kLangSimplifiedChinese, 50), L"请先把跟单系统解压到本地目录后再安装!");
}

TEST_F(CatalogTest, TraditionalChineseFallsBackToSimplifiedOnlyWhereEmpty) {
  EXPECT_EQ(TextIn(kLangTraditionalChinese, msg::kColumnAccount), L"账号");
  EXPECT_EQ(TextIn(kLangTraditionalChinese, msg::kRoleProvider), L"喊單");
  EXPECT_EQ(TextIn(kLangTraditionalChinese, 35), L"請關閉MT4軟件後再卸载!");
}

TEST_F(CatalogTest, EnglishTextsAndRealLineBreaks) {
  EXPECT_EQ(TextIn(kLangEnglish, msg::kSearching), L"Searching,please wait...");
  EXPECT_EQ(TextIn(kLangEnglish, 95), L"Invalid installation path of MT4");
  EXPECT_EQ(TextIn(kLangEnglish, msg::kCopyFailed),
            L"Failed to copy file!\nPlease run the Installer as Administrator!");
  EXPECT_EQ(TextIn(kLangSimplifiedChinese, msg::kTerminals), L"MT4安装目录");
}

TEST_F(CatalogTest, ReloadMessageTakesTheRoleWordOfTheSameLanguage) {
  catalog.SetLanguage(kLangEnglish);
  EXPECT_EQ(ReplaceAll(catalog.GetText(msg::kNeedReload), L"{0}", catalog.GetText(msg::kRoleProvider)),
            L"Need to reload Signal Provider EA");
  catalog.SetLanguage(kLangSimplifiedChinese);
  EXPECT_EQ(ReplaceAll(catalog.GetText(msg::kNeedReload), L"{0}", catalog.GetText(msg::kRoleProvider)),
            L"需要重新加载喊单EA");
}

TEST_F(CatalogTest, SetTextChangesOnlyTheCurrentLanguageAndExpandsEscapedBreaks) {
  catalog.SetLanguage(kLangSimplifiedChinese);
  catalog.SetText(msg::kRoleReceiver, L"first\\nsecond");
  EXPECT_EQ(catalog.GetText(msg::kRoleReceiver), L"first\nsecond");
  EXPECT_EQ(TextIn(kLangEnglish, msg::kRoleReceiver), L"Receiver");
  EXPECT_EQ(TextIn(kLangTraditionalChinese, msg::kRoleReceiver), L"跟單");
}

TEST_F(CatalogTest, ProductTextsDecodeAndFollowTheSameLookupRules) {
  for (int language : {kLangEnglish, kLangSimplifiedChinese, kLangTraditionalChinese}) {
    catalog.SetLanguage(language);
    EXPECT_FALSE(catalog.GetProductText(product_text::kDisplayName).empty());
    EXPECT_EQ(catalog.GetProductText(product_text::kShortName), L"Pandrake");
    EXPECT_EQ(catalog.GetProductText(8), L"");
    EXPECT_EQ(catalog.GetProductText(120), L"");
  }
  catalog.SetLanguage(kLangEnglish);
  EXPECT_EQ(catalog.GetProductText(19), L"");
  catalog.SetLanguage(5);
  EXPECT_EQ(catalog.GetProductText(product_text::kDisplayName), L"");
}

TEST_F(CatalogTest, ProductTextsAreNotStoredInPlain) {
  std::array<std::wstring, 360> stored;
  FillProductTexts(stored);
  const std::wstring plainName = std::wstring(L"Pand") + L"rake";
  EXPECT_NE(stored[product_text::kShortName], plainName);
  EXPECT_EQ(DecodeProductText(stored[product_text::kShortName]), plainName);
}

TEST(CommandLine, ArgumentFollowsTheProgramName) {
  EXPECT_EQ(CommandLineArgument(L"\"C:\\Trade Copier\\Pandrake.exe\" en"), L"en");
  EXPECT_EQ(CommandLineArgument(L"C:\\Pandrake.exe en"), L"en");
  EXPECT_EQ(CommandLineArgument(L"C:\\Pandrake.exe en x"), L"en x");
  EXPECT_EQ(CommandLineArgument(L"\"C:\\Pandrake.exe\""), L"");
  EXPECT_EQ(CommandLineArgument(L"C:\\Pandrake.EXE en"), L"");
}

TEST(CommandLine, LanguageChoiceOrder) {
  EXPECT_EQ(ChooseLanguage(false, L"x.exe", -1), kLangEnglish);
  EXPECT_EQ(ChooseLanguage(true, L"x.exe", -1), kLangSimplifiedChinese);
  EXPECT_EQ(ChooseLanguage(true, L"x.exe en", -1), kLangEnglish);
  EXPECT_EQ(ChooseLanguage(true, L"x.exe EN", -1), kLangSimplifiedChinese);
  // The edition profile has the last word.
  EXPECT_EQ(ChooseLanguage(false, L"x.exe en", kLangSimplifiedChinese), kLangSimplifiedChinese);
  EXPECT_EQ(ChooseLanguage(true, L"x.exe", kLangEnglish), kLangEnglish);
}

}  // namespace
