#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deploy/uninstall_text.h"

namespace {

TEST(UninstallListsTest, FixedNamesComeFirstThenTheInstallerFilesWithTheExactExtension) {
  const std::vector<std::wstring> files = {L"Pandrake.exe", L"Bridge.dll", L"Upper.DLL", L"old.dll.bak",
                                           L"Tool.ex4",     L"Tool.EX4",   L"Gold.tpl",  L"orbix.sin"};
  const CopierFileLists lists = BuildCopierFileLists(files, true);
  EXPECT_EQ(lists.libraries, L"orbix.dll*orbixw.dll*orbix.lib*orbixw.lib*Bridge.dll*");
  EXPECT_EQ(lists.experts,
            L"_Velmar喊单系统.ex4*_Velmar喊单EA.ex4*_Velmar跟单系统.ex4*_Velmar跟单EA.ex4*"
            L"_Velmar喊單系統.ex4*_Velmar喊單EA.ex4*_Velmar跟單系統.ex4*_Velmar跟單EA.ex4*"
            L"_Velmar Signal Provider.ex4*_Velmar Signal Receiver.ex4*"
            L"_VelmarMT4助手.ex4*_Velmar MT4 Helper.ex4*Tool.ex4*");
  EXPECT_EQ(lists.templates, L"Gold.tpl*");
  EXPECT_EQ(BuildCopierFileLists(files, false).libraries, L"Bridge.dll*");
  EXPECT_EQ(SplitFileList(L"*a.dll**b.ex4*"), (std::vector<std::wstring>{L"a.dll", L"b.ex4"}));
}

}  // namespace
