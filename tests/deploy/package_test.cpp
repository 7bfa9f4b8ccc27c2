#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/winmsg.h"
#include "deploy/package_folder.h"
#include "tests/support/scripted_seams.h"
#include "tests/support/temp_folder.h"

namespace {

class PackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_lang.FillTables();
    g_lang.SetLanguage(kLangEnglish);
  }
  void TearDown() override { g_lang.SetLanguage(kLangEnglish); }

  void Put(const std::wstring& relative, std::size_t bytes = 16) {
    ASSERT_TRUE(WriteBytes(temp_ / relative, std::string(bytes, 'x')));
  }
  std::vector<std::wstring> Messages() const { return seams_.prompt.Messages(); }

  TempFolder temp_;
  ScriptedSeams seams_;
};

TEST_F(PackageTest, KeywordsCountAfterTheFirstCharacterAndTheProviderFirst) {
  Put(L"Signal Provider\\experts\\Provider.ex4");
  Put(L"Signal Receiver\\experts\\Receiver.ex4");
  CPackage package(temp_.Path(), kBothRoles);
  package.DetectPackage(false);
  EXPECT_EQ(package.ProviderPackageName(), L"");
  EXPECT_EQ(package.ReceiverPackageName(), L"");

  Put(L"a\\_Velmar Provider for Receiver.ex4");
  Put(L"b\\_Velmar Signal Receiver.ex5");
  package.DetectPackage(true);
  EXPECT_EQ(package.ProviderPackageName(), L"_Velmar Provider for Receiver.ex4");
  EXPECT_EQ(package.ReceiverPackageName(), L"_Velmar Signal Receiver.ex5");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(PackageTest, APackageMissingARoleIsReportedOnlyWithTwoFilesOrMore) {
  Put(L"Signal Receiver\\experts\\_Velmar Signal Receiver.ex4");
  CPackage package(temp_.Path(), kBothRoles);
  package.DetectPackage(true);
  EXPECT_TRUE(Messages().empty());

  Put(L"Signal Receiver\\experts\\_Velmar Receiver Lite.ex4");
  package.DetectPackage(false);
  EXPECT_TRUE(Messages().empty());
  package.DetectPackage(true);
  EXPECT_EQ(Messages(), std::vector<std::wstring>{L"Invalid source files"});
  EXPECT_EQ(package.ProviderPackageName(), L"");
  EXPECT_FALSE(package.ReceiverPackageName().empty());
}

TEST_F(PackageTest, TheRoleFolderFollowsTheInterfaceLanguage) {
  Put(L"Signal Provider\\experts\\_Velmar Signal Provider.ex4");
  Put(L"喊单系统\\experts\\_Velmar 喊单.ex4");
  CPackage package(temp_.Path(), kBothRoles);
  EXPECT_EQ(package.RoleFolder(kRoleProvider), temp_ / L"Signal Provider\\");
  EXPECT_EQ(package.ChooseRoleEa(kRoleProvider), L"_Velmar Signal Provider");
  EXPECT_EQ(package.ExpertsMask(), L"*Velmar*;*Velmar*;*Velmar*;*Provider*.ex4");

  g_lang.SetLanguage(kLangSimplifiedChinese);
  EXPECT_EQ(package.RoleFolder(kRoleProvider), temp_ / L"喊单系统\\");
  EXPECT_EQ(package.ChooseRoleEa(kRoleProvider), L"_Velmar 喊单");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(PackageTest, TheLargestEaFileStandsForTheRole) {
  Put(L"Signal Receiver\\experts\\_Velmar Signal Receiver.ex4", 300000);
  Put(L"Signal Receiver\\experts\\_Velmar Signal Receiver 2.ex4", 310000);
  // The brand patterns list other brand files too; they never stand for the EA.
  Put(L"Signal Receiver\\experts\\_Velmar Receiver manual.pdf", 400000);
  CPackage package(temp_.Path(), kBothRoles);
  EXPECT_EQ(package.ChooseRoleEa(kRoleReceiver), L"_Velmar Signal Receiver 2");
}

TEST_F(PackageTest, FallbackMasksStaySetAndNothingFoundIsTold) {
  Put(L"experts\\MyHandanEa.ex4");
  CPackage provider(temp_.Path(), kProviderOnly);
  EXPECT_EQ(provider.RoleFolder(kRoleProvider), temp_.Path());
  EXPECT_EQ(provider.ChooseRoleEa(kRoleProvider), L"MyHandanEa");
  EXPECT_EQ(provider.ExpertsMask(), L"*");

  CPackage both(temp_.Path(), kBothRoles);
  EXPECT_EQ(both.ChooseRoleEa(kRoleReceiver), std::nullopt);
  EXPECT_EQ(Messages(), std::vector<std::wstring>{g_lang.GetText(msg::kInstallFileNotFound)});
  Put(L"Signal Receiver\\experts\\Old Gendan.ex4");
  EXPECT_EQ(both.ChooseRoleEa(kRoleReceiver), L"Old Gendan");
  EXPECT_EQ(both.ExpertsMask(), L"*Gendan*.ex4");
}

TEST_F(PackageTest, LibrariesAndIndicatorsFallBackToTheExpertsFolder) {
  for (const wchar_t* name : {L"orbix.dll", L"orbixw.dll", L"orbix.lib", L"orbixw.lib", L"other.dll", L"orbix.sin"}) {
    Put(std::wstring(L"Signal Provider\\experts\\libraries\\") + name);
  }
  Put(L"Signal Receiver\\libraries\\orbix.dll");
  Put(L"Signal Receiver\\indicators\\trend.ex4");
  CPackage package(temp_.Path(), kBothRoles);
  EXPECT_EQ(package.LibrariesFolder(kRoleProvider), temp_ / L"Signal Provider\\experts\\libraries\\");
  EXPECT_EQ(package.IndicatorsFolder(kRoleProvider), temp_ / L"Signal Provider\\experts\\indicators\\");
  EXPECT_EQ(package.LibrariesFolder(kRoleReceiver), temp_ / L"Signal Receiver\\libraries\\");
  EXPECT_EQ(package.IndicatorsFolder(kRoleReceiver), temp_ / L"Signal Receiver\\indicators\\");

  std::vector<std::wstring> files;
  g_files.FindFiles(package.LibrariesFolder(kRoleProvider), files, false, CopierLibrariesMask());
  std::vector<std::wstring> names;
  for (const std::wstring& file : files) names.push_back(ToLower(FileNameOf(file, true)));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"orbix.dll", L"orbix.lib", L"orbixw.dll", L"orbixw.lib"}));
}

}  // namespace
