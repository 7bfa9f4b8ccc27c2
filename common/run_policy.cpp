#include "common/run_policy.h"

#include "common/message_ids.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/winmsg.h"

namespace {

bool AskYesNo(HWND owner, int question) {
  return Prompt().AskYesNo(owner, g_lang.GetText(question), g_lang.GetProductText(product_text::kDisplayName));
}

}  // namespace

bool PromptPolicy::MayCloseTerminal() { return AskYesNo(owner_, msg::kCloseBeforeInstall); }

bool PromptPolicy::MayUpdateTerminals() { return AskYesNo(owner_, msg::kNewRelease); }

bool PromptPolicy::MayRestartAsAdministrator() { return AskYesNo(owner_, msg::kRestartAsAdministrator); }

void PromptPolicy::Notify(const std::wstring& text) { ShowMessage(text, owner_); }

void NotifyThrough(RunPolicy* policy, const std::wstring& text) {
  if (policy) {
    policy->Notify(text);
  } else {
    ShowMessage(text);
  }
}
