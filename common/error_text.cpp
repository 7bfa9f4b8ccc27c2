#include "common/error_text.h"

#include <cwchar>

#include "common/path_text.h"

std::wstring SystemReason(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring reason = length ? std::wstring(buffer, length) : L"#" + std::to_wstring(error);
  LocalFree(buffer);
  return Trim(reason, L" \t\r\n.") + L" (#" + std::to_wstring(error) + L")";
}

std::wstring MegabytesText(ULONGLONG bytes) {
  wchar_t text[32] = {};
  std::swprintf(text, 32, L"%.1f", static_cast<double>(bytes) / (1024.0 * 1024.0));
  return text;
}
