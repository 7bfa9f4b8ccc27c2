#pragma once
#include <windows.h>

// The one dialog base: the procedure keeps `this` in DWLP_USER and forwards to a few
// virtuals. Runs modal for the user, modeless for tests.
class CDialogBase {
 public:
  CDialogBase(HINSTANCE instance, int templateId);
  virtual ~CDialogBase() = default;
  CDialogBase(const CDialogBase&) = delete;
  CDialogBase& operator=(const CDialogBase&) = delete;

  INT_PTR RunModal(HWND owner);
  HWND CreateModeless(HWND owner);
  void End(INT_PTR result);

  HWND Window() const { return window_; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }
  HINSTANCE Instance() const { return instance_; }

 protected:
  virtual bool OnInit() { return true; }
  virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
  virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  virtual void OnSize(UINT /*type*/, int /*width*/, int /*height*/) {}
  virtual void OnTimer(UINT_PTR /*id*/) {}
  // The window moved to a screen of another DPI; suggested is the rectangle the system proposes.
  virtual void OnDpiChanged(const RECT& /*suggested*/) {}
  // Any other message; true when handled.
  virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return false; }

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  int templateId_;
  HWND window_ = nullptr;
  bool modal_ = false;
};
