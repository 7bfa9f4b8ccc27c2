#pragma once

// Shared by the fake terminal program and the tests that start it.
//   fake_terminal.exe [--mt5] [--ignore-close N|all] [--close-delay MS] [--hold FILE] [--record FILE] TITLE...
// --close-delay makes a close request it takes end the window only MS later, as a busy terminal.
// The words after the options form the window title; words starting with "/" are left out of
// it, as a terminal's own options. --record writes the command line, a line break and the
// working folder to FILE as UTF-16 LE with its mark.
// As a 32-bit MT4 terminal, it finds its data folder (its own folder with /portable) and, when
// there is one, logs the start of the EAs on its current profile's charts and, when its window
// closes, their removal (tests/tools/fake_terminal_logs.h). A word ending in ".ini" is its start-up
// configuration, whose "ExpertsDllImport=" line outweighs experts.ini.
inline constexpr int kFakeTerminalClosedExitCode = 7;
inline constexpr int kFakeTerminalBadFileExitCode = 3;
