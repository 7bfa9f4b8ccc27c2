#include "charts/text_ops.h"

#include "common/path_text.h"
#include "common/winmsg.h"

namespace chart_text_ops {

std::wstring ReplaceAll(std::wstring text, const std::wstring& from, const std::wstring& to) {
  return ::ReplaceAll(std::move(text), from, to);
}

std::wstring TrimBlank(const std::wstring& text) { return ::Trim(text, L" \t\r\n"); }

bool FoundAfterStart(const std::wstring& text, const std::wstring& part) {
  const std::size_t pos = text.find(part);
  return pos != std::wstring::npos && pos > 0;
}

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

std::size_t FindLineKey(const std::wstring& text, const std::wstring& key, std::size_t from) {
  const std::size_t pos = text.find(L"\n" + key, from);
  return pos == std::wstring::npos ? pos : pos + 1;
}

std::wstring LineFrom(const std::wstring& text, std::size_t pos) {
  if (pos >= text.size()) return L"";
  std::size_t end = text.find(L'\n', pos);
  if (end == std::wstring::npos) end = text.size();
  std::wstring line = text.substr(pos, end - pos);
  if (!line.empty() && line.back() == L'\r') line.pop_back();
  return line;
}

}  // namespace chart_text_ops
