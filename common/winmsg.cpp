#include "common/winmsg.h"

#include "common/catalog_tables.h"
#include "common/product_texts.h"

CWinmsg g_lang;

std::wstring ReplaceAll(std::wstring text, std::wstring_view marker, std::wstring_view value) {
  if (marker.empty()) return text;
  for (std::size_t pos = text.find(marker); pos != std::wstring::npos;
       pos = text.find(marker, pos + value.size())) {
    text.replace(pos, marker.size(), value);
  }
  return text;
}

std::wstring ExpandLineBreaks(std::wstring text) { return ReplaceAll(std::move(text), L"\\n", L"\n"); }

std::wstring CommandLineArgument(std::wstring_view commandLine) {
  std::size_t pos = commandLine.find(L".exe ");
  if (pos == std::wstring_view::npos) pos = commandLine.find(L".exe\" ");
  if (pos == std::wstring_view::npos) return {};
  const std::size_t blank = commandLine.find(L' ', pos);
  return std::wstring(commandLine.substr(blank + 1));
}

int ChooseLanguage(bool chineseSystem, std::wstring_view commandLine, int editionLanguage) {
  int index = chineseSystem ? kLangSimplifiedChinese : kLangEnglish;
  if (CommandLineArgument(commandLine) == L"en") index = kLangEnglish;
  if (editionLanguage >= 0) index = editionLanguage;
  return index;
}

void CWinmsg::FillTables() {
  for (auto& text : messages_) text.clear();
  for (int language = 0; language < kLanguages; ++language) {
    for (const CatalogEntry& entry : MessageTable(language)) {
      messages_[language * kMessageCount + entry.id] = entry.text;
    }
  }
  for (auto& text : productTexts_) text.clear();
  FillProductTexts(productTexts_);
}

std::wstring CWinmsg::GetText(int id) const {
  if (language_ < 0 || language_ >= kLanguages || id < 0 || id >= kMessageCount) return {};
  std::wstring text = messages_[language_ * kMessageCount + id];
  if (text.empty() && language_ == kLangTraditionalChinese) {
    text = messages_[kLangSimplifiedChinese * kMessageCount + id];
  }
  return ExpandLineBreaks(std::move(text));
}

std::wstring CWinmsg::GetProductText(int id) const {
  if (language_ < 0 || language_ >= kLanguages || id < 0 || id >= kProductTextCount) return {};
  std::wstring stored = productTexts_[language_ * kProductTextCount + id];
  if (stored.empty() && language_ == kLangTraditionalChinese) {
    stored = productTexts_[kLangSimplifiedChinese * kProductTextCount + id];
  }
  return ExpandLineBreaks(DecodeProductText(stored));
}

void CWinmsg::SetText(int id, const std::wstring& text) {
  if (language_ < 0 || language_ >= kLanguages || id < 0 || id >= kMessageCount) return;
  messages_[language_ * kMessageCount + id] = text;
}
