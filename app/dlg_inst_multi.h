#pragma once
#include <span>
#include <string>

#include "app/busy_run.h"
#include "app/copier_column.h"
#include "app/dialog_base.h"
#include "app/list_commands.h"
#include "app/main_window_frame.h"
#include "app/row_runs.h"
#include "app/terminal_list_view.h"
#include "app/terminal_rows.h"
#include "common/file_tree.h"
#include "common/unique_handle.h"
#include "common/work_ahead.h"
#include "deploy/install_mode.h"
#include "deploy/package_folder.h"
#include "terminal/account_prefetch.h"

// The installer's main window: the start-up in its fixed order, the buttons through one table,
// the list. The commands live in ListCommands and RowRuns, the look in MainWindowFrame.
class CDlgInstMulti : public CDialogBase {
 public:
  static constexpr UINT_PTR kSearchTimer = 1;
  static constexpr UINT_PTR kCopierStartTimer = 2;
  static constexpr UINT kCopierStartDelayMs = 500;

  // installerPath decides the InstallMode; it is the running program's path in production.
  CDlgInstMulti(HINSTANCE instance, std::wstring installerPath);

  InstallMode Mode() const { return installMode_; }
  bool IsStarted() const { return started_; }
  bool IsMinimized() const { return minimized_; }
  bool IsSearching() const { return busy_.now == Busy::kSearching; }
  bool IsWebPaneShown() const { return webPaneShown_; }
  const std::wstring& CopierVersion() const { return copierVersion_; }
  const CPackage& Package() const { return package_; }
  Box ControlBox(int id) const { return frame_.ControlBox(id); }
  TerminalRows& Rows() { return rows_; }
  CTerminalListView& ListView() { return listView_; }
  // Shows the rows again after the model changed.
  void ShowRows() { listView_.Show(rows_); }

  // The terminal search: the first one at start, or Refresh's.
  void SearchAndRefresh(bool isRefresh);
  void SaveTerminalList();
  // The Copier column checks every row with a role again, on its own thread.
  void CheckCopiers() { copier_.CheckRows(rows_); }

 protected:
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;
  void OnSize(UINT type, int width, int height) override;
  void OnTimer(UINT_PTR id) override;
  void OnDpiChanged(const RECT& suggested) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class ListCommands;
  friend class RowRuns;

  // A button, its handler and what refuses it.
  struct Command {
    int id;
    void (*handler)(CDlgInstMulti&);
    bool refusesWhileBusy;
    bool refusesWhileSearching;
  };
  static std::span<const Command> Commands();
  void OnCancel();
  void OnExit();
  void LoadWindowSettings();
  void LayOut();
  void LoadTerminalList();
  bool RefuseWhileSearching();
  void SyncSelection();
  void ShowRowMenu();
  void SetCopierTargets();
  // The terminals a run started again: their rows wait for the EA's answer in the logs, which
  // the watch's timer reads.
  void FollowRestarts(const std::vector<StartedTerminal>& started);
  FileTree TakePackageFiles();

  std::wstring installerPath_;
  UniqueIcon icon_;
  InstallMode installMode_ = kBothRoles;
  bool fullPackage_ = true;
  bool started_ = false;
  bool minimized_ = false;
  bool webPaneShown_ = false;
  BusyState busy_;
  CPackage package_;
  TerminalRows rows_;
  CTerminalListView listView_;
  MainWindowFrame frame_;
  std::wstring copierVersion_;
  CopierColumn copier_;
  AccountPrefetch accountsAhead_;
  WorkAhead<FileTree> packageFilesAhead_;
  ListCommands lists_{*this};
  RowRuns runs_{*this};
};
