#include <gtest/gtest.h>

#include <string>

#include "charts/chart_files.h"
#include "charts/profile_booleans.h"
#include "common/file_ctrl.h"
#include "tests/support/scripted_seams.h"
#include "tests/support/temp_folder.h"

namespace {

std::string Utf16WithMark(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

std::wstring ChartWithInputs(const std::wstring& inputs) {
  return L"<chart>\r\nsymbol=EURUSD\r\nperiod=60\r\n<expert>\r\nname=Copier\r\n<inputs>\r\n" + inputs +
         L"</inputs>\r\n</expert>\r\n</chart>\r\n";
}

// Charts in the current profile of a terminal whose code root is its MQL4 folder; the profile
// lies beside that root, in the terminal folder.
TEST(ProfileBooleansTest, OnlyCopierChartsWithTheirChineseInputsGetNumericBooleans) {
  ScriptedSeams seams;
  TempFolder terminal;
  ASSERT_TRUE(g_files.CreateFolderPath(terminal / L"MQL4"));
  const std::wstring profile = terminal / L"profiles\\Default\\";
  const std::wstring charts[] = {
      ChartWithInputs(L"喊单设置=true\r\n只发送这些货币=\r\n挂单成交后再发送=false\r\n发送平仓信号=true\r\n"),
      ChartWithInputs(L"跟单设置=false\r\n反向跟单=true\r\n跟单注释=\r\n只跟这些货币=\r\n"),
      // The English inputs of a Provider, and a chart of another EA with a Chinese input.
      ChartWithInputs(
          L"SignalOptions=true\r\nSendTheseCurrencies=\r\nSendPendingOrder=true\r\nSendCloseSignal=false\r\n"),
      ChartWithInputs(L"我的设置=true\r\n"),
  };
  for (int n = 0; n < 4; ++n) {
    ASSERT_TRUE(WriteBytes(profile + L"chart0" + std::to_wstring(n + 1) + L".chr", Utf16WithMark(charts[n])));
  }

  NormalizeProfileBooleans(terminal / L"MQL4\\");
  for (const wchar_t* name : {L"chart01.chr", L"chart02.chr"}) {
    const std::wstring text = chart_files::ReadChartText(profile + name).value_or(L"");
    EXPECT_EQ(text.find(L"=true"), std::wstring::npos) << name;
    EXPECT_EQ(text.find(L"=false"), std::wstring::npos) << name;
    EXPECT_NE(text.find(L"=1\r\n"), std::wstring::npos) << name;
    EXPECT_NE(text.find(L"=0\r\n"), std::wstring::npos) << name;
  }
  EXPECT_EQ(ReadBytes(profile + L"chart03.chr"), Utf16WithMark(charts[2]));
  EXPECT_EQ(ReadBytes(profile + L"chart04.chr"), Utf16WithMark(charts[3]));
  NormalizeProfileBooleans(L"");
  EXPECT_TRUE(seams.prompt.shown.empty());
}

}  // namespace
