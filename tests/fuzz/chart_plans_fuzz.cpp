#include <algorithm>
#include <set>

#include "charts/chart_plans.h"
#include "charts/chart_text.h"
#include "tests/fuzz/fuzz_text.h"

namespace {

// Carries out the moves on a set of names: every source is there and no target is
// replaced, so no chart is lost.
std::set<std::wstring> Apply(std::set<std::wstring> names, const std::vector<ChartMove>& moves) {
  for (const ChartMove& move : moves) {
    FUZZ_CHECK(names.count(move.from) == 1);
    FUZZ_CHECK(names.count(move.to) == 0);
    names.erase(move.from);
    names.insert(move.to);
  }
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The profile's charts are numbered 1 to 999 as the file layer lists them.
  std::vector<int> numbers;
  std::set<std::wstring> names;
  for (std::size_t i = 0; i + 1 < size && i < 64; i += 2) {
    const int number = 1 + (data[i] | data[i + 1] << 8) % 999;
    numbers.push_back(number);
    names.insert(ChartFileName(number));
  }
  const std::set<std::wstring> shifted = Apply(names, PlanChartShift(numbers));
  if (names.count(ChartFileName(1))) {
    // Every chart moves one up: chart01 is free and no new gap opens between the others.
    FUZZ_CHECK(shifted.size() == names.size() && shifted.count(ChartFileName(1)) == 0);
    for (int n : numbers) FUZZ_CHECK(shifted.count(ChartFileName(n + 1)) == 1);
  } else {
    FUZZ_CHECK(shifted == names);
  }

  const std::wstring chartName = FuzzText(data, size);
  std::set<std::wstring> profile{ChartFileName(1), chartName};
  const std::set<std::wstring> swapped = Apply(profile, PlanChartSwap(chartName));
  FUZZ_CHECK(swapped == profile);

  const auto f = FuzzFields(data, size, 3);
  const PromotionPlan plan = PlanPromotion(f[0], f[1], f[2]);
  if (!plan.moves.empty()) Apply({ChartFileName(1), f[0]}, plan.moves);
  return 0;
}
