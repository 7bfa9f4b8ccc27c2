#include <gtest/gtest.h>
#include <windows.h>

#include "common/file_ctrl.h"
#include "common/unique_handle.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_system.h"

namespace {

// "Chinese text" in Chinese, and its bytes in code page 936.
const std::wstring kChinese = L"\x4E2D\x6587\x6587\x672C";
const std::string kChineseGbk = "\xD6\xD0\xCE\xC4\xCE\xC4\xB1\xBE";

TEST(TextFiles, Utf16WithByteOrderMarkLosesTheMark) {
  TempFolder temp;
  const std::wstring path = temp / L"order.wnd";
  WriteBytes(path, std::string("\xFF\xFE" "A\0\x2D\x4E\r\0\n\0", 10));
  EXPECT_EQ(g_files.ReadTextFile(path), L"A\x4E2D\r\n");
  EXPECT_EQ(g_files.ReadTextFile(temp / L"missing.txt"), L"");
}

TEST(TextFiles, AnsiFilesFollowTheSystemCodePage) {
  TempFolder temp;
  const std::wstring path = temp / L"chart01.chr";
  if (TestLocale() == "zh") {
    ASSERT_EQ(GetACP(), 936u);
    // Long enough that a double-byte character straddles every 10240-byte boundary.
    std::string bytes = "x";
    std::wstring expected = L"x";
    while (bytes.size() < 30000) {
      bytes += kChineseGbk;
      expected += kChinese;
    }
    WriteBytes(path, bytes);
    EXPECT_EQ(g_files.ReadTextFile(path), expected);
  } else {
    WriteBytes(path, "<chart>\r\nsymbol=EURUSD\r\n\xE9");
    EXPECT_EQ(g_files.ReadTextFile(path), L"<chart>\r\nsymbol=EURUSD\r\n\xE9");
  }
}

TEST(TextFiles, WrittenTextComesBackAndAppendsAtTheEnd) {
  TempFolder temp;
  const std::wstring path = temp / L"pelk_autoupdate.log";
  const std::wstring text = TestLocale() == "zh" ? kChinese : L"plain \xE9 text";
  EXPECT_TRUE(g_files.WriteTextFile(path, L"old content that is longer", true));
  EXPECT_TRUE(g_files.WriteTextFile(path, text, true));
  EXPECT_TRUE(g_files.AppendTextLine(path, L"line", false));
  EXPECT_EQ(g_files.ReadTextFile(path), text + L"line\r\n");
  if (TestLocale() == "zh") {
    EXPECT_EQ(ReadBytes(path), kChineseGbk + "line\r\n");
  }
  EXPECT_FALSE(g_files.WriteTextFile(L"", text, true));
  EXPECT_FALSE(g_files.WriteTextFile(temp / L"no\\such\\folder.txt", text, true));
}

TEST(TextFiles, TextTheCodePageCannotHoldIsWrittenAsUtf16AndStaysSo) {
  TempFolder temp;
  const std::wstring path = temp / L"a.chr";
  // A Hangul syllable exists in neither code page 1252 nor 936.
  EXPECT_TRUE(g_files.WriteTextFile(path, L"ab\xD55C" L"cd", true));
  EXPECT_TRUE(g_files.AppendTextLine(path, L"e", false));
  EXPECT_EQ(ReadBytes(path).substr(0, 4), std::string("\xFF\xFE" "a\0", 4));
  EXPECT_EQ(g_files.ReadTextFile(path), L"ab\xD55C" L"cde\r\n");
  EXPECT_TRUE(g_files.WriteTextFile(path, L"plain", true));
  EXPECT_EQ(g_files.ReadTextFile(path), L"plain");
  EXPECT_EQ(ReadBytes(path).substr(0, 2), "\xFF\xFE");
}

TEST(TextFiles, AFailedReplacementKeepsTheOldFile) {
  TempFolder temp;
  const std::wstring path = temp / L"experts.ini";
  WriteBytes(path, "old");
  {
    // Held open without delete sharing, so the file cannot be replaced.
    UniqueHandle holder(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_FALSE(g_files.WriteTextFile(path, L"new", true));
  }
  EXPECT_EQ(ReadBytes(path), "old");
  std::vector<std::wstring> left;
  WIN32_FIND_DATAW entry{};
  UniqueFind find(FindFirstFileW((temp / L"*").c_str(), &entry));
  do {
    if (entry.cFileName[0] != L'.') left.push_back(entry.cFileName);
  } while (FindNextFileW(find.Get(), &entry));
  EXPECT_EQ(left, std::vector<std::wstring>{L"experts.ini"});
}

}  // namespace
