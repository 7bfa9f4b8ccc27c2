#include <gtest/gtest.h>

#include "common/edition.h"
#include "common/system_language.h"
#include "common/winmsg.h"
#include "tests/support/test_system.h"

namespace {

// Runs on an English and on a Simplified Chinese Wine system.
TEST(SystemLanguage, ChineseSystemIsDetected) {
  EXPECT_EQ(IsChineseSystem(), TestLocale() == "zh");
}

TEST(SystemLanguage, InitChoosesTheEditionLanguageWhateverTheSystem) {
  CWinmsg catalog;
  catalog.Init();
  EXPECT_EQ(catalog.Language(), ActiveEdition().language);
  EXPECT_EQ(DefaultEdition().language, kLangSimplifiedChinese);
  EXPECT_EQ(catalog.GetText(15), ActiveEdition().language == 1 ? L"退出" : L"Exit");
}

TEST(SystemLanguage, DefaultEditionValues) {
  const EditionProfile& edition = DefaultEdition();
  EXPECT_STREQ(edition.shortName, L"Pandrake");
  EXPECT_STREQ(edition.productCode, L"pelk");
  EXPECT_STREQ(edition.makerWord, L"Velmar");
  EXPECT_EQ(edition.dataFolderType, 2);
  EXPECT_TRUE(edition.fullFeature);
  EXPECT_STREQ(edition.webPaneAddress, L"");
}

}  // namespace
