#include "common/content_digest.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ull;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Full;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9ull;
constexpr std::size_t kStripe = 32;

std::uint64_t Rotl(std::uint64_t value, int bits) { return (value << bits) | (value >> (64 - bits)); }

}  // namespace

void ContentDigest::Stripe(const char* bytes) {
  for (int lane = 0; lane < 4; ++lane) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes + 8 * lane, 8);
    lanes_[lane] = Rotl(lanes_[lane] + word * kPrime2, 31) * kPrime1;
  }
}

void ContentDigest::Add(const char* bytes, std::size_t size) {
  size_ += size;
  if (!tail_.empty()) {
    const std::size_t taken = std::min(size, kStripe - tail_.size());
    tail_.append(bytes, taken);
    bytes += taken;
    size -= taken;
    if (tail_.size() < kStripe) return;
    Stripe(tail_.data());
    tail_.clear();
  }
  for (; size >= kStripe; bytes += kStripe, size -= kStripe) Stripe(bytes);
  tail_.assign(bytes, size);
}

std::wstring ContentDigest::Text() const {
  std::uint64_t hash = Rotl(lanes_[0], 1) + Rotl(lanes_[1], 7) + Rotl(lanes_[2], 12) + Rotl(lanes_[3], 18);
  hash ^= size_ * kPrime3;
  for (const char c : tail_) hash = Rotl(hash ^ (static_cast<unsigned char>(c) * kPrime1), 11) * kPrime2;
  hash ^= hash >> 33;
  hash *= kPrime2;
  hash ^= hash >> 29;
  hash *= kPrime3;
  hash ^= hash >> 32;
  wchar_t hex[17] = {};
  for (int i = 15; i >= 0; --i, hash >>= 4) hex[i] = L"0123456789abcdef"[hash & 15];
  return std::to_wstring(size_) + L":" + hex;
}
