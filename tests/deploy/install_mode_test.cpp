#include <gtest/gtest.h>

#include "deploy/install_mode.h"

namespace {

TEST(InstallMode, WordsInTheInstallerPath) {
  EXPECT_EQ(InstallModeFromPath(L"C:\\Downloads\\Pandrake\\Pandrake.exe"), kBothRoles);
  EXPECT_EQ(InstallModeFromPath(L"C:\\Downloads\\Pandrake Provider\\Pandrake.exe"), kProviderOnly);
  EXPECT_EQ(InstallModeFromPath(L"C:\\Downloads\\Pandrake\\Receiver.exe"), kReceiverOnly);
  EXPECT_EQ(InstallModeFromPath(L"C:\\安装喊单\\Pandrake.exe"), kProviderOnly);
  EXPECT_EQ(InstallModeFromPath(L"C:\\x\\安裝跟單.exe"), kReceiverOnly);
  EXPECT_EQ(InstallModeFromPath(L"C:\\x\\安装交易\\Pandrake.exe"), kReceiverOnly);
}

TEST(InstallMode, ReceiverWordsWinAndCaseMatters) {
  EXPECT_EQ(InstallModeFromPath(L"C:\\Provider\\Receiver\\Pandrake.exe"), kReceiverOnly);
  EXPECT_EQ(InstallModeFromPath(L"C:\\Receiver\\Provider.exe"), kReceiverOnly);
  EXPECT_EQ(InstallModeFromPath(L"C:\\provider\\Pandrake.exe"), kBothRoles);
  EXPECT_EQ(InstallModeFromPath(L"C:\\RECEIVER\\Pandrake.exe"), kBothRoles);
}

}  // namespace
