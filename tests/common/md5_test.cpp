#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/md5.h"

namespace {

std::wstring Digest(const std::string& bytes, std::size_t piece) {
  Md5 md5;
  for (std::size_t at = 0; at < bytes.size(); at += piece) md5.Add(bytes.data() + at, std::min(piece, bytes.size() - at));
  return md5.Finish();
}

// Tails of 56 to 63 bytes need a second padding block; data folder ids of 28- to 31-character
// paths end so.
TEST(Md5, KnownDigestsWhateverThePiecesAndTheTail) {
  const std::string alphanumerics = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{64}, std::size_t{1000}}) {
    EXPECT_EQ(Digest("", piece), L"d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Digest(alphanumerics, piece), L"d174ab98d277d9f5a5611c2c9f419d9f") << piece;
  }
  std::string sequence;
  for (int i = 0; i < 8; ++i) sequence += "1234567890";
  EXPECT_EQ(Digest(sequence, 80), L"57edf4a22be3c955ac49da2e2107b67a");
}

}  // namespace
