#include "common/file_failure.h"


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
