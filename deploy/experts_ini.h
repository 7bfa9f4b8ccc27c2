#pragma once
#include <string>

inline constexpr unsigned kNewExpertsIniSize = 4388;
// Shorter files are not the layout the offsets belong to and are left alone.
inline constexpr unsigned kExpertsIniMinEditSize = 201;

// Switches the Expert Advisor options on in the experts.ini that belongs to a deployment
// target (a data folder's MQL folder, or a legacy install folder), keeping one backup.
// "" when switched on or nothing is there to switch; else why the file could not be written.
std::wstring EnableExpertsIni(const std::wstring& target);

// The config folder that holds the experts.ini of a target; "" when there is none.
std::wstring ExpertsIniFolder(const std::wstring& target);
// The bytes of a fresh experts.ini with the options on.
std::string NewExpertsIniBytes();
