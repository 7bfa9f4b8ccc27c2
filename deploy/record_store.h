#pragma once
#include <string>
#include <vector>

// The run folders of one terminal's records folder, oldest first: those named by digits only.
std::vector<std::wstring> RunFolders(const std::wstring& terminalRecords);

// Keeps the terminal's newest kRecordsPerTerminal runs.
void PruneTerminalRecords(const std::wstring& terminalRecords);
// Keeps every terminal's runs together under kRecordsBytes, the oldest going first; the newest
// run of each terminal always stays. Once at the end of a run over terminals.
void PruneAllRecords();
