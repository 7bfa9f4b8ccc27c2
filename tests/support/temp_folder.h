#pragma once
#include <map>
#include <string>

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  // A fresh folder below base (with trailing backslash) instead of the temporary folder.
  explicit TempFolder(const std::wstring& base);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // With a trailing backslash.
  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& relative) const { return path_ + relative; }

 private:
  std::wstring path_;
};

void RemoveTree(const std::wstring& folder);
// Writes bytes to a file, creating its folders.
bool WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
// Every file below folder (with a trailing backslash) by its path relative to it, with its bytes.
std::map<std::wstring, std::string> FilesUnder(const std::wstring& folder, const std::wstring& prefix = L"");
