#include <gtest/gtest.h>

#include "charts/order_text.h"

namespace {

TEST(OrderTextTest, AppendsOnlyToAnOrderList) {
  EXPECT_EQ(AppendOrderLine(L"EURUSD,H1\r\n", L"GBPUSD", L"Weekly"), L"EURUSD,H1\r\nGBPUSD,Weekly\r\n");
  EXPECT_EQ(AppendOrderLine(L"EURUSD,H1", L"GBPUSD", L"Weekly"), L"EURUSD,H1\r\nGBPUSD,Weekly\r\n");
  EXPECT_EQ(AppendOrderLine(L"", L"GBPUSD", L"Weekly"), L"");
  EXPECT_EQ(AppendOrderLine(L",x", L"GBPUSD", L"Weekly"), L",x");
  EXPECT_TRUE(NeedsUtf16Reread(std::wstring(L"\xff\xfe" L"c\0h\0a\0r\0t\0", 12)));
  EXPECT_FALSE(NeedsUtf16Reread(L"abc"));
}

TEST(OrderTextTest, MovesWholeLinesOnlyAndLeavesTheOthersAsTheyWere) {
  const std::wstring order = L"EURUSD,Weekly\r\nXEURUSD,Weekly\nEURUSD,Weekly\r\nUSDJPY,M30";
  EXPECT_EQ(MoveOrderLineToEnd(order, L"EURUSD", L"Weekly"), L"XEURUSD,Weekly\nUSDJPY,M30\r\nEURUSD,Weekly\r\n");
  EXPECT_EQ(MoveOrderLineToEnd(L"XEURUSD,Weekly\r\n", L"EURUSD", L"Weekly"), L"XEURUSD,Weekly\r\n");
  EXPECT_EQ(MoveOrderLineToEnd(L"A,H1\r\nB,H1", L"B", L"H1"), L"A,H1\r\nB,H1\r\n");
}

TEST(PickChartSymbolTest, TakesTheFirstSymbolWithoutAWeeklyWindow) {
  const std::wstring eur = L"<chart>\r\nsymbol=EURUSD\r\n", gbp = L"<chart>\r\nsymbol=GBPUSD\r\n";
  EXPECT_EQ(PickChartSymbol({eur, gbp}, L"EURUSD,Weekly\r\n"), L"GBPUSD");
  EXPECT_EQ(PickChartSymbol({eur, gbp}, L""), L"EURUSD");
  EXPECT_EQ(PickChartSymbol({eur, gbp}, L"GBPUSD,Weekly\r\nEURUSD,Weekly\r\n"), L"EURUSD");
  EXPECT_EQ(PickChartSymbol({L"<chart>\r\nperiod=1\r\n", gbp}, L"XGBPUSD,Weekly\r\n"), L"GBPUSD");
  EXPECT_EQ(PickChartSymbol({}, L"EURUSD,Weekly\r\n"), L"EURUSD");
}

}  // namespace
