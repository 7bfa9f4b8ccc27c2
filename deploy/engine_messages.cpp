#include "deploy/engine_messages.h"

#include <array>

#include "common/winmsg.h"

namespace {

using MessageTable = std::array<const wchar_t*, kEngineSlotsPerLanguage * kEngineLanguages>;

// Slot k of language L is k + 20 * L; slots 13 to 19 of each language are empty.
constexpr MessageTable kMessages = {
    L"Please log in to your account first and then install the trade copier system.",
    L"Installation file not found!",
    L"Install completed!",
    L"Please restart the MT4 to make it take effect!",
    L"Installed EA:",
    L"Installed Indicators:",
    L"Installed Templates:",
    L"Failed to install",
    L"Please reload the installed EA or indicators to make it take effect!",
    L"Invalid running path!",
    L"Please close the running MT4 terminal,and then try again!",
    L"Unknown Error",
    L"Please run the terminal to initialize settings!",
    L"", L"", L"", L"", L"", L"", L"",
    L"请先登录交易账号,然后再安装跟单系统!",
    L"没有安装文件!",
    L"安装完成!",
    L"需要重启交易软件后才能生效!",
    L"安装的EA:",
    L"安装的指标:",
    L"安装的模板:",
    L"安装失败",
    L"请重新加载安装的EA或指标,以使更新生效!",
    L"无效的运行路径!",
    L"请关闭MT4软件后再安装!",
    L"未知错误",
    L"请先运行一次交易软件后再安装!",
    L"", L"", L"", L"", L"", L"", L"",
    L"請先登錄交易賬號,然後再運行跟單系統!",
    L"沒有安裝文件!",
    L"安裝完成!",
    L"需要重啓交易軟件後才能生效!",
    L"安裝的EA:",
    L"安裝的指標:",
    L"安裝的模板:",
    L"安裝失敗",
    L"請重新加載安裝的EA或指標,以使更新生效!",
    L"無效的運行路徑!",
    L"請關閉MT4軟件後再安裝!",
    L"未知錯誤",
    L"請先運行一次MT4軟件後再安裝!",
    L"", L"", L"", L"", L"", L"", L"",
};

}  // namespace

bool IsSuccessOutcome(const InstallOutcome& outcome) { return outcome.starts_with(kOutcomeSuccess); }

std::wstring EngineMessage(int k, int language) {
  if (k < 0 || k >= kEngineSlotsPerLanguage || language < 0 || language >= kEngineLanguages) return {};
  return kMessages[k + kEngineSlotsPerLanguage * language];
}

std::wstring EngineMessage(int k) { return EngineMessage(k, g_lang.Language()); }
