#pragma once
#include <windows.h>

#include <string>

// Access-denied failures of writes into terminal folders, gathered over one command so the
// window can offer an elevated restart once for all its rows.
void NoteFileFailure(DWORD error);
// True when an access-denied failure was noted since the last call; clears the note.
bool TakeAccessDenied();
