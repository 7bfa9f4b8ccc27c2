#pragma once
#include <cstddef>
#include <string>
#include <vector>

// MD5 through the system's cryptography provider, fed in pieces.
class Md5 {
 public:
  Md5();
  ~Md5();
  Md5(const Md5&) = delete;
  Md5& operator=(const Md5&) = delete;

  // False once the provider failed; Finish then gives "".
  bool Add(const void* bytes, std::size_t count);
  // 32 lower-case hex digits.
  std::wstring Finish();

 private:
  void* algorithm_ = nullptr;
  void* hash_ = nullptr;
  std::vector<unsigned char> object_;
  bool ok_ = false;
};

// Lower-case hex MD5 of a string's UTF-16 LE bytes; "" when the provider fails.
std::wstring Md5OfText(const std::wstring& text);
