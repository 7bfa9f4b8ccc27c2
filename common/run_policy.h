#pragma once
#include <windows.h>

#include <string>

// Every question a run over terminals asks and every notice it gives, answered by whoever
// drives the run: the window asks the user through the prompt seam, a command line answers
// from its switches. The runs themselves never show anything.
class RunPolicy {
 public:
  virtual ~RunPolicy() = default;
  // A terminal of the run is running: may it be closed, to be started again afterwards?
  virtual bool MayCloseTerminal() = 0;
  // A terminal the run closed: may it be started again here? exePath is what would start.
  virtual bool MayStartTerminal(const std::wstring& /*exePath*/) { return true; }
  // The start-up update's one question before it replaces anything.
  virtual bool MayUpdateTerminals() = 0;
  // A terminal folder refused a write: may the installer start again with administrator rights?
  virtual bool MayRestartAsAdministrator() { return false; }
  // Something the user may need to act on: a "#Profile" notice, the update's outcome.
  virtual void Notify(const std::wstring& text) = 0;
  // Whether the user asked to stop; asked before every close request of a wait.
  virtual bool StopRequested() = 0;
};

// The policy that asks the user through the prompt seam, over the owner's window.
class PromptPolicy : public RunPolicy {
 public:
  explicit PromptPolicy(HWND owner) : owner_(owner) {}
  bool MayCloseTerminal() override;
  bool MayUpdateTerminals() override;
  bool MayRestartAsAdministrator() override;
  void Notify(const std::wstring& text) override;
  bool StopRequested() override { return false; }
  HWND Owner() const { return owner_; }

 private:
  HWND owner_;
};

// Notifies through the policy when there is one, else over the active window.
void NotifyThrough(RunPolicy* policy, const std::wstring& text);
