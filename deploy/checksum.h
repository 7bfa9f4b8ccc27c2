#pragma once
#include <string>

// MD5 of a file's bytes through the system's cryptography provider.
class CChecksum {
 public:
  virtual ~CChecksum() = default;

  // 32 lower-case hex digits; "" for a missing, unreadable or empty file and for a folder.
  std::wstring FileMd5(const std::wstring& path) const;
};

extern CChecksum g_checksum;

std::wstring FileMd5(const std::wstring& path);
