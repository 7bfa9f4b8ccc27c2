#include "terminal/folder_presence.h"

#include <windows.h>

#include "common/file_ctrl.h"
#include "common/path_text.h"

FolderPresence PresenceOfFolder(const std::wstring& folder) {
  if (FolderExists(folder)) return FolderPresence::kPresent;
  const std::wstring root = PathRoot(folder);
  if (root.empty()) return FolderPresence::kGone;
  // An unmapped letter, a reader without its medium, a share that does not answer.
  if (GetDriveTypeW(root.c_str()) == DRIVE_NO_ROOT_DIR || !FolderExists(root)) return FolderPresence::kUnavailable;
  return FolderPresence::kGone;
}
