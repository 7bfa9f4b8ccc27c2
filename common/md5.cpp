#include "common/md5.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t kSines[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

constexpr int kShifts[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

std::uint32_t RotateLeft(std::uint32_t value, int count) { return value << count | value >> (32 - count); }

void AddUtf16Unit(Md5& md5, std::uint32_t unit) {
  const unsigned char bytes[2] = {static_cast<unsigned char>(unit & 0xFF), static_cast<unsigned char>(unit >> 8 & 0xFF)};
  md5.Add(bytes, sizeof bytes);
}

}  // namespace

void Md5::Block(const unsigned char* block) {
  std::uint32_t words[16];
  for (int i = 0; i < 16; ++i) {
    words[i] = static_cast<std::uint32_t>(block[4 * i]) | static_cast<std::uint32_t>(block[4 * i + 1]) << 8 |
               static_cast<std::uint32_t>(block[4 * i + 2]) << 16 | static_cast<std::uint32_t>(block[4 * i + 3]) << 24;
  }
  auto [a, b, c, d] = state_;
  for (int i = 0; i < 64; ++i) {
    const int round = i / 16;
    std::uint32_t mixed;
    int word;
    if (round == 0) {
      mixed = (b & c) | (~b & d);
      word = i;
    } else if (round == 1) {
      mixed = (d & b) | (~d & c);
      word = (5 * i + 1) % 16;
    } else if (round == 2) {
      mixed = b ^ c ^ d;
      word = (3 * i + 5) % 16;
    } else {
      mixed = c ^ (b | ~d);
      word = 7 * i % 16;
    }
    const std::uint32_t sum = a + mixed + kSines[i] + words[word];
    a = d;
    d = c;
    c = b;
    b += RotateLeft(sum, kShifts[round][i % 4]);
  }
  state_[0] += a;
  state_[1] += b;
  state_[2] += c;
  state_[3] += d;
}

void Md5::Add(const void* bytes, std::size_t count) {
  const auto* in = static_cast<const unsigned char*>(bytes);
  std::size_t used = length_ % 64;
  length_ += count;
  while (count > 0) {
    const std::size_t taken = std::min(count, 64 - used);
    std::memcpy(pending_.data() + used, in, taken);
    in += taken;
    count -= taken;
    used += taken;
    if (used == 64) {
      Block(pending_.data());
      used = 0;
    }
  }
}

std::wstring Md5::Finish() {
  const std::uint64_t bits = length_ * 8;
  unsigned char padding[72] = {0x80};
  const std::size_t used = length_ % 64;
  Add(padding, used < 56 ? 56 - used : 120 - used);
  unsigned char size[8];
  for (int i = 0; i < 8; ++i) size[i] = static_cast<unsigned char>(bits >> (8 * i));
  Add(size, sizeof size);
  static constexpr wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring text;
  for (const std::uint32_t word : state_) {
    for (int i = 0; i < 4; ++i) {
      const unsigned byte = word >> (8 * i) & 0xFF;
      text += kDigits[byte >> 4];
      text += kDigits[byte & 0x0F];
    }
  }
  *this = Md5();
  return text;
}

std::wstring Md5OfText(const std::wstring& text) {
  Md5 md5;
  // Windows holds UTF-16 units already; a four-byte wchar_t is split into them.
  for (const wchar_t c : text) {
    const auto point = static_cast<std::uint32_t>(c);
    if (point > 0xFFFF) {
      AddUtf16Unit(md5, 0xD800 + ((point - 0x10000) >> 10));
      AddUtf16Unit(md5, 0xDC00 + ((point - 0x10000) & 0x3FF));
    } else {
      AddUtf16Unit(md5, point);
    }
  }
  return md5.Finish();
}
