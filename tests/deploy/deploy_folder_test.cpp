#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/file_ctrl.h"
#include "common/unique_handle.h"
#include "deploy/deploy_folder.h"
#include "deploy/engine_messages.h"
#include "tests/support/fake_terminal_process.h"
#include "tests/support/temp_folder.h"

namespace {

class DeployFolderTest : public ::testing::Test {
 protected:
  std::wstring Source(const std::wstring& name) const { return package_ / (L"experts\\" + name); }
  std::wstring Target(const std::wstring& name) const { return terminal_ / (L"MQL4\\Experts\\" + name); }
  int Deploy(const std::wstring& masks, bool overwrite = true) {
    return DeployFolder(package_ / L"experts", masks, terminal_ / L"MQL4\\Experts", list_, overwrite, state_);
  }

  TempFolder package_;
  TempFolder terminal_;
  std::wstring list_;
  DeployState state_;
};

// Held as a running program holds its files: readable by others, not writable.
UniqueHandle HoldOpen(const std::wstring& path) {
  return UniqueHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
}

TEST_F(DeployFolderTest, SecondDeploymentCopiesNothingAndStillListsEveryFile) {
  ASSERT_TRUE(WriteBytes(Source(L"Copier.ex4"), "compiled"));
  ASSERT_TRUE(WriteBytes(Source(L"Copier.mq4"), "source"));
  ASSERT_TRUE(WriteBytes(Source(L"Helper.mq4"), "helper source"));
  ASSERT_TRUE(WriteBytes(Source(L"Other.ex4"), "not asked for"));
  const std::wstring masks = L"Copier.mq4;Helper.mq4;Copier.*,*.mq4";

  EXPECT_EQ(Deploy(masks), 3);
  EXPECT_EQ(list_, L"Helper.mq4,Copier.ex4,") << "a twin's source is named only without its twin";
  EXPECT_TRUE(state_.executableAdded);
  EXPECT_FALSE(state_.executableReplaced);
  EXPECT_EQ(ReadBytes(Target(L"Copier.ex4")), "compiled");
  EXPECT_FALSE(FileExists(Target(L"Other.ex4")));

  // Any copy attempt now fails, so a clean second run proves that nothing was copied.
  std::vector<UniqueHandle> held;
  for (const wchar_t* name : {L"Copier.ex4", L"Copier.mq4", L"Helper.mq4"}) {
    held.push_back(HoldOpen(Target(name)));
    ASSERT_TRUE(held.back());
  }
  list_.clear();
  state_ = {};
  EXPECT_EQ(Deploy(masks), 3);
  EXPECT_EQ(state_.errorText, L"");
  EXPECT_EQ(list_, L"Helper.mq4,Copier.ex4,");
  EXPECT_FALSE(state_.executableAdded || state_.executableReplaced);
}

TEST_F(DeployFolderTest, ChangedCompiledEaIsReplacedAndFlagged) {
  ASSERT_TRUE(WriteBytes(Source(L"Copier.ex4"), "new build"));
  ASSERT_TRUE(WriteBytes(Target(L"Copier.ex4"), "old build"));
  EXPECT_EQ(Deploy(L"*"), 1);
  EXPECT_TRUE(state_.executableReplaced);
  EXPECT_FALSE(state_.executableAdded);
  EXPECT_EQ(ReadBytes(Target(L"Copier.ex4")), "new build");
}

TEST_F(DeployFolderTest, TerminalsExpertsIniIsKeptWithOrWithoutOverwrite) {
  ASSERT_TRUE(WriteBytes(Source(L"experts.ini"), "package copy"));
  ASSERT_TRUE(WriteBytes(Target(L"experts.ini"), "terminal copy"));
  for (bool overwrite : {true, false}) {
    EXPECT_EQ(Deploy(L"*", overwrite), 1);
    EXPECT_EQ(state_.errorText, L"");
    EXPECT_EQ(ReadBytes(Target(L"experts.ini")), "terminal copy");
  }
  EXPECT_EQ(list_, L"experts.ini,experts.ini,");
}

TEST_F(DeployFolderTest, EmptyPackageFileIsWrittenWhereNoneIs) {
  ASSERT_TRUE(WriteBytes(Source(L"Empty.ex4"), ""));
  EXPECT_EQ(Deploy(L"*"), 1);
  EXPECT_EQ(list_, L"Empty.ex4,");
  EXPECT_TRUE(FileExists(Target(L"Empty.ex4")));
  EXPECT_TRUE(state_.executableAdded);
}

TEST_F(DeployFolderTest, FileHeldByRunningTerminalStopsTheFolderAndLaterFolders) {
  ASSERT_TRUE(WriteBytes(Source(L"a.dll"), "first"));
  ASSERT_TRUE(WriteBytes(Source(L"orbix.dll"), "new library"));
  ASSERT_TRUE(WriteBytes(Source(L"z.dll"), "last"));
  ASSERT_TRUE(WriteBytes(Target(L"orbix.dll"), "old library"));
  EndStrayTerminals();
  FakeTerminal holder(terminal_.Path(), L"--hold \"" + Target(L"orbix.dll") + L"\" 8: Server");
  ASSERT_TRUE(holder.Window());

  EXPECT_EQ(Deploy(L"a.dll;orbix.dll;z.dll"), 1);
  EXPECT_EQ(state_.errorText, EngineMessage(kMsgCloseTerminal) + L"#orbix.dll");
  EXPECT_EQ(list_, L"a.dll,");
  EXPECT_EQ(ReadBytes(Target(L"a.dll")), "first");
  EXPECT_EQ(ReadBytes(Target(L"orbix.dll")), "old library");
  EXPECT_FALSE(FileExists(Target(L"z.dll")));

  EXPECT_EQ(Deploy(L"z.dll"), 0);
  EXPECT_FALSE(FileExists(Target(L"z.dll")));
}

}  // namespace
