#pragma once
#include <optional>
#include <string_view>

// The EA options a terminal keeps in config\experts.ini: little-endian 32-bit integers at fixed
// offsets. The terminal writes the file when it exits.
struct ExpertOptions {
  bool autoTrading = false;         // 0x24, "Allow automated trading"
  bool dllImports = false;          // 0x14, "Allow DLL imports"
  bool offOnAccountChange = false;  // 0x08, "disable automated trading when the account has changed"
  bool offOnProfileChange = false;  // 0x0C, the same when the profile has changed
};

// Nothing for a file too short to hold them.
std::optional<ExpertOptions> ReadExpertOptions(std::string_view bytes);
