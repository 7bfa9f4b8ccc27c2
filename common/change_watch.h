#pragma once
#include <string>

// What the program is about to do to a file.
enum class FileChange {
  kWrite,   // whole new content under the name (or a new file)
  kEdit,    // bytes changed in place
  kDelete,  // the name goes
};

// Told before the program changes a file, so a run can keep what the file held. One per
// thread: runs over terminals are recorded on the thread that runs them.
class ChangeWatch {
 public:
  virtual ~ChangeWatch() = default;
  virtual void BeforeChange(const std::wstring& path, FileChange change) = 0;
  // After a copy took the name, with the digest of what it wrote.
  virtual void Written(const std::wstring& /*path*/, const std::wstring& /*digest*/) {}
};

// Returns the watch it replaces; nullptr stops watching.
ChangeWatch* SetChangeWatch(ChangeWatch* watch);
void NoteChange(const std::wstring& path, FileChange change);
bool Watching();
void NoteWritten(const std::wstring& path, const std::wstring& digest);
