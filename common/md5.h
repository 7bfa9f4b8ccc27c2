#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// MD5 (RFC 1321), fed in pieces. Computed here rather than by the system's provider: loading
// that provider starts a cryptography library, which cost the start-up tens of milliseconds
// on the path to the first terminal's data folder.
class Md5 {
 public:
  void Add(const void* bytes, std::size_t count);
  // 32 lower-case hex digits; the digest is then started afresh.
  std::wstring Finish();

 private:
  void Block(const unsigned char* block);

  std::array<std::uint32_t, 4> state_{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
  std::array<unsigned char, 64> pending_{};
  std::uint64_t length_ = 0;  // bytes added so far
};

// Lower-case hex MD5 of a string's UTF-16 LE bytes.
std::wstring Md5OfText(const std::wstring& text);
