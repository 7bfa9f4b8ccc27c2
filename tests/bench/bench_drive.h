#pragma once
#include <functional>
#include <string>
#include <vector>

// A synthetic drive for the terminal search: under root, first folders of second subfolders
// each, a readme in every first folder and a terminal in every tenth.
void BuildDrive(const std::wstring& root, int first, int second);
// Lists every folder of the two levels once, as a bare program would; returns how many.
int ListTwoLevels(const std::wstring& root);
std::vector<std::wstring> Subfolders(const std::wstring& folder);
double Seconds(const std::function<void()>& run);
