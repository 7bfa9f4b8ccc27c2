#include <gtest/gtest.h>

#include "charts/chart_kinds.h"
#include "charts/chart_plans.h"
#include "charts/chart_text.h"

namespace {

std::wstring UserChart(const std::wstring& eaName, const std::wstring& inputLines) {
  return L"<chart>\r\nsymbol=EURUSD\r\nperiod=60\r\nbarup_color=65280\r\n<expert>\r\nname=" + eaName +
         L"\r\nflags=279\r\n<inputs>\r\n" + inputLines + L"</inputs>\r\n</expert>\r\n</chart>\r\n";
}

const std::wstring kReceiverInputs = L"喊单账号=1234\r\n反向跟单=false\r\nCopyOptions=x\r\n跟单注释=c\r\n";
const std::wstring kProviderInputs = L"SignalOptions=x\r\n只发送这些货币=\r\nSendPendingOrder=1\r\n发送平仓信号=1\r\n";

TEST(ChartKindTest, FourOfSevenGroupsInEitherLanguageMakeTheRole) {
  EXPECT_TRUE(IsReceiverChart(UserChart(L"R", kReceiverInputs)));
  EXPECT_TRUE(IsReceiverChart(L"服务器ID=1 Reverse=0 跟单设置 StopCopyWhenEquityLessThan=0"));
  EXPECT_FALSE(IsReceiverChart(L"喊单账号=1 服务器ID=2 SignalAccounts=3 Reverse=0 跟单设置"));
  EXPECT_TRUE(IsProviderChart(UserChart(L"P", kProviderInputs)));
  EXPECT_FALSE(IsProviderChart(UserChart(L"R", kReceiverInputs)));
  EXPECT_FALSE(IsProviderChart(L"signaloptions sendthesecurrencies sendpendingorder sendclosesignal"));
}

TEST(ChartKindTest, ThreeProviderAndThreeReceiverGroupsAreNeither) {
  const std::wstring text = UserChart(L"E", L"SignalOptions=1\r\nSendPendingOrder=1\r\nSendCloseSignal=1\r\n"
                                            L"Reverse=0\r\nCopyOptions=1\r\nSlaveOrderComment=x\r\n");
  EXPECT_FALSE(IsProviderChart(text));
  EXPECT_FALSE(IsReceiverChart(text));
  EXPECT_EQ(SavedChartNameFor(text), L"");
}

TEST(ChartKindTest, ASavedChartNeedsInputsAndAProviderWinsOverAReceiver) {
  EXPECT_EQ(SavedChartNameFor(UserChart(L"R", kReceiverInputs)), L"charts.vrk");
  EXPECT_EQ(SavedChartNameFor(UserChart(L"B", kReceiverInputs + kProviderInputs)), L"chartm.vrk");
  EXPECT_EQ(SavedChartNameFor(L"<chart>\r\n<expert>\r\n" + kReceiverInputs + L"</expert>"), L"");
}

TEST(ChartKindTest, InstallerMarkInBothForms) {
  EXPECT_TRUE(HasInstallerMark(ComposeEaChart(L"EURUSD", L"10080", L"E", L"")));
  EXPECT_TRUE(HasInstallerMark(L"<chart>\r\nbarup_color=4294967295\r\n"));
  EXPECT_FALSE(HasInstallerMark(UserChart(L"E", L"")));
}

TEST(DisableEaTest, DisablingTwicePrefixesTwiceAndKeepsTheInputs) {
  const std::wstring once = DisableEa(UserChart(L"PelkReceiver", kReceiverInputs));
  EXPECT_EQ(once, UserChart(L"RemovedPelkReceiver", kReceiverInputs));
  EXPECT_FALSE(CarriesEa(once, L"PelkReceiver"));
  EXPECT_TRUE(IsReceiverChart(once));
  EXPECT_EQ(DisableEa(once), UserChart(L"RemovedRemovedPelkReceiver", kReceiverInputs));
  EXPECT_EQ(DisableEa(L"x\n<expert>\nname=E\n</expert>"), L"x\n<expert>\nname=RemovedE\n</expert>");
}

TEST(ChartPlanTest, ShiftMovesEveryChartUpHighestFirstOnlyWhenChart01Exists) {
  const std::vector<ChartMove> moves = PlanChartShift({1, 9, 3});
  ASSERT_EQ(moves.size(), 3u);
  EXPECT_EQ(moves[0].from, L"chart09.chr");
  EXPECT_EQ(moves[0].to, L"chart10.chr");
  EXPECT_EQ(moves[2].from, L"chart01.chr");
  EXPECT_EQ(moves[2].to, L"chart02.chr");
  EXPECT_TRUE(PlanChartShift({2, 3}).empty());
  EXPECT_EQ(PlanChartShift({1, 100, 101}).front().to, L"chart102.chr");
}

TEST(ChartPlanTest, PromotionSwapsWithChart01AndMovesTheOrderLineToTheEnd) {
  const std::wstring chart = L"<chart>\r\nsymbol=GBPUSD\r\nperiod=240\r\n";
  const PromotionPlan plan = PlanPromotion(L"chart05.chr", chart, L"GBPUSD,H4\r\nEURUSD,H1\r\n");
  EXPECT_EQ(plan.orderText, L"EURUSD,H1\r\nGBPUSD,H4\r\n");
  ASSERT_EQ(plan.moves.size(), 3u);
  EXPECT_EQ(plan.moves[0].to, L"chart0001.chr");
  EXPECT_EQ(plan.moves[1].from, L"chart05.chr");
  EXPECT_EQ(plan.moves[2].to, L"chart05.chr");
  EXPECT_TRUE(PlanPromotion(L"Chart01.CHR", chart, L"").moves.empty());
  EXPECT_FALSE(PlanPromotion(L"chart02.chr", chart, L"EURUSD,H1\r\n").orderText.has_value());
  EXPECT_TRUE(PlanPromotion(L"chart05.chr", chart, std::nullopt).moves.empty());
  EXPECT_TRUE(PlanPromotion(L"chart05.chr", L"<chart>\r\nsymbol=X\r\nperiod=7\r\n", L"X,M1\r\n").moves.empty());
}

TEST(ChartPlanTest, CleaningKeepsTheFirstEaChartAndTheLastChartOnUninstall) {
  const std::wstring ours = ComposeEaChart(L"EURUSD", L"10080", L"PelkReceiver", L"");
  const std::wstring user = UserChart(L"Other", kReceiverInputs);
  const std::wstring plain = L"<chart>\r\nsymbol=EURUSD\r\n";
  auto actions = [](const std::vector<NumberedChart>& charts, const std::wstring& ea) {
    std::vector<ChartAction> list;
    for (const CleanStep& step : PlanCleaning(charts, ea, {L"PelkProvider", L"PelkReceiver"})) {
      list.push_back(step.action);
    }
    return list;
  };
  using enum ChartAction;
  EXPECT_EQ(actions({{1, ours}}, L""), (std::vector{kKeep}));
  EXPECT_EQ(actions({{1, ours}}, L"PelkProvider"), (std::vector{kDelete}));
  EXPECT_EQ(actions({{1, plain}, {3, ours}, {4, user}, {7, ours}}, L"PelkReceiver"),
            (std::vector{kKeep, kKeep, kDisable, kDelete}));
  EXPECT_EQ(actions({{1, ours}, {2, ours}, {3, ours}}, L""), (std::vector{kDelete, kDelete, kKeep}));
  EXPECT_EQ(PlanCleaning({{1, plain}, {3, user}}, L"").back().number, 3);
}

// MT4 writes a None bar-up colour as the installer's mark: only a copier EA makes a chart ours.
TEST(ChartPlanTest, AMarkedChartWithoutACopierEaIsTheUsers) {
  const std::wstring none = L"<chart>\r\nsymbol=GBPUSD\r\nbarup_color=4294967295\r\n<expert>\r\nname=MyScalper\r\n"
                            L"</expert>\r\n</chart>\r\n";
  const std::wstring ours = ComposeEaChart(L"EURUSD", L"10080", L"PelkReceiver", L"");
  const std::vector<std::wstring> copierEas{L"PelkProvider", L"PelkReceiver"};
  for (const wchar_t* ea : {L"PelkProvider", L""}) {
    const std::vector<CleanStep> steps = PlanCleaning({{1, none}, {2, ours}}, ea, copierEas);
    EXPECT_EQ(steps[0].action, ChartAction::kKeep) << ea;
    EXPECT_EQ(steps[1].action, ChartAction::kDelete) << ea;
  }
}

TEST(ChartPlanTest, FindsTheFirstEaChartAndPicksTheSavedInputs) {
  EXPECT_EQ(FindEaChartIndex({L"<chart>", L"<chart>\r\nname=RemovedE", L"x\r\nname=E\r\n"}, L"E"), 2u);
  EXPECT_FALSE(FindEaChartIndex({L"<chart>\r\nname=E"}, L"").has_value());
  EXPECT_EQ(SavedChartForRole(1), L"chartm.vrk");
  EXPECT_EQ(SavedChartForRole(2), L"charts.vrk");
  const std::wstring saved = UserChart(L"R", L"反向跟单=true\r\n");
  EXPECT_EQ(InputsForNewChart(saved, true), L"<inputs>\r\n反向跟单=1\r\n</inputs>");
  EXPECT_EQ(InputsForNewChart(saved, false), L"<inputs>\r\n反向跟单=true\r\n</inputs>");
  EXPECT_TRUE(NeedsBooleanNormalizing(saved));
  EXPECT_FALSE(NeedsBooleanNormalizing(L"x\r\ninstant_close=false\r\n"));
}

}  // namespace
