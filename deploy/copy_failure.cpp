#include "deploy/copy_failure.h"

#include "common/error_text.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/winmsg.h"
#include "deploy/engine_messages.h"

namespace {

std::wstring VolumeOf(const std::wstring& path) {
  wchar_t volume[MAX_PATH] = {};
  return GetVolumePathNameW(path.c_str(), volume, MAX_PATH) ? std::wstring(volume) : path.substr(0, 3);
}

std::wstring DiskFullText(const std::wstring& path, ULONGLONG neededBytes) {
  std::wstring text = ReplaceAll(g_lang.GetText(msg::kDiskFull), L"{0}", VolumeOf(path));
  text = ReplaceAll(std::move(text), L"{1}", MegabytesText(neededBytes));
  return ReplaceAll(std::move(text), L"{2}", MegabytesText(FreeBytesAt(path)));
}

}  // namespace

ULONGLONG FreeBytesAt(const std::wstring& path) {
  ULARGE_INTEGER free{};
  return GetDiskFreeSpaceExW(VolumeOf(path).c_str(), &free, nullptr, nullptr) ? free.QuadPart : 0;
}

std::wstring CopyFailureText(DWORD error, const std::wstring& path, ULONGLONG neededBytes) {
  switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EngineMessage(kMsgCloseTerminal) + L"#" + FileNameOf(path, true);
    case ERROR_ACCESS_DENIED:
      return ReplaceAll(g_lang.GetText(msg::kNeedsAdministrator), L"{0}", path);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return DiskFullText(path, neededBytes);
    default:
      return ReplaceAll(ReplaceAll(g_lang.GetText(msg::kFileNotWritten), L"{0}", path), L"{1}", SystemReason(error));
  }
}

std::wstring UnreadablePackageFileText(const std::wstring& file, DWORD error) {
  const std::wstring text = ReplaceAll(g_lang.GetText(msg::kPackageFileUnreadable), L"{0}", file);
  return ReplaceAll(text, L"{1}", SystemReason(error));
}
