#include "common/copy_plan.h"

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/unique_handle.h"

namespace {

bool IsDotEntry(const wchar_t* name) { return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0; }

ULONGLONG SizeOf(const WIN32_FIND_DATAW& entry) {
  return static_cast<ULONGLONG>(entry.nFileSizeHigh) << 32 | entry.nFileSizeLow;
}

void Walk(const std::wstring& from, const std::wstring& to, const std::wstring& relative, CopyPlan& plan,
          const std::vector<std::wstring>& leaveOut) {
  plan.folders.push_back(to);
  WIN32_FIND_DATAW entry{};
  UniqueFind find(FindFirstFileExW((from + L"\\*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return;
  do {
    if (IsDotEntry(entry.cFileName)) continue;
    const std::wstring child = from + L"\\" + entry.cFileName;
    // A link may point anywhere, even back up this tree: it is named, never entered.
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      plan.links.push_back(child);
      continue;
    }
    const std::wstring name = relative + ToLower(entry.cFileName);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      Walk(child, to + L"\\" + entry.cFileName, name + L"\\", plan, leaveOut);
    } else if (std::find(leaveOut.begin(), leaveOut.end(), name) == leaveOut.end()) {
      PlanFile(child, to + L"\\" + entry.cFileName, SizeOf(entry), plan);
    }
  } while (FindNextFileW(find.Get(), &entry));
}

}  // namespace

void PlanFolder(const std::wstring& from, const std::wstring& to, CopyPlan& plan,
                const std::vector<std::wstring>& leaveOut) {
  const DWORD attributes = GetFileAttributesW(from.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    plan.links.push_back(from);
    return;
  }
  Walk(from, to, L"", plan, leaveOut);
}

void PlanFile(const std::wstring& from, const std::wstring& to, ULONGLONG bytes, CopyPlan& plan) {
  plan.files.push_back({from, to, bytes});
  plan.bytes += bytes;
}

CopyRun RunCopyPlan(const CopyPlan& plan, const CopyProgressFn& progress) {
  for (const std::wstring& folder : plan.folders) {
    if (!g_files.CreateFolderPath(folder)) return {CopyRun::kFailed, GetLastError(), L"", folder};
  }
  CopyProgress done{0, plan.files.size(), 0, plan.bytes};
  for (const CopyPlan::File& file : plan.files) {
    if (!CopyFileW(file.from.c_str(), file.to.c_str(), TRUE)) {
      return {CopyRun::kFailed, GetLastError(), file.from, file.to};
    }
    ++done.files;
    done.bytes += file.bytes;
    if (progress && !progress(done) && done.files < done.totalFiles) return {CopyRun::kCancelled, 0, L"", L""};
  }
  return {};
}

bool RoomFor(const CopyPlan& plan, const std::wstring& folder, VolumeRoom& room) {
  wchar_t volume[MAX_PATH] = {};
  if (!GetVolumePathNameW(folder.c_str(), volume, MAX_PATH)) return false;
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
  ULARGE_INTEGER freeToCaller{};
  if (!GetDiskFreeSpaceExW(volume, &freeToCaller, nullptr, nullptr)) return false;
  ULONGLONG cluster = 4096;
  if (GetDiskFreeSpaceW(volume, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) {
    cluster = std::max<ULONGLONG>(1, static_cast<ULONGLONG>(sectorsPerCluster) * bytesPerSector);
  }
  const std::wstring prefix = ToLower(volume);
  room = {volume, 0, freeToCaller.QuadPart};
  for (const std::wstring& target : plan.folders) {
    if (ToLower(target).starts_with(prefix)) room.needed += cluster;
  }
  for (const CopyPlan::File& file : plan.files) {
    if (ToLower(file.to).starts_with(prefix)) room.needed += (file.bytes + cluster - 1) / cluster * cluster;
  }
  return true;
}
