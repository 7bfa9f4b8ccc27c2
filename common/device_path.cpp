#include "common/device_path.h"

namespace {

// Device names and drive letters are ASCII; folding only A-Z keeps the match free of the
// C runtime's locale.
wchar_t AsciiUpper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 0x20) : c; }

bool IsFloppyDrive(const std::wstring& drive) {
  if (drive.empty()) return false;
  const wchar_t letter = AsciiUpper(drive[0]);
  return letter == L'A' || letter == L'B';
}

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (AsciiUpper(text[i]) != AsciiUpper(prefix[i])) return false;
  }
  return true;
}

}  // namespace

bool ReplaceDevicePrefix(std::wstring& path, const std::vector<DriveDevice>& drives) {
  for (const DriveDevice& entry : drives) {
    if (entry.device.empty() || IsFloppyDrive(entry.drive)) continue;
    if (!StartsWithNoCase(path, entry.device)) continue;
    const std::size_t end = entry.device.size();
    if (end < path.size() && path[end] != L'\\') continue;
    path = entry.drive + path.substr(end);
    return true;
  }
  return false;
}
