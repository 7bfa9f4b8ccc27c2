#include "deploy/experts_ini.h"

#include <windows.h>

#include <utility>

#include "common/change_watch.h"
#include "common/error_text.h"
#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/unique_handle.h"
#include "common/winmsg.h"

namespace {

// Offsets and values switched in an existing file.
constexpr std::pair<LONG, char> kEdits[] = {{8, 0}, {12, 0}, {20, 1}, {36, 1}, {44, 0}};

DWORD WriteNewFile(const std::wstring& path) {
  NoteChange(path, FileChange::kWrite);
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
  if (!file) return GetLastError();
  const std::string bytes = NewExpertsIniBytes();
  DWORD written = 0;
  if (WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size()) {
    return ERROR_SUCCESS;
  }
  const DWORD error = GetLastError() ? GetLastError() : ERROR_DISK_FULL;
  // A cut-off options file would be read by the terminal as garbage.
  file.Reset();
  DeleteFileW(path.c_str());
  return error;
}

DWORD EditExistingFile(const std::wstring& path) {
  NoteChange(path, FileChange::kEdit);
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return GetLastError();
  for (const auto& [offset, value] : kEdits) {
    DWORD written = 0;
    if (SetFilePointer(file.Get(), offset, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return GetLastError();
    if (!WriteFile(file.Get(), &value, 1, &written, nullptr)) return GetLastError();
  }
  return ERROR_SUCCESS;
}

std::wstring NotSwitchedOn(const std::wstring& path, DWORD error) {
  const std::wstring text = ReplaceAll(g_lang.GetText(msg::kExpertsIniNotSwitched), L"{0}", path);
  return ReplaceAll(text, L"{1}", SystemReason(error));
}

}  // namespace

std::string NewExpertsIniBytes() {
  std::string bytes(kNewExpertsIniSize, '\0');
  bytes[0] = static_cast<char>(0x90);
  for (int offset : {1, 4, 20, 28, 36}) bytes[offset] = 1;
  return bytes;
}

std::wstring ExpertsIniFolder(const std::wstring& target) {
  if (target.empty()) return {};
  const std::wstring parent = ParentFolderOf(target);
  if (!parent.empty() && FolderExists(parent + L"config")) return parent + L"config\\";
  const std::wstring own = WithTrailingBackslash(target) + L"config";
  return FolderExists(own) ? own + L"\\" : std::wstring();
}

std::wstring EnableExpertsIni(const std::wstring& target) {
  const std::wstring folder = ExpertsIniFolder(target);
  if (folder.empty()) return {};
  const std::wstring path = folder + L"experts.ini";
  DWORD error = ERROR_SUCCESS;
  if (PathKind(path) == kPathNone) {
    error = WriteNewFile(path);
  } else {
    const std::wstring backup = folder + L"experts.vrk";
    if (!FileExists(backup)) g_files.CopyFileTo(path, backup, false);
    if (g_files.GetFileLength(path) >= kExpertsIniMinEditSize) error = EditExistingFile(path);
  }
  return error ? NotSwitchedOn(path, error) : std::wstring();
}
