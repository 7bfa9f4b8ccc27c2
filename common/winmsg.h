#pragma once
#include <array>
#include <string>
#include <string_view>

enum LanguageIndex : int {
  kLangEnglish = 0,
  kLangSimplifiedChinese = 1,
  kLangTraditionalChinese = 2,
};

// The interface texts in three languages: the message catalog and the product texts.
class CWinmsg {
 public:
  static constexpr int kLanguages = 3;
  static constexpr int kMessageCount = 300;
  static constexpr int kProductTextCount = 120;

  virtual ~CWinmsg() = default;

  // Fills the tables and chooses the language from the system, the command line
  // and the active edition profile.
  void Init();
  void FillTables();

  std::wstring GetText(int id) const;
  std::wstring GetProductText(int id) const;
  // Replaces a message of the current language only.
  void SetText(int id, const std::wstring& text);

  int Language() const { return language_; }
  void SetLanguage(int index) { language_ = index; }

 private:
  int language_ = kLangEnglish;
  std::array<std::wstring, kLanguages * kMessageCount> messages_;
  std::array<std::wstring, kLanguages * kProductTextCount> productTexts_;
};

extern CWinmsg g_lang;

// Every backslash + n pair becomes a line break.
std::wstring ExpandLineBreaks(std::wstring text);
// The text after the program name of a command line, as the "en" switch reads it.
std::wstring CommandLineArgument(std::wstring_view commandLine);
// editionLanguage < 0 means the edition leaves the detected language in force.
int ChooseLanguage(bool chineseSystem, std::wstring_view commandLine, int editionLanguage);
// Replaces every occurrence of marker in text.
std::wstring ReplaceAll(std::wstring text, std::wstring_view marker, std::wstring_view value);
