#include "common/file_failure.h"

#include "common/path_text.h"

namespace {
bool g_accessDenied = false;
}  // namespace

void NoteFileFailure(DWORD error) {
  if (error == ERROR_ACCESS_DENIED) g_accessDenied = true;
}

bool TakeAccessDenied() {
  const bool denied = g_accessDenied;
  g_accessDenied = false;
  return denied;
}

std::wstring SystemErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring reason = length ? std::wstring(buffer, length) : L"#" + std::to_wstring(error);
  LocalFree(buffer);
  return Trim(reason, L" \t\r\n.") + L" (#" + std::to_wstring(error) + L")";
}
