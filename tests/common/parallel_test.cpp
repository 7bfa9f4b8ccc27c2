#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "common/parallel.h"

namespace {

// Rows probed in parallel that all need the same origins: each is read once, and every row
// finds them all read.
TEST(SharedItems, ThreadsThatNeedTheItemsShareThemAndEachSeesAllDone) {
  SharedItems origins;
  std::vector<std::atomic<int>> runs(300);
  std::vector<int> seenDone(8, 0);
  ForEachInParallel(seenDone.size(), [&](std::size_t row) {
    origins.Run(runs.size(), [&](std::size_t i) { ++runs[i]; });
    for (const std::atomic<int>& count : runs) seenDone[row] += count == 1;
  });
  for (const std::atomic<int>& count : runs) EXPECT_EQ(count, 1);
  for (const int done : seenDone) EXPECT_EQ(done, 300);
}

// A job that throws, on a helper thread or the caller's, fails alone instead of ending the program.
TEST(ForEachInParallel, JobsThatThrowAreCountedAsFailed) {
  std::vector<std::atomic<int>> done(40);
  const std::size_t failed = ForEachInParallel(done.size(), [&](std::size_t i) {
    if (i % 3 == 0) throw std::runtime_error("probe failed");
    ++done[i];
  });
  EXPECT_EQ(failed, 14u);
  for (std::size_t i = 0; i < done.size(); ++i) EXPECT_EQ(done[i], i % 3 == 0 ? 0 : 1) << i;
}

}  // namespace
