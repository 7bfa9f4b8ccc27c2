#include <gtest/gtest.h>

#include <regex>

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "tests/support/scripted_seams.h"
#include "tests/support/test_system.h"

namespace {

TEST(ShellHelpers, BrowserFallsBackToTheDefaultOneWhenTheFirstCannotStart) {
  ScriptedSeams seams;
  EXPECT_EQ(g_files.OpenInBrowser(L"https://example.com/help"), 42);
  ASSERT_EQ(seams.shell.calls.size(), 1u);
  EXPECT_EQ(ToLower(seams.shell.calls[0].file), ToLower(InternetExplorerProgram()));
  EXPECT_EQ(seams.shell.calls[0].parameters, L"https://example.com/help");

  seams.shell.calls.clear();
  seams.shell.result = 2;
  g_files.OpenInBrowser(L"https://example.com/help");
  ASSERT_EQ(seams.shell.calls.size(), 2u);
  EXPECT_EQ(seams.shell.calls[1].file, L"https://example.com/help");
  EXPECT_EQ(seams.shell.calls[1].parameters, L"");
  EXPECT_EQ(seams.shell.calls[1].showCommand, SW_SHOWNORMAL);
}

TEST(TimeText, DatesAreWrittenInOneFixedForm) {
  EXPECT_EQ(g_files.DateTimeText(L"2024-03-05 14:07:09"), L"2024-03-05 14:07:09");
  EXPECT_EQ(g_files.DateTimeText(L"not a date"), L"Invalid DateTime");
  const std::wstring now = g_files.NowText();
  EXPECT_TRUE(std::regex_match(std::string(now.begin(), now.end()),
                               std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")));
}

}  // namespace
