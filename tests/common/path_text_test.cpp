#include <gtest/gtest.h>

#include "common/path_text.h"

namespace {

TEST(PathText, ParentFolderKeepsItsSeparatorAndIgnoresOneTrailingOne) {
  EXPECT_EQ(ParentFolderOf(L"C:\\a\\b\\file.txt"), L"C:\\a\\b\\");
  EXPECT_EQ(ParentFolderOf(L"C:\\a\\b\\"), L"C:\\a\\");
  EXPECT_EQ(ParentFolderOf(L"C:\\a\\b"), L"C:\\a\\");
  EXPECT_EQ(ParentFolderOf(L"C:/a/b/"), L"C:/a/");
  EXPECT_EQ(ParentFolderOf(L"file.txt"), L"");
  EXPECT_EQ(ParentFolderOf(L""), L"");
}

TEST(PathText, FileNameAndExtension) {
  EXPECT_EQ(FileNameOf(L"C:\\a\\terminal.exe", true), L"terminal.exe");
  EXPECT_EQ(FileNameOf(L"C:\\a\\my.chart.chr", false), L"my.chart");
  EXPECT_EQ(FileNameOf(L"C:\\a\\folder\\\\", true), L"folder");
  EXPECT_EQ(FileNameOf(L"C:/a/name", false), L"name");
  EXPECT_EQ(FileExtensionOf(L"C:\\a\\Orbix.DLL", false), L"dll");
  EXPECT_EQ(FileExtensionOf(L"C:\\a\\Orbix.DLL", true), L".dll");
  EXPECT_EQ(FileExtensionOf(L".profile", true), L"");
  EXPECT_EQ(FileExtensionOf(L"C:\\v1.2\\README", false), L"");
}

TEST(PathText, NormalizePathCleansSeparatorsButKeepsNetworkPrefixes) {
  EXPECT_EQ(NormalizePath(L"  C:/Program Files//MT4\\\\\\terminal.exe "), L"C:\\Program Files\\MT4\\terminal.exe");
  EXPECT_EQ(NormalizePath(L"\\\\server\\\\share/x"), L"\\\\server\\share\\x");
  EXPECT_EQ(NormalizePath(L"//server/share"), L"\\\\server\\share");
  EXPECT_EQ(NormalizePath(L"C:\\a\\|\\\\server\\s\\|"), L"C:\\a\\|\\\\server\\s\\|");
  EXPECT_EQ(NormalizePath(L""), L"");
}

TEST(PathText, LowerCaseCoversLettersBeyondAscii) {
  EXPECT_EQ(ToLower(L"C:\\Users\\\xDCLRICH\\\x141\x17D\\\x414\x41E\x41A\x401 \xFF21 \x4E2D"),
            L"c:\\users\\\xFClrich\\\x142\x17E\\\x434\x43E\x43A\x451 \xFF41 \x4E2D");
  EXPECT_TRUE(MatchesMask(L"\xC4rger.EX4", L"\xE4*.ex4"));
}

TEST(PathText, MaskListsSplitAtEveryKindOfComma) {
  const std::vector<std::wstring> expected{L"*.ex4", L"*.dll", L"*.mqh"};
  EXPECT_EQ(SplitMasks(L"*.ex4;*.dll;*.mqh"), expected);
  EXPECT_EQ(SplitMasks(L"*.ex4,*.dll,*.mqh"), expected);
  EXPECT_EQ(SplitMasks(L"*.ex4\xFF0C*.dll\xFF0C *.mqh"), expected);
  EXPECT_EQ(SplitMasks(L""), std::vector<std::wstring>{L"*"});
}

TEST(PathText, MasksMatchTheWholeLongNameIgnoringCase) {
  EXPECT_TRUE(MatchesMask(L"Receiver.EX4", L"*.ex4"));
  EXPECT_FALSE(MatchesMask(L"b.ex4x", L"*.ex4"));
  EXPECT_FALSE(MatchesMask(L"x.dll.bak", L"*.dll"));
  EXPECT_TRUE(MatchesMask(L"x.dll.bak", L"*.dll*"));
  EXPECT_TRUE(MatchesMask(L"chart01.chr", L"chart??.chr"));
  EXPECT_FALSE(MatchesMask(L"chart1.chr", L"chart??.chr"));
  EXPECT_TRUE(MatchesMask(L"README", L"*.*"));
  EXPECT_TRUE(MatchesMask(L"", L"*"));
}

// Masks come from package folder names: backtracking at every star took seconds on long names.
TEST(PathText, MasksWithManyStarsMatchInLinearTime) {
  const std::wstring name(4000, L'a');
  EXPECT_FALSE(MatchesMask(name, L"*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(MatchesMask(name + L"b.ex4", L"*a*a*a*a*a*a*a*a*b.*"));
}

TEST(VersionText, CompareVersionCountsPartsBeforeNumbers) {
  EXPECT_EQ(CompareVersionText(L"1.2", L"1.10"), 1);
  EXPECT_EQ(CompareVersionText(L"1.10", L"1.2"), -1);
  EXPECT_EQ(CompareVersionText(L"1.2.0", L"1.3"), -1);
  EXPECT_EQ(CompareVersionText(L"9.9", L"1.0.0"), 1);
  EXPECT_EQ(CompareVersionText(L"1.0", L"1.00"), -1);
  EXPECT_EQ(CompareVersionText(L" 2.1.0.5\t", L"2.1.0.5"), 0);
  EXPECT_EQ(CompareVersionText(L"2.x", L"2.1"), 1);
}

TEST(VersionText, FileVersionCleanup) {
  EXPECT_EQ(CleanFileVersion(L"2, 1, 0, 5 (beta)"), L"2.1.0.5");
  EXPECT_EQ(CleanFileVersion(L"3.0.1_rc#2"), L"3.0.1");
  EXPECT_EQ(CleanVersionValue(L" ?1.4? "), L"1.4");
  EXPECT_EQ(CleanVersionValue(L"(null)"), L"");
}

}  // namespace
