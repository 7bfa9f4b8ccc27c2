#include <gtest/gtest.h>

#include "terminal/terminal_title.h"

namespace {

TEST(TerminalTitle, AccountBeforeColonAndServerUpToTheLastBracket) {
  const TerminalTitle title = ParseTerminalTitle(L"12345678: Demo-Server - Demo Account - [EURUSD,H1]");
  EXPECT_EQ(title.account, L"12345678");
  // The hyphen of the server name stays, and so does the one before the bracket.
  EXPECT_EQ(title.server, L"Demo-Server - Demo Account -");
}

TEST(TerminalTitle, OnlyTheLastBracketCutsAndHyphensGoBeforeBlanks) {
  EXPECT_EQ(ParseTerminalTitle(L"42: Srv [A] x [EURUSD,M5]").server, L"Srv [A] x");
  EXPECT_EQ(ParseTerminalTitle(L"42:[EURUSD,M5]").server, L"[EURUSD,M5]");
  EXPECT_EQ(ParseTerminalTitle(L"42:--Srv--").server, L"Srv");
  EXPECT_EQ(ParseTerminalTitle(L"42: --Srv--").server, L"--Srv");
}

TEST(TerminalTitle, WithoutColonTheFirstHyphenCutsAndOnlyDigitsMakeAnAccount) {
  const TerminalTitle title = ParseTerminalTitle(L"Demo-Server [EURUSD,H1]");
  EXPECT_EQ(title.account, L"");
  EXPECT_EQ(title.server, L"Server");
}

TEST(TerminalTitle, NothingWithoutSeparatorOrWithOneAtTheStart) {
  for (const wchar_t* text : {L"", L"MetaTrader", L":12345678 Server", L"-Server"}) {
    const TerminalTitle title = ParseTerminalTitle(text);
    EXPECT_TRUE(title.account.empty()) << text;
    EXPECT_TRUE(title.server.empty()) << text;
  }
}

}  // namespace
