#pragma once

// Shared by the fake terminal program and the tests that start it.
//   fake_terminal.exe [--mt5] [--ignore-close N|all] [--hold FILE] TITLE...
// The words after the options form the window title.
inline constexpr int kFakeTerminalClosedExitCode = 7;
inline constexpr int kFakeTerminalBadFileExitCode = 3;
