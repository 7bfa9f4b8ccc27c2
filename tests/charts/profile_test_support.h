#pragma once
#include <string>
#include <vector>

#include "tests/support/scripted_seams.h"
#include "tests/support/temp_folder.h"

// Chart texts as the terminal and the copier leave them.
std::wstring UserChart(const std::wstring& symbol, const std::wstring& period, const std::wstring& expertBlock = L"");
std::wstring ExpertBlock(const std::wstring& eaName, const std::wstring& inputs = L"");
extern const wchar_t kProviderInputs[];
extern const wchar_t kReceiverInputs[];

std::string Ansi(const std::wstring& text);
std::string Utf16(const std::wstring& text, bool withMark);

// A terminal folder whose profiles folder holds the current profile "Default".
class ProfileFixture {
 public:
  ProfileFixture();
  std::wstring Terminal() const { return temp_.Path(); }
  const std::wstring& Profile() const { return profile_; }
  std::wstring Chart(int number) const;
  void PutChart(int number, const std::wstring& text);
  void PutFile(const std::wstring& name, const std::wstring& text);
  std::string Bytes(const std::wstring& name) const;
  std::string ChartBytes(int number) const;
  std::vector<int> Numbers() const;
  std::vector<std::wstring> Messages() const { return seams_.prompt.Messages(); }

 private:
  TempFolder temp_;
  ScriptedSeams seams_;
  std::wstring profile_;
};
