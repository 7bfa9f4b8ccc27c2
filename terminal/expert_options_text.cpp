#include "terminal/expert_options_text.h"

#include <cstdint>

namespace {

std::uint32_t IntAt(std::string_view bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  }
  return value;
}

}  // namespace

std::optional<ExpertOptions> ReadExpertOptions(std::string_view bytes) {
  constexpr std::size_t kLastOffset = 0x24;
  if (bytes.size() < kLastOffset + 4) return std::nullopt;
  return ExpertOptions{IntAt(bytes, 0x24) != 0, IntAt(bytes, 0x14) != 0, IntAt(bytes, 0x08) != 0,
                       IntAt(bytes, 0x0C) != 0};
}
