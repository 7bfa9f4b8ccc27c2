#include <gtest/gtest.h>

#include "common/file_ctrl.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_system.h"

namespace {

TEST(FileVersions, VersionResourceOfABuiltDll) {
  const std::wstring dll = TestProgramFolder() + L"version_probe.dll";
  ASSERT_TRUE(FileExists(dll));
  EXPECT_EQ(g_files.GetVersionString(dll, L"FileVersion"), L"2, 1, 0, 5 (beta)");
  EXPECT_EQ(g_files.GetFileVersionText(dll), L"2.1.0.5");
  EXPECT_EQ(g_files.GetVersionString(dll, L"ProductVersion"), L"2.1");
  EXPECT_EQ(g_files.GetVersionString(dll, L"NoSuchKey"), L"");
}

TEST(FileVersions, NoVersionResourceGivesEmptyText) {
  TempFolder temp;
  WriteBytes(temp / L"plain.dll", "not a program");
  EXPECT_EQ(g_files.GetFileVersionText(temp / L"plain.dll"), L"");
  EXPECT_EQ(g_files.GetFileVersionText(temp / L"missing.dll"), L"");
}

}  // namespace
