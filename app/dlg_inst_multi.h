#pragma once
#include <string>

#include "app/dialog_base.h"
#include "app/install_mode.h"
#include "app/main_layout.h"
#include "common/unique_handle.h"

// The installer's main window.
class CDlgInstMulti : public CDialogBase {
 public:
  static constexpr UINT_PTR kSearchTimer = 1;

  // installerPath decides the InstallMode; it is the running program's path in production.
  CDlgInstMulti(HINSTANCE instance, std::wstring installerPath);

  InstallMode Mode() const { return installMode_; }
  bool IsStarted() const { return started_; }
  bool IsMinimized() const { return minimized_; }
  bool IsSearching() const { return searching_; }
  bool IsWebPaneShown() const { return webPaneShown_; }
  const std::wstring& CopierVersion() const { return copierVersion_; }
  Box ControlBox(int id) const;

 protected:
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnSize(UINT type, int width, int height) override;
  void OnTimer(UINT_PTR id) override;

 private:
  void LoadWindowSettings();
  void ReadCopierVersion();
  void CreateDesktopShortcut();
  void SetTitle();
  void SetCaptions();
  void ApplyInstallMode();
  void ApplyWindowSize();
  void LayOut();
  void ShowTraditionalChineseNotice();
  void MoveControl(int id, const Box& box);
  void OnExit();

  std::wstring installerPath_;
  UniqueIcon icon_;
  InstallMode installMode_ = kBothRoles;
  bool fullPackage_ = true;
  bool started_ = false;
  bool searching_ = false;
  bool minimized_ = false;
  bool webPaneShown_ = false;
  std::wstring copierVersion_;
};
