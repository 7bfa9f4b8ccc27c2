#pragma once
#include <string>
#include <vector>

// The run folders of one terminal's records folder, oldest first: those named by digits only.
std::vector<std::wstring> RunFolders(const std::wstring& terminalRecords);

// Keeps kRecordsPerTerminal runs of the terminal and kRecordsBytes over every terminal, the
// oldest going first; the run just written always stays.
void PruneRecords(const std::wstring& recordsFolder, const std::wstring& terminalRecords, const std::wstring& keep);
