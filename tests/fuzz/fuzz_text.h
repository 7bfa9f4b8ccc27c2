#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

// The fuzzer's bytes as the product reads a text file: UTF-16 LE after FF FE, else one
// character a byte. Targets taking several texts split it at U+0001.
inline std::wstring FuzzText(const uint8_t* data, std::size_t size) {
  std::wstring text;
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
    for (std::size_t i = 2; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
  } else {
    for (std::size_t i = 0; i < size; ++i) text += static_cast<wchar_t>(data[i]);
  }
  return text;
}

inline std::vector<std::wstring> FuzzFields(const uint8_t* data, std::size_t size, std::size_t count) {
  std::vector<std::wstring> fields(1);
  for (wchar_t c : FuzzText(data, size)) {
    if (c == L'\x01' && fields.size() < count) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  fields.resize(count);
  return fields;
}

// A broken property stops the run like a crash, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                              \
  do {                                                                     \
    if (!(condition)) {                                                    \
      std::fprintf(stderr, "%s:%d: %s fails\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                        \
    }                                                                      \
  } while (0)
