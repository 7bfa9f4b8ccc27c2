#pragma once
#include <string>
#include <string_view>

// Account and server as a running terminal shows them in its window title,
// e.g. "12345678: Demo-Server - Demo Account - [EURUSD,H1]".
struct TerminalTitle {
  std::wstring account;
  std::wstring server;
};

TerminalTitle ParseTerminalTitle(std::wstring_view title);
