#include "deploy/terminal_closing.h"

#include "common/edition.h"
#include "common/message_ids.h"
#include "common/winmsg.h"
#include "deploy/engine_messages.h"

void StartAgain(const TerminalStart& start, RunPolicy& policy, TerminalRestart* restart) {
  if (!policy.MayStartTerminal(start.exePath)) return;
  StartTerminal(start);
  if (restart) restart->restarted = true;
}

Closing CloseIfRunning(const std::wstring& exe, RunPolicy& policy, TerminalRestart* restart) {
  if (!ActiveEdition().fullFeature || !g_mtAssist.IsTerminalRunning(exe)) return {};
  if (!policy.MayCloseTerminal()) return {EngineMessage(kMsgCloseTerminal), {}};
  const TerminalClose closed = g_mtAssist.CloseForRestart(exe);
  switch (closed.outcome) {
    case CloseOutcome::kClosed: return {L"", closed.start, true};
    case CloseOutcome::kRefused: return {g_lang.GetText(msg::kCloseByHand), {}};
    case CloseOutcome::kStopped: return {g_lang.GetText(msg::kCloseWaitStopped), {}};
    case CloseOutcome::kStoppedButClosed:
      // The user asked for no change, but the copier must not stay down.
      if (restart) restart->closed = true;
      StartAgain(closed.start, policy, restart);
      return {g_lang.GetText(msg::kCloseWaitStopped) + L"\n" + g_lang.GetText(msg::kClosedAnywayRestarted), {}};
    default: return {EngineMessage(kMsgCloseTerminal), {}};
  }
}
