#pragma once
#include <functional>
#include <string>
#include <vector>

#include "terminal/terminal_entry.h"

// Where the search looks. The machine's own sources read the fixed drives, the current
// user's registry and the running terminals; tests put a fixture tree in their place.
struct DiscoverySources {
  std::function<std::vector<std::wstring>()> fixedDrives;  // roots without trailing backslash, "C:"
  std::function<std::wstring()> installPath;  // the folder the terminal's setup recorded
  std::function<std::vector<std::wstring>()> muiCacheNames;  // the shell's records of started programs
  std::function<std::vector<std::wstring>()> runningTerminalPaths;  // executables of running terminals
};

DiscoverySources MachineDiscoverySources();

// The candidate terminal folders, each followed by "|", in the letter case found; the same
// folder may come more than once. Touches no list.
std::wstring FindTerminals();
std::wstring FindTerminals(const DiscoverySources& sources);

// Adds an unticked row for every new candidate, then sets the account of every row.
void MergeSearchResult(std::vector<TerminalEntry>& rows, const std::wstring& candidates);

// The entries of one folder from a single listing, so the drive scan reads each folder once.
struct FolderListing {
  bool listed = false;
  std::vector<std::wstring> lowerNames;  // every entry
  std::vector<std::wstring> subfolders;  // folder names as found
};

FolderListing ListFolder(const std::wstring& folder);
// The terminal-folder test answered from the folder's listing; the same answer as the probes.
bool IsTerminalFolderListed(const std::wstring& folder, const FolderListing& listing);
