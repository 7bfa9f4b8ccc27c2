#include "common/command_line.h"

#include "common/path_text.h"

std::wstring ArgumentsAfterProgram(std::wstring_view commandLine) {
  std::size_t end = 0;
  if (!commandLine.empty() && commandLine[0] == L'"') {
    end = commandLine.find(L'"', 1);
    end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
  } else {
    end = commandLine.find_first_of(L" \t");
    if (end == std::wstring_view::npos) end = commandLine.size();
  }
  const std::size_t start = commandLine.find_first_not_of(L" \t", end);
  return start == std::wstring_view::npos ? L"" : std::wstring(commandLine.substr(start));
}

bool HasOption(std::wstring_view arguments, std::wstring_view option) {
  const std::wstring wanted = ToLower(std::wstring(option));
  std::wstring argument;
  bool quoted = false;
  for (std::size_t i = 0; i <= arguments.size(); ++i) {
    const wchar_t c = i < arguments.size() ? arguments[i] : L' ';
    if (c == L'"') {
      quoted = !quoted;
    } else if ((c == L' ' || c == L'\t') && !quoted) {
      if (ToLower(argument) == wanted) return true;
      argument.clear();
    } else {
      argument += c;
    }
  }
  return false;
}
