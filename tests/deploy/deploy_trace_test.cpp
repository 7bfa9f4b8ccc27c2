#include <gtest/gtest.h>

#include <string>

#include "common/file_ctrl.h"
#include "deploy/deploy_package.h"
#include "deploy/deploy_trace.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(DeployTrace, OnlyAnInstallerNamedWithATrailingOneTraces) {
  EXPECT_TRUE(IsTracingInstallerPath(L"C:\\pkg\\Setup1.exe"));
  EXPECT_FALSE(IsTracingInstallerPath(L"C:\\pkg\\Setup1.EXE")) << "the name is compared case-sensitively";
  EXPECT_FALSE(IsTracingInstallerPath(L"C:\\pkg\\Setup.exe"));
  EXPECT_FALSE(IsTracingInstallerPath(L"1.ex"));
  EXPECT_EQ(DeployTraceFileFor(L"C:\\pkg\\Setup.exe", L"C:\\Temp\\", L"pelk"), L"");
  EXPECT_EQ(DeployTraceFileFor(L"C:\\pkg\\Setup1.exe", L"C:\\Temp\\", L"pelk"), L"C:\\Temp\\pelk_install_trace.log");
}

class DeployTraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteBytes(package_ / L"experts\\Copier.ex4", "compiled"));
    ASSERT_TRUE(g_files.CreateFolderPath(mql_ / L"experts"));
    source_.roleFolder = package_.Path();
    source_.experts = package_ / L"experts\\";
    source_.libraries = package_ / L"libraries\\";
    source_.indicators = package_ / L"indicators\\";
    source_.expertsMask = L"Copier.*";
  }
  void TearDown() override { SetDeployTraceFile(L""); }
  std::string Deploy() {
    DeployLists lists;
    DeployState state;
    EXPECT_EQ(DeployPackage(source_, mql_.Path(), lists, state), L"SUCC");
    return ReadBytes(log_);
  }

  TempFolder package_;
  TempFolder mql_;
  TempFolder logs_;
  std::wstring log_ = logs_ / L"trace.log";
  DeploySource source_;
};

TEST_F(DeployTraceTest, TracesTheMaskEveryFolderAndEveryCopyOnly) {
  SetDeployTraceFile(log_);
  const std::string first = Deploy();
  EXPECT_NE(first.find("EXT:Copier.*\r\n"), std::string::npos) << first;
  EXPECT_NE(first.find("IF:1#"), std::string::npos) << first;
  EXPECT_NE(first.find("IF:0#"), std::string::npos) << "an empty folder is traced too";
  EXPECT_NE(first.find("CFR:1,"), std::string::npos) << first;

  const std::string second = Deploy().substr(first.size());
  EXPECT_NE(second.find("EXT:"), std::string::npos);
  EXPECT_EQ(second.find("CFR:"), std::string::npos) << "an equal file is not copied: " << second;
}

TEST_F(DeployTraceTest, WritesNothingWhenTracingIsOff) {
  Deploy();
  EXPECT_FALSE(FileExists(log_));
}

}  // namespace
