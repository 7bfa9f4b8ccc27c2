#pragma once

// Keeps the installer's own folder (often Downloads) and the current folder out of the
// search for DLLs and programs. Called first in wWinMain, before anything loads a DLL.
void RestrictDllSearch();
