#include "deploy/deploy_preflight.h"

#include <algorithm>

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "deploy/copy_failure.h"
#include "deploy/deploy_folder.h"
#include "deploy/file_equality.h"
#include "common/copy_plan.h"

namespace {

bool NeedsCopy(const std::wstring& file, const std::wstring& target) {
  if (KeepsExistingTarget(target)) return false;
  return !FileExists(target) || !FilesEqualForDeploy(file, target);
}

// A folder still to be made is written in its nearest existing parent.
DWORD ProbeWrite(std::wstring folder) {
  while (!folder.empty() && !FolderExists(folder)) folder = ParentFolderOf(folder);
  wchar_t probe[MAX_PATH] = {};
  if (!GetTempFileNameW(folder.c_str(), L"pdk", 0, probe)) return GetLastError();
  DeleteFileW(probe);
  return ERROR_SUCCESS;
}

}  // namespace

std::wstring PreflightRoot(const std::wstring& root, const std::vector<FolderJob>& jobs, ULONGLONG& neededBytes) {
  CopyPlan plan;
  std::vector<std::wstring> receiving;
  for (const FolderJob& job : jobs) {
    const std::wstring to = NormalizePath(job.to + L"\\");
    for (const std::wstring& file : ListPackageFiles(job.from, job.masks)) {
      if (const DWORD error = PackageFileError(file)) return UnreadablePackageFileText(file, error);
      const std::wstring target = to + FileNameOf(file, true);
      if (!NeedsCopy(file, target)) continue;
      PlanFile(file, target, static_cast<ULONGLONG>(g_files.GetFileLength(file)), plan);
      if (std::find(receiving.begin(), receiving.end(), to) == receiving.end()) receiving.push_back(to);
    }
  }
  neededBytes = plan.bytes;
  for (const std::wstring& folder : receiving) {
    if (const DWORD error = ProbeWrite(folder)) return CopyFailureText(error, folder, neededBytes);
  }
  VolumeRoom room;
  if (!plan.files.empty() && RoomFor(plan, root, room) && room.needed > room.free) {
    neededBytes = room.needed;
    return CopyFailureText(ERROR_DISK_FULL, root, room.needed);
  }
  return {};
}
