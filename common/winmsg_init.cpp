#include <windows.h>

#include "common/edition.h"
#include "common/system_language.h"
#include "common/winmsg.h"

void CWinmsg::Init() {
  FillTables();
  language_ = ChooseLanguage(IsChineseSystem(), GetCommandLineW(), ActiveEdition().language);
}
