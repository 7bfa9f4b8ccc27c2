#include <windows.h>

#include "app/dlg_inst_multi.h"
#include "common/command_line.h"
#include "common/file_failure.h"
#include "common/message_ids.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/winmsg.h"

// Most terminals live in the user's own folders, so the installer asks for administrator
// rights only after a terminal folder refused a write, once per command.
void CDlgInstMulti::OfferElevatedRestart() {
  if (!TakeAccessDenied() || Launcher().IsElevated()) return;
  const std::wstring caption = g_lang.GetProductText(product_text::kDisplayName);
  if (!Prompt().AskYesNo(Window(), g_lang.GetText(msg::kRestartAsAdministrator), caption)) return;
  SaveTerminalList();
  // A refused elevation (ERROR_CANCELLED) is an answer too: the rows keep their failures.
  if (Launcher().Run(L"runas", installerPath_, ArgumentsAfterProgram(GetCommandLineW())) == ERROR_SUCCESS) {
    End(IDCANCEL);
  }
}
