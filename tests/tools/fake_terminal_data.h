#pragma once
#include <string>
#include <vector>

// What the fake terminal reads of its data folder at start, as the terminal reads it.

// An EA on a chart: its name as the chart gives it ("Sub\Name") and the chart ("EURUSD,H1").
struct ChartExpert {
  std::string path;
  std::string chart;
};

// The data folder (with trailing backslash) of a terminal started from exeFolder: that folder
// when portable; else its per-user folder when that exists; else exeFolder when it holds profiles
// and no copied per-user folder names it as origin. "" when none applies: none is created.
std::wstring FindDataFolder(const std::wstring& exeFolder, bool portable);

// The EAs on the charts of the current profile, in the order of the chart files' names.
std::vector<ChartExpert> ProfileExperts(const std::wstring& dataFolder);

// config\experts.ini's "Allow DLL imports"; off when the file is missing or too short. A start-up
// configuration given on the command line ("ExpertsDllImport=false") overrides it, as it does
// the terminal's own.
bool DllImportsAllowed(const std::wstring& dataFolder, const std::wstring& startupConfig);
