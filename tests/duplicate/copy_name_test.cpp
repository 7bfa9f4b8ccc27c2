#include <gtest/gtest.h>

#include <set>

#include "duplicate/copy_name.h"

namespace {

std::wstring NextWith(const std::wstring& source, const std::set<std::wstring>& existing) {
  return NextCopyName(source, [&](const std::wstring& folder) { return existing.count(folder) > 0; });
}

TEST(CopyName, NumbersCountOnFromTheSourceAndItsCopies) {
  EXPECT_EQ(NextWith(L"D:\\MT4", {}), L"D:\\MT4_C01");
  EXPECT_EQ(NextWith(L"D:\\MT4", {L"D:\\MT4_C01"}), L"D:\\MT4_C02");
  EXPECT_EQ(NextWith(L"D:\\MT4_C02", {L"D:\\MT4_C01", L"D:\\MT4_C02"}), L"D:\\MT4_C03");
  EXPECT_EQ(NextWith(L"D:\\MT4_C09", {}), L"D:\\MT4_C10");
  EXPECT_EQ(NextWith(L"D:\\MT4_C10", {}), L"D:\\MT4_C11");
}

TEST(CopyName, OnlyATrailingMarkerCountsAsACopy) {
  EXPECT_EQ(NextWith(L"D:\\My_Cx\\MT4", {}), L"D:\\My_Cx\\MT4_C01");
  EXPECT_EQ(NextWith(L"D:\\MT4_Cxy", {}), L"D:\\MT4_C01");
}

TEST(CopyName, GivesOutAfter999) {
  EXPECT_EQ(NextCopyName(L"D:\\MT4", [](const std::wstring&) { return true; }), L"");
  EXPECT_EQ(NextWith(L"D:\\MT4_C99", {}), L"D:\\MT4_C100");
}

}  // namespace
