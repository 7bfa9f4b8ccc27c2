#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// A fast 64-bit digest of a file's bytes, fed in pieces; only to tell contents apart, not
// against anyone forging them.
class ContentDigest {
 public:
  void Add(const char* bytes, std::size_t size);
  // "<size>:<16 hex digits>".
  std::wstring Text() const;

 private:
  void Stripe(const char* bytes);
  std::uint64_t lanes_[4] = {0x60EA27EEADC0B5D6ull, 0xC2B2AE3D27D4EB4Full, 0x0ull, 0x61C8864E7A143579ull};
  std::uint64_t size_ = 0;
  std::string tail_;
};
