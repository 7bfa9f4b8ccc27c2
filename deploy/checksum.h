#pragma once
#include <string>

// MD5 of a file's bytes.
class CChecksum {
 public:
  virtual ~CChecksum() = default;

  // 32 lower-case hex digits; "" for a missing, unreadable or empty file and for a folder.
  std::wstring FileMd5(const std::wstring& path) const;
};

extern CChecksum g_checksum;

std::wstring FileMd5(const std::wstring& path);
// Both files were read and their digests agree; a failed digest agrees with nothing.
bool SameDigest(const std::wstring& a, const std::wstring& b);
