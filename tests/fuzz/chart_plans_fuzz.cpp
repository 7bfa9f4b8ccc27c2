#include <algorithm>
#include <set>

#include "charts/chart_plans.h"
#include "charts/chart_text.h"
#include "tests/fuzz/fuzz_text.h"

namespace {

// Carries out the moves on a set of names: every source is there and no target is
// replaced, so no chart is lost. File names ignore case.
std::wstring Lower(std::wstring name) {
  for (wchar_t& c : name) c = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c;
  return name;
}

std::set<std::wstring> Apply(const std::set<std::wstring>& start, const std::vector<ChartMove>& moves) {
  std::set<std::wstring> names;
  for (const std::wstring& name : start) names.insert(Lower(name));
  for (const ChartMove& move : moves) {
    FUZZ_CHECK(names.count(Lower(move.from)) == 1);
    FUZZ_CHECK(names.count(Lower(move.to)) == 0);
    names.erase(Lower(move.from));
    names.insert(Lower(move.to));
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
  FUZZ_CHECK(Apply(profile, PlanChartSwap(chartName)) == Apply(profile, {}));

  const auto f = FuzzFields(data, size, 3);
  const PromotionPlan plan = PlanPromotion(f[0], f[1], f[2]);
  if (!plan.moves.empty()) Apply({ChartFileName(1), f[0]}, plan.moves);
  return 0;
}
