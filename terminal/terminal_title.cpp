#include "terminal/terminal_title.h"

namespace {

std::wstring_view TrimChars(std::wstring_view text, std::wstring_view characters) {
  const std::size_t first = text.find_first_not_of(characters);
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(characters) - first + 1);
}

std::wstring_view ServerPart(std::wstring_view rest) {
  const std::size_t bracket = rest.rfind(L'[');
  if (bracket != std::wstring_view::npos && bracket > 0) rest = rest.substr(0, bracket);
  const std::size_t lastKept = rest.find_last_not_of(L'-');
  rest = lastKept == std::wstring_view::npos ? std::wstring_view() : rest.substr(0, lastKept + 1);
  const std::size_t firstKept = rest.find_first_not_of(L'-');
  rest = firstKept == std::wstring_view::npos ? std::wstring_view() : rest.substr(firstKept);
  return TrimChars(rest, L" \t\r\n");
}

// A login is a number; any other text before the cut is a server or a caption.
bool IsDigits(std::wstring_view text) {
  return !text.empty() && text.find_first_not_of(L"0123456789") == std::wstring_view::npos;
}

}  // namespace

TerminalTitle ParseTerminalTitle(std::wstring_view title) {
  std::size_t cut = title.find(L':');
  if (cut == std::wstring_view::npos) cut = title.find(L'-');
  if (cut == std::wstring_view::npos || cut == 0) return {};
  const std::wstring_view account = title.substr(0, cut);
  return {IsDigits(account) ? std::wstring(account) : std::wstring(), std::wstring(ServerPart(title.substr(cut + 1)))};
}
