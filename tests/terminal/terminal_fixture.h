#pragma once
#include <string>

// Folder trees and registry values the terminal tests build and remove again.

// A terminal installation: the program plus one data folder beside it, so the folder
// test accepts it.
void MakeTerminal(const std::wstring& folder, const std::wstring& program = L"terminal.exe");
void MakeFolder(const std::wstring& folder);
// Writes text as UTF-16 with byte-order mark, as terminals write origin.txt.
void WriteUtf16(const std::wstring& path, const std::wstring& text);
// A data folder under root whose origin.txt names the install folder as given.
void MakeDataFolder(const std::wstring& root, const std::wstring& name, const std::wstring& originText);

// A string value under HKEY_CURRENT_USER for the lifetime of the object; keys it had to
// create are removed with it.
class ScopedUserValue {
 public:
  ScopedUserValue(const std::wstring& subKey, const std::wstring& name, const std::wstring& data);
  ~ScopedUserValue();
  ScopedUserValue(const ScopedUserValue&) = delete;
  ScopedUserValue& operator=(const ScopedUserValue&) = delete;

 private:
  std::wstring subKey_;
  std::wstring name_;
  std::wstring createdKey_;
};
