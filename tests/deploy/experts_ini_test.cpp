#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "common/file_ctrl.h"
#include "deploy/experts_ini.h"
#include "deploy/file_equality.h"
#include "tests/support/temp_folder.h"

namespace {

// A data folder with config\ and MQL4\, the layout of a terminal that has run once.
class ExpertsIniTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(g_files.CreateFolderPath(data_ / L"config"));
    ASSERT_TRUE(g_files.CreateFolderPath(data_ / L"MQL4\\experts"));
  }
  std::wstring Ini() const { return data_ / L"config\\experts.ini"; }
  std::wstring Target() const { return data_ / L"MQL4\\"; }

  TempFolder data_;
};

std::string Pattern(std::size_t size) {
  std::string bytes;
  for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>(0x40 + i % 50);
  return bytes;
}

TEST_F(ExpertsIniTest, NewFileHasTheOptionsLayoutExactly) {
  std::string expected(4388, '\0');
  expected[0] = static_cast<char>(0x90);
  expected[1] = expected[4] = expected[20] = expected[28] = expected[36] = 1;
  EnableExpertsIni(Target());
  EXPECT_EQ(ReadBytes(Ini()), expected);
  EXPECT_FALSE(FileExists(data_ / L"config\\experts.vrk"));
}

TEST_F(ExpertsIniTest, ShortFileStaysAndLongerFileIsEditedAtItsOffsetsOnly) {
  const std::string shortFile = Pattern(200);
  ASSERT_TRUE(WriteBytes(Ini(), shortFile));
  EnableExpertsIni(Target());
  EXPECT_EQ(ReadBytes(Ini()), shortFile);

  std::string longFile = Pattern(201);
  ASSERT_TRUE(WriteBytes(Ini(), longFile));
  EnableExpertsIni(Target());
  longFile[8] = longFile[12] = longFile[44] = 0;
  longFile[20] = longFile[36] = 1;
  EXPECT_EQ(ReadBytes(Ini()), longFile);
}

TEST_F(ExpertsIniTest, BackupKeepsTheFirstOriginal) {
  const std::string original = Pattern(300);
  ASSERT_TRUE(WriteBytes(Ini(), original));
  EnableExpertsIni(Target());
  EnableExpertsIni(Target());
  EXPECT_EQ(ReadBytes(data_ / L"config\\experts.vrk"), original);
  EXPECT_NE(ReadBytes(Ini()), original);
}

TEST_F(ExpertsIniTest, LegacyInstallFolderUsesItsOwnConfig) {
  TempFolder install;
  ASSERT_TRUE(g_files.CreateFolderPath(install / L"config"));
  EnableExpertsIni(install.Path());
  EXPECT_EQ(ReadBytes(install / L"config\\experts.ini").size(), 4388u);
  // Without any config folder nothing is written.
  TempFolder bare;
  EnableExpertsIni(bare.Path());
  EXPECT_FALSE(FileExists(bare / L"config\\experts.ini"));
}

TEST_F(ExpertsIniTest, TerminalsOwnExpertsIniIsNeverReplacedByThePackage) {
  TempFolder package;
  ASSERT_TRUE(WriteBytes(package / L"experts\\experts.ini", "package copy"));
  const std::wstring target = data_ / L"MQL4\\experts\\experts.ini";
  ASSERT_TRUE(WriteBytes(target, "terminal copy"));
  EXPECT_EQ(CopyForDeploy(package / L"experts\\experts.ini", target, true), kCopyDone);
  EXPECT_EQ(ReadBytes(target), "terminal copy");
  const std::wstring upper = data_ / L"MQL4\\experts\\EXPERTS.INI";
  EXPECT_TRUE(KeepsExistingTarget(upper));
  // Where the terminal has none, the package's copy goes in.
  DeleteFileW(target.c_str());
  EXPECT_FALSE(KeepsExistingTarget(target));
  EXPECT_EQ(CopyForDeploy(package / L"experts\\experts.ini", target, true), kCopyDone);
  EXPECT_EQ(ReadBytes(target), "package copy");
}

}  // namespace
