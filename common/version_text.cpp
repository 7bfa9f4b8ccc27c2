#include <climits>

#include "common/path_text.h"

namespace {

std::vector<std::wstring> SplitAtDots(const std::wstring& text) {
  std::vector<std::wstring> parts(1);
  for (wchar_t c : text) {
    if (c == L'.') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

// The blanks of the "C" locale, named here so no C runtime locale changes what counts.
bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

// The value of the leading digits after optional blanks and a sign; 0 without digits.
long long LeadingNumber(const std::wstring& part) {
  std::size_t i = 0;
  while (i < part.size() && IsBlank(part[i])) ++i;
  bool negative = false;
  if (i < part.size() && (part[i] == L'+' || part[i] == L'-')) negative = part[i++] == L'-';
  long long value = 0;
  for (; i < part.size() && part[i] >= L'0' && part[i] <= L'9'; ++i) {
    if (value < LLONG_MAX / 10) value = value * 10 + (part[i] - L'0');
  }
  return negative ? -value : value;
}

std::wstring CutBefore(const std::wstring& text, wchar_t c) {
  const std::size_t pos = text.find(c);
  return pos == std::wstring::npos ? text : text.substr(0, pos);
}

}  // namespace

int CompareVersionText(const std::wstring& a, const std::wstring& b) {
  const std::wstring left = Trim(a);
  const std::wstring right = Trim(b);
  if (left == right) return 0;
  const std::vector<std::wstring> leftParts = SplitAtDots(left);
  const std::vector<std::wstring> rightParts = SplitAtDots(right);
  if (leftParts.size() != rightParts.size()) return rightParts.size() > leftParts.size() ? 1 : -1;
  for (std::size_t i = 0; i < leftParts.size(); ++i) {
    const long long l = LeadingNumber(leftParts[i]);
    const long long r = LeadingNumber(rightParts[i]);
    if (l != r) return r > l ? 1 : -1;
  }
  // Same numbers written differently ("1.0" and "1.00") still count as different.
  return -1;
}

std::wstring CleanFileVersion(const std::wstring& fileVersion) {
  std::wstring text;
  for (wchar_t c : fileVersion) {
    if (c == L' ' || c == L'\t') continue;
    text += c == L',' ? L'.' : c;
  }
  return CutBefore(CutBefore(CutBefore(text, L'('), L'_'), L'#');
}

std::wstring CleanVersionValue(const std::wstring& value) {
  std::wstring text;
  for (wchar_t c : value) {
    if (c != L'?') text += c;
  }
  text = Trim(text);
  return text == L"(null)" ? std::wstring() : text;
}
