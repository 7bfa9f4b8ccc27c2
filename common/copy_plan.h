#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// What a folder copy will do, worked out before the first byte moves so the room can be
// checked and the progress shown against a total.
struct CopyPlan {
  struct File {
    std::wstring from;
    std::wstring to;
    ULONGLONG bytes = 0;
  };
  std::vector<std::wstring> folders;  // target folders, each after its parent
  std::vector<File> files;
  std::vector<std::wstring> links;    // linked folders and files of the source, left out
  ULONGLONG bytes = 0;
};

// Adds the tree under from, copied to to, without its links and without the files whose
// lower-cased path relative to from is in leaveOut. A missing from adds nothing.
void PlanFolder(const std::wstring& from, const std::wstring& to, CopyPlan& plan,
                const std::vector<std::wstring>& leaveOut = {});
void PlanFile(const std::wstring& from, const std::wstring& to, ULONGLONG bytes, CopyPlan& plan);

struct CopyProgress {
  std::size_t files = 0;
  std::size_t totalFiles = 0;
  ULONGLONG bytes = 0;
  ULONGLONG totalBytes = 0;
};
// Called after every file; false stops the copy there.
using CopyProgressFn = std::function<bool(const CopyProgress&)>;

struct CopyRun {
  enum Result { kDone, kFailed, kCancelled } result = kDone;
  DWORD error = 0;  // of the failed step
  std::wstring from;
  std::wstring to;
};
CopyRun RunCopyPlan(const CopyPlan& plan, const CopyProgressFn& progress);

// The bytes the plan takes on the volume of folder, files rounded up to its clusters, and
// what is free there for this user. False when the volume cannot be asked.
struct VolumeRoom {
  std::wstring volume;
  ULONGLONG needed = 0;
  ULONGLONG free = 0;
};
bool RoomFor(const CopyPlan& plan, const std::wstring& folder, VolumeRoom& room);
