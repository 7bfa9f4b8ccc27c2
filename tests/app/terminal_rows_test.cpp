#include <gtest/gtest.h>

#include "app/terminal_rows.h"

namespace {

TerminalRows ThreeRows() {
  TerminalRows model;
  for (const wchar_t* folder : {L"C:\\A", L"C:\\B", L"C:\\C"}) model.rows.push_back({false, folder, L"", L"", L""});
  return model;
}

TEST(TerminalRows, SelectAllThenInverseLeavesEveryRowUnticked) {
  TerminalRows model = ThreeRows();
  model.rows[1].ticked = true;
  model.TickAll();
  model.InvertTicks();
  EXPECT_FALSE(model.AnyTicked());
}

TEST(TerminalRows, RemoveTakesTickedRowsBeforeTheSelectedOne) {
  TerminalRows model = ThreeRows();
  model.rows[0].ticked = model.rows[2].ticked = true;
  model.selectionMark = 1;
  ASSERT_TRUE(model.RemoveTickedOrSelected());
  ASSERT_EQ(model.rows.size(), 1u);
  EXPECT_EQ(model.rows[0].installFolder, L"C:\\B");

  model.selectionMark = 0;
  EXPECT_TRUE(model.RemoveTickedOrSelected());
  EXPECT_TRUE(model.rows.empty());
  EXPECT_FALSE(model.RemoveTickedOrSelected());
}

TEST(TerminalRows, StateExplanation) {
  const std::vector<std::wstring> completed = {L"Completed", L"安装成功", L"安裝成功"};
  const std::vector<std::wstring> outcomes = {L"Uninstall completed", L"卸载完成"};
  EXPECT_EQ(ExplainState(L"Failed", completed, outcomes), L"Failed");
  EXPECT_EQ(ExplainState(L"", completed, outcomes), L"");
  EXPECT_EQ(ExplainState(L"Need to restart MT4#Completed", completed, outcomes), L"");
  EXPECT_EQ(ExplainState(L"Uninstall completed", completed, outcomes), L"");
  EXPECT_EQ(ExplainState(L"Failed to uninstall trade copier system - {Please close the MT4 terminal then try again}",
                         completed, outcomes),
            L"Failed to uninstall trade copier system:\nPlease close the MT4 terminal then try again");
  EXPECT_EQ(ExplainState(L"Failed#Need to restart MT4", completed, outcomes), L"Failed\nNeed to restart MT4");
}

}  // namespace
