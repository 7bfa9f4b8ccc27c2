#pragma once
#include <cstddef>
#include <string>

// Texts scrambled when compiled, so they never stand in plain in the program file.
namespace hidden {

constexpr wchar_t KeyAt(std::size_t i) { return static_cast<wchar_t>((0x5A17 + 31 * i) & 0xFFFF); }

template <std::size_t N>
struct Text {
  wchar_t chars[N]{};
  consteval Text(const wchar_t (&text)[N]) {
    for (std::size_t i = 0; i + 1 < N; ++i) chars[i] = static_cast<wchar_t>(text[i] ^ KeyAt(i));
  }
  std::wstring Stored() const { return std::wstring(chars, N - 1); }
};

inline std::wstring Decode(const std::wstring& stored) {
  std::wstring text(stored);
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<wchar_t>(text[i] ^ KeyAt(i));
  return text;
}

}  // namespace hidden
