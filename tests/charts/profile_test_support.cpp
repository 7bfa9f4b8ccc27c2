#include "tests/charts/profile_test_support.h"

#include <windows.h>

#include "charts/chart_files.h"
#include "charts/chart_text.h"
#include "common/winmsg.h"

const wchar_t kProviderInputs[] =
    L"<inputs>\r\nSignalOptions=1\r\nSendTheseCurrencies=\r\nSendPendingOrder=true\r\nSendCloseSignal=true\r\n"
    L"</inputs>";
const wchar_t kReceiverInputs[] =
    L"<inputs>\r\nSignalAccounts=1001\r\nReverse=false\r\nCopyOptions=1\r\nSlaveOrderComment={symbol}\r\n"
    L"</inputs>";

std::wstring ExpertBlock(const std::wstring& eaName, const std::wstring& inputs) {
  return L"<expert>\r\nname=" + eaName + L"\r\nflags=279\r\n" + (inputs.empty() ? L"" : inputs + L"\r\n") +
         L"</expert>\r\n";
}

std::wstring UserChart(const std::wstring& symbol, const std::wstring& period, const std::wstring& expertBlock) {
  return L"<chart>\r\nid=130000000000000001\r\nsymbol=" + symbol + L"\r\nperiod=" + period +
         L"\r\nleftpos=5000\r\nbarup_color=65280\r\n<window>\r\nheight=100\r\n</window>\r\n" + expertBlock +
         L"</chart>\r\n";
}

std::string Ansi(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  std::string bytes(WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
  return bytes;
}

std::string Utf16(const std::wstring& text, bool withMark) {
  std::string bytes = withMark ? "\xFF\xFE" : "";
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

ProfileFixture::ProfileFixture() : profile_(temp_.Path() + L"profiles\\Default") {
  g_lang.FillTables();
  g_lang.SetLanguage(kLangEnglish);
  CreateDirectoryW((temp_.Path() + L"profiles").c_str(), nullptr);
  CreateDirectoryW(profile_.c_str(), nullptr);
}

std::wstring ProfileFixture::Chart(int number) const {
  return chart_files::ReadChartText(ChartFilePath(profile_, number)).value_or(L"");
}

void ProfileFixture::PutChart(int number, const std::wstring& text) {
  WriteBytes(ChartFilePath(profile_, number), Ansi(text));
}

void ProfileFixture::PutFile(const std::wstring& name, const std::wstring& text) {
  WriteBytes(profile_ + L"\\" + name, Ansi(text));
}

std::string ProfileFixture::Bytes(const std::wstring& name) const { return ReadBytes(profile_ + L"\\" + name); }

std::string ProfileFixture::ChartBytes(int number) const { return ReadBytes(ChartFilePath(profile_, number)); }

std::vector<int> ProfileFixture::Numbers() const { return chart_files::ExistingChartNumbers(profile_, 120); }
