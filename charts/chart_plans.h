#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The decisions taken over a profile's charts, as plain data for the file layer to carry out.

// A rename inside the profile folder; the target is replaced when it exists.
struct ChartMove {
  std::wstring from;
  std::wstring to;
};

// Moves that free chart01 by renumbering every existing chart one up, highest first; none when
// chart01 does not exist.
std::vector<ChartMove> PlanChartShift(std::vector<int> existingNumbers);
// Swaps a chart with chart01 through the temporary name, or only renames it where there is no
// chart01; none for chart01 itself.
std::vector<ChartMove> PlanChartSwap(const std::wstring& chartFileName, bool firstChartExists = true);

struct PromotionPlan {
  // The new order.wnd text when the chart's window is listed there.
  std::optional<std::wstring> orderText;
  std::vector<ChartMove> moves;
};
// Promotion needs the order file and the chart's symbol and period name; without them nothing moves.
PromotionPlan PlanPromotion(const std::wstring& chartFileName, const std::wstring& chartText,
                            const std::optional<std::wstring>& orderText, bool firstChartExists = true);

// Index of the first chart carrying the EA among the existing charts in number order.
std::optional<std::size_t> FindEaChartIndex(const std::vector<std::wstring>& chartTexts,
                                            const std::wstring& eaName);

enum class ChartAction { kKeep, kDelete, kDisable };

struct NumberedChart {
  int number;
  std::wstring text;
};

struct CleanStep {
  int number;
  ChartAction action;
};

// With an EA name the first chart carrying it is kept and other installer-made charts go; without
// one, installer-made charts go while more than one chart is left. Copier charts get their EA
// disabled. charts are the existing ones in number order. A chart is installer-made when it has
// the mark and runs a copier EA (eaName, one of copierEas, or copier inputs): a user's chart
// whose bar-up colour is None has the mark too.
std::vector<CleanStep> PlanCleaning(const std::vector<NumberedChart>& charts, const std::wstring& eaName,
                                    const std::vector<std::wstring>& copierEas = {});

// The saved chart a new chart of the role takes its inputs from: role 1 Provider, 2 Receiver.
std::wstring SavedChartForRole(int role);
// The inputs block of a saved chart for a new chart; the shared saved chart's booleans are
// normalised for the copier's inputs.
std::wstring InputsForNewChart(const std::wstring& savedChartText, bool fromUniversalChart);
