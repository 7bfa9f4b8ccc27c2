#include "common/change_watch.h"

namespace {

thread_local ChangeWatch* t_watch = nullptr;

}  // namespace

ChangeWatch* SetChangeWatch(ChangeWatch* watch) {
  ChangeWatch* previous = t_watch;
  t_watch = watch;
  return previous;
}

void NoteChange(const std::wstring& path, FileChange change) {
  if (t_watch) t_watch->BeforeChange(path, change);
}

bool Watching() { return t_watch != nullptr; }

void NoteWritten(const std::wstring& path, const std::wstring& digest) {
  if (t_watch) t_watch->Written(path, digest);
}
