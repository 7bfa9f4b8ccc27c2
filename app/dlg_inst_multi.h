#pragma once
#include <span>
#include <string>

#include "app/busy_run.h"
#include "app/dialog_base.h"
#include "deploy/install_mode.h"
#include "app/main_layout.h"
#include "app/terminal_list_view.h"
#include "app/terminal_rows.h"
#include "common/file_tree.h"
#include "common/seams.h"
#include "common/unique_handle.h"
#include "common/work_ahead.h"
#include "deploy/deploy_package.h"
#include "engine/terminal_runs.h"
#include "common/copy_plan.h"
#include "deploy/package_folder.h"
#include "terminal/account_prefetch.h"

// What one run of an install command did.
struct InstallRun {
  bool processed = false;
  std::wstring firstFailure;
  std::wstring firstNote;  // files in, but something left to tell (no EA on a chart)
};

// The installer's main window.
class CDlgInstMulti : public CDialogBase {
 public:
  static constexpr UINT_PTR kSearchTimer = 1;

  // installerPath decides the InstallMode; it is the running program's path in production.
  CDlgInstMulti(HINSTANCE instance, std::wstring installerPath);

  InstallMode Mode() const { return installMode_; }
  bool IsStarted() const { return started_; }
  bool IsMinimized() const { return minimized_; }
  bool IsSearching() const { return busy_.now == Busy::kSearching; }
  bool IsWebPaneShown() const { return webPaneShown_; }
  const std::wstring& CopierVersion() const { return copierVersion_; }
  const CPackage& Package() const { return package_; }
  Box ControlBox(int id) const;
  TerminalRows& Rows() { return rows_; }
  CTerminalListView& ListView() { return listView_; }
  // Shows the rows again after the model changed.
  void ShowRows() { listView_.Show(rows_); }

  // The terminal search: the first one at start, or Refresh's.
  void SearchAndRefresh(bool isRefresh);
  void SaveTerminalList();

 protected:
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;
  void OnSize(UINT type, int width, int height) override;
  void OnTimer(UINT_PTR id) override;
  void OnDpiChanged(const RECT& suggested) override;

 private:
  // False when the signal database could not be placed: the window has closed then.
  bool InstallSignalDatabase(const FileTree& packageFiles);
  FileTree TakePackageFiles();
  static std::wstring SettingsFile();
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
  void OnCancel();
  // A button, its handler and what refuses it.
  struct Command {
    int id;
    void (*handler)(CDlgInstMulti&);
    bool refusesWhileBusy;
    bool refusesWhileSearching;
  };
  static std::span<const Command> Commands();

  void SetUpList();
  void ReadAccountsAhead();
  void LoadTerminalList();
  bool RefuseWhileSearching();
  void SyncSelection();
  void ExplainClickedState(const NMITEMACTIVATE& click);
  void LaunchOrOpenSelected();
  void OnSelectAll();
  void OnInverse();
  void OnAdd();
  void OnRemove();
  void OnRefresh();
  void OnHelp();
  void OnContactUs();
  void OnOptionBox(int id, const wchar_t* key);
  void ShowSearchStatus(bool searching);

  void OnHideShow(int showCommand);
  void OnCloseTerminals();
  void OnLaunch();
  void OnOpenFolder();
  void OnDuplicate();
  void OnInstall(SignalRole role);
  InstallRun InstallRows(const InstallJob& job);
  void ShowInstallSummary(const InstallRun& run, bool plain);
  void OnUninstall();
  void OfferElevatedRestart();
  void DuplicateAndStart(const std::wstring& folder);
  std::wstring ListedRole(const std::wstring& folder) const;
  std::wstring AccountOf(const std::wstring& installFolder) const;

  std::wstring installerPath_;
  UniqueIcon icon_;
  InstallMode installMode_ = kBothRoles;
  bool fullPackage_ = true;
  bool started_ = false;
  BusyState busy_;
  bool minimized_ = false;
  bool webPaneShown_ = false;
  CPackage package_;
  TerminalRows rows_;
  CTerminalListView listView_;
  std::wstring copierVersion_;
  AccountPrefetch accountsAhead_;
  WorkAhead<FileTree> packageFilesAhead_;
};
