#include <gtest/gtest.h>

#include "app/unattended_command.h"

namespace {

TEST(UnattendedCommand, SwitchesAnyCaseQuotedValuesAndTheWindowWithoutThem) {
  EXPECT_FALSE(ParseUnattendedCommand(L"").has_value());
  EXPECT_FALSE(ParseUnattendedCommand(L"en").has_value());
  const auto install =
      ParseUnattendedCommand(L"/INSTALL=Receiver /Terminals=\"D:\\MT4 A;D:\\MT4 B\" /close /Log=\"C:\\x y\\l.txt\"");
  ASSERT_TRUE(install.has_value());
  EXPECT_EQ(install->error, L"");
  EXPECT_EQ(install->verb, UnattendedCommand::Verb::kInstall);
  EXPECT_EQ(install->role, L"receiver");
  EXPECT_TRUE(install->close);
  EXPECT_EQ(install->log, L"C:\\x y\\l.txt");
  EXPECT_EQ(TerminalFoldersOf(install->terminals), (std::vector<std::wstring>{L"D:\\MT4 A", L"D:\\MT4 B"}));
  EXPECT_TRUE(TerminalFoldersOf(L"Installed").empty());
  for (const wchar_t* wrong : {L"/install=bogus /terminals=all", L"/install /terminals=all", L"/install=provider",
                               L"/list en", L"/list /update", L"/lang=fr /list", L"/quiet"}) {
    const auto command = ParseUnattendedCommand(wrong);
    ASSERT_TRUE(command.has_value()) << wrong;
    EXPECT_NE(command->error, L"") << wrong;
  }
  EXPECT_EQ(JsonString(L"D:\\\"MT4\"\n\x01"), L"\"D:\\\\\\\"MT4\\\"\\n\\u0001\"");
}

}  // namespace
