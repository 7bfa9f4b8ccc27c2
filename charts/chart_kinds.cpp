#include "charts/chart_kinds.h"

#include <initializer_list>

#include "charts/chart_text.h"
#include "charts/text_ops.h"

using namespace chart_text_ops;

namespace {

using KeyGroup = std::initializer_list<const wchar_t*>;

// Chinese and English names of the same input.
const KeyGroup kProviderGroups[] = {
    {L"喊单设置", L"SignalOptions"},
    {L"只发送这些货币", L"SendTheseCurrencies"},
    {L"只发送注释包含_的订单", L"SendTheOrderCommentContain"},
    {L"转发跟单系统跟的单", L"SendTheOrderCopiedByCopier"},
    {L"挂单成交后再发送", L"SendPendingOrder"},
    {L"发送平仓信号", L"SendCloseSignal"},
    {L"发送所有旧单", L"SendAllOldOrders"},
};

const KeyGroup kReceiverGroups[] = {
    {L"喊单账号", L"服务器ID", L"SignalAccounts"},
    {L"反向跟单", L"Reverse"},
    {L"跟单设置", L"CopyOptions"},
    {L"跟单注释", L"SlaveOrderComment"},
    {L"只跟这些货币", L"CopyTheseCurrencies"},
    {L"余额比例下单", L"OnProportionOfBalance"},
    {L"净值小于该值时不跟", L"StopCopyWhenEquityLessThan"},
};

constexpr int kGroupsNeeded = 4;

template <std::size_t N>
bool ScoresRole(const std::wstring& text, const KeyGroup (&groups)[N]) {
  int score = 0;
  for (const KeyGroup& group : groups) {
    for (const wchar_t* key : group) {
      if (Contains(text, key)) {
        ++score;
        break;
      }
    }
  }
  return score >= kGroupsNeeded;
}

}  // namespace

bool IsProviderChart(const std::wstring& text) { return ScoresRole(text, kProviderGroups); }

bool IsReceiverChart(const std::wstring& text) { return ScoresRole(text, kReceiverGroups); }

bool HasInstallerMark(const std::wstring& text) {
  return FoundAfterStart(text, L"barup_color=-1") || FoundAfterStart(text, L"barup_color=4294967295");
}

bool CarriesEa(const std::wstring& text, const std::wstring& eaName) {
  return !eaName.empty() && FoundAfterStart(text, L"name=" + eaName);
}

bool CarriesCopierEa(const std::wstring& text, const std::vector<std::wstring>& eaNames) {
  for (const std::wstring& name : eaNames) {
    if (CarriesEa(text, name)) return true;
  }
  return IsProviderChart(text) || IsReceiverChart(text);
}

bool HasCopierWords(const std::wstring& text) { return Contains(text, L"喊单") || Contains(text, L"跟单"); }

bool NeedsBooleanNormalizing(const std::wstring& text) {
  return HasCopierWords(text) && (Contains(text, L"=true") || Contains(text, L"=false"));
}

std::wstring DisableEa(const std::wstring& text) {
  // Charts saved with bare LF line ends are disabled as well as the terminal's CR LF ones.
  std::wstring result = ReplaceAll(text, L"<expert>\r\nname=", L"<expert>\r\nname=Removed");
  return ReplaceAll(std::move(result), L"<expert>\nname=", L"<expert>\nname=Removed");
}

std::wstring SavedChartNameFor(const std::wstring& text) {
  if (!FoundAfterStart(text, L"<expert>") || !FoundAfterStart(text, L"<inputs>")) return L"";
  if (IsProviderChart(text)) return kProviderSavedChart;
  if (IsReceiverChart(text)) return kReceiverSavedChart;
  return L"";
}
