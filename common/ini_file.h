#pragma once
#include <string>

// One settings file read and written through the system's profile-string functions.
class CIniFile {
 public:
  virtual ~CIniFile() = default;

  // False for a folder, or a read-only file that cannot be made writable.
  bool SetPath(const std::wstring& path);
  const std::wstring& Path() const { return path_; }
  std::wstring Read(const std::wstring& section, const std::wstring& key) const;
  // Reads a file that is not opened for writing, and changes nothing about it.
  static std::wstring ReadFrom(const std::wstring& path, const std::wstring& section, const std::wstring& key);
  bool Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) const;

 private:
  std::wstring path_;
};

// The installer's single settings file, with the section "MAIN" as default.
class CConfig {
 public:
  virtual ~CConfig() = default;

  // An empty path means the program's own folder + short name + ".cfg".
  void SetConfigPath(const std::wstring& path);
  static std::wstring PathFor(const std::wstring& path);
  const std::wstring& ConfigPath() const { return path_; }
  std::wstring ReadValue(const std::wstring& section, const std::wstring& key);
  void WriteValue(const std::wstring& section, const std::wstring& key, const std::wstring& value);
  std::wstring ReadMain(const std::wstring& key) { return ReadValue(L"MAIN", key); }
  void WriteMain(const std::wstring& key, const std::wstring& value) { WriteValue(L"MAIN", key, value); }

 private:
  CIniFile file_;
  std::wstring path_;
};

extern CConfig g_config;
