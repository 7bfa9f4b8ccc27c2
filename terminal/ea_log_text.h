#pragma once
#include <optional>
#include <string>
#include <string_view>

// What a terminal's journal or experts log says of one EA's last run. The lines are
// "level<TAB>time<TAB>text" in the system's code page; the terminal's own phrases are English
// in every locale, so the bytes are read as they are.
enum class EaLogState {
  kUnknown,     // no load of the EA in the log
  kRunning,     // initialised and not stopped since
  kLoaded,      // loaded, nothing after it yet
  kInitFailed,  // "not initialized" or "initialization failed"
  kDllBlocked,  // a DLL call was refused, then the import was unresolved
  kStopped,     // an uninit reason or its removal ended the run
};

struct EaLogVerdict {
  EaLogState state = EaLogState::kUnknown;
  std::string chart;  // "EURUSD,H1" of the last load
  std::string since;  // time of the load's last event: initialised, failed, stopped
  int uninitReason = -1;
  bool tradingNotAllowed = false;  // the chart's own "Allow live trading" is off
  // The last "Automated trading enabled/disabled" line anywhere in the log, and its time.
  std::optional<bool> autoTrading;
  std::string autoTradingTime;
};

// eaName is the role EA's name; a load from a subfolder ("Expert Sub\Name ...") counts too.
EaLogVerdict ReadEaLog(std::string_view log, std::string_view eaName);
