#pragma once
#include <windows.h>

#include <utility>

// One owner type for every OS handle kind; the traits say what is invalid and how to close.
template <typename T, typename Traits>
class Unique {
 public:
  Unique() = default;
  explicit Unique(T value) : value_(value) {}
  ~Unique() { Reset(); }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  Unique(Unique&& other) noexcept : value_(other.Release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  T Get() const { return value_; }
  explicit operator bool() const { return Traits::IsValid(value_); }
  T* Receive() {
    Reset();
    return &value_;
  }
  T Release() { return std::exchange(value_, Traits::Invalid()); }
  void Reset(T value = Traits::Invalid()) {
    if (Traits::IsValid(value_)) Traits::Close(value_);
    value_ = value;
  }

 private:
  T value_ = Traits::Invalid();
};

struct HandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};

struct FindHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { FindClose(h); }
};

struct RegKeyTraits {
  static HKEY Invalid() { return nullptr; }
  static bool IsValid(HKEY k) { return k != nullptr; }
  static void Close(HKEY k) { RegCloseKey(k); }
};

struct MenuTraits {
  static HMENU Invalid() { return nullptr; }
  static bool IsValid(HMENU m) { return m != nullptr; }
  static void Close(HMENU m) { DestroyMenu(m); }
};

struct IconTraits {
  static HICON Invalid() { return nullptr; }
  static bool IsValid(HICON i) { return i != nullptr; }
  static void Close(HICON i) { DestroyIcon(i); }
};

struct FontTraits {
  static HFONT Invalid() { return nullptr; }
  static bool IsValid(HFONT f) { return f != nullptr; }
  static void Close(HFONT f) { DeleteObject(f); }
};

template <typename I>
struct ComTraits {
  static I* Invalid() { return nullptr; }
  static bool IsValid(I* p) { return p != nullptr; }
  static void Close(I* p) { p->Release(); }
};

using UniqueHandle = Unique<HANDLE, HandleTraits>;
using UniqueFind = Unique<HANDLE, FindHandleTraits>;
using UniqueKey = Unique<HKEY, RegKeyTraits>;
using UniqueIcon = Unique<HICON, IconTraits>;
using UniqueMenu = Unique<HMENU, MenuTraits>;
using UniqueFont = Unique<HFONT, FontTraits>;
template <typename I>
using UniqueCom = Unique<I*, ComTraits<I>>;
