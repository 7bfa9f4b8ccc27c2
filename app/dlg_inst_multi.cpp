#include "app/dlg_inst_multi.h"

#include <commctrl.h>

#include <utility>

#include "app/resource.h"
#include "app/start_up.h"
#include "app/terminal_list_store.h"
#include "common/file_ctrl.h"
#include "common/ini_file.h"
#include "common/message_ids.h"
#include "common/message_pump.h"
#include "common/path_text.h"
#include "common/product.h"
#include "common/seams.h"
#include "common/unique_handle.h"
#include "common/winmsg.h"
#include "deploy/engine_messages.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_discovery.h"

CDlgInstMulti::CDlgInstMulti(HINSTANCE instance, std::wstring installerPath)
    : CDialogBase(instance, IDD_INSTMULTI),
      installerPath_(std::move(installerPath)),
      package_(ParentFolderOf(installerPath_), kBothRoles) {
  // Before the first call to the window system, which takes a while to start: the stored
  // terminals' journals are read and the installer's folder walked while the window is made.
  std::vector<std::wstring> folders = StoredFolders(SettingsFilePath());
  if (!folders.empty()) accountsAhead_.Start(std::move(folders), CMTAssist::DataFolderRoot());
  packageFilesAhead_.Start([folder = package_.PackageFolder()] { return FileTree(folder); });
}

bool CDlgInstMulti::OnInit() {
  icon_.Reset(LoadIconW(Instance(), MAKEINTRESOURCEW(IDI_APPICON)));
  SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
  SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));
  frame_ = MainWindowFrame(Window());
  copierVersion_.clear();
  fullPackage_ = true;
  minimized_ = started_ = false;
  busy_ = {};

  installMode_ = InstallModeFromPath(installerPath_);
  package_ = CPackage(ParentFolderOf(installerPath_), installMode_);
  const FileTree packageFiles = TakePackageFiles();
  const std::wstring placed = PlaceSignalDatabase(ParentFolderOf(installerPath_), packageFiles);
  if (!IsSuccessOutcome(placed)) {
    ShowMessage(placed, Window());
    End(IDOK);
    return true;
  }
  LoadWindowSettings();
  listView_.Attach(Item(IDC_TERMINAL_LIST));
  RECT rect{};
  GetWindowRect(Window(), &rect);
  listView_.SetUp(rect.right - rect.left);
  rows_ = {};
  // Laid out while the list is empty: resizing it with every row in costs more.
  LayOut();
  LoadTerminalList();
  started_ = true;
  ShowTraditionalChineseNotice(Window());
  CreateDesktopShortcut(installerPath_);
  package_.DetectPackage(true, packageFiles);
  SetCopierTargets();
  runs_.StartUpUpdate(packageFiles);
  // The logs are read once the window is up and has drawn its list.
  SetTimer(Window(), kCopierStartTimer, kCopierStartDelayMs, nullptr);
  return true;
}

// The installer may have been started from a large folder such as Downloads: its tree is
// walked once, while the window is made.
FileTree CDlgInstMulti::TakePackageFiles() {
  std::optional<FileTree> listed = packageFilesAhead_.Take();
  return listed ? std::move(*listed) : FileTree(package_.PackageFolder());
}

void CDlgInstMulti::LoadWindowSettings() {
  g_config.SetConfigPath(SettingsFilePath());
  const CopierVersionInfo copier = ReadCopierVersion(ParentFolderOf(installerPath_));
  copierVersion_ = copier.version;
  fullPackage_ = copier.fullPackage;
  frame_.SetTitle(copierVersion_, fullPackage_);
  frame_.SetCaptions();
  frame_.ApplyInstallMode(installMode_);
  CheckDlgButton(Window(), IDC_CLICK_TO_LAUNCH, g_config.ReadMain(L"CLICKTOLAUNCH").empty() ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Window(), IDC_LOAD_EA_AUTO, g_config.ReadMain(L"LOADEAAUTO").empty() ? BST_CHECKED : BST_UNCHECKED);
  webPaneShown_ = g_product.edition->webPaneAddress[0] != L'\0';
  frame_.ApplyWindowSize(webPaneShown_);
  ShowWindow(Item(IDC_WEB_PANE), webPaneShown_ ? SW_SHOW : SW_HIDE);
}

void CDlgInstMulti::LayOut() { frame_.LayOut(webPaneShown_, started_, listView_); }

// The buttons and what refuses them: a run or a copy holds references into the rows, so the
// commands that change rows wait silently; a search makes the commands that read rows say so.
std::span<const CDlgInstMulti::Command> CDlgInstMulti::Commands() {
  using W = CDlgInstMulti;
  static constexpr Command kCommands[] = {
      {IDCANCEL, [](W& w) { w.OnCancel(); }, false, false},
      {IDOK, [](W&) {}, false, false},  // Enter does not close the window.
      {IDC_SELECT_ALL, [](W& w) { w.lists_.SelectAll(); }, true, false},
      {IDC_INVERSE, [](W& w) { w.lists_.Inverse(); }, true, false},
      {IDC_ADD, [](W& w) { w.lists_.Add(); }, true, true},
      {IDC_REMOVE, [](W& w) { w.lists_.Remove(); }, true, true},
      {IDC_REFRESH, [](W& w) { w.lists_.Refresh(); }, true, true},
      {IDC_HELP_BUTTON, [](W& w) { w.lists_.Help(); }, false, false},
      {IDC_CONTACT_US, [](W& w) { w.lists_.ContactUs(); }, false, false},
      {IDC_CLICK_TO_LAUNCH, [](W& w) { w.lists_.OptionBox(IDC_CLICK_TO_LAUNCH, L"CLICKTOLAUNCH"); }, false, false},
      {IDC_LOAD_EA_AUTO, [](W& w) { w.lists_.OptionBox(IDC_LOAD_EA_AUTO, L"LOADEAAUTO"); }, false, false},
      {IDC_HIDE, [](W& w) { w.lists_.HideShow(SW_HIDE); }, false, false},
      {IDC_SHOW, [](W& w) { w.lists_.HideShow(SW_SHOWNORMAL); }, false, false},
      {IDC_CLOSE_TERMINALS, [](W& w) { w.lists_.CloseTerminals(); }, false, false},
      {IDC_LAUNCH, [](W& w) { w.lists_.Launch(); }, false, true},
      {IDC_OPEN_FOLDER, [](W& w) { w.lists_.OpenFolder(); }, false, true},
      {IDC_DUPLICATE, [](W& w) { w.runs_.Duplicate(); }, true, true},
      {IDC_INSTALL_PROVIDER, [](W& w) { w.runs_.Install(kRoleProvider); }, true, true},
      {IDC_INSTALL_RECEIVER, [](W& w) { w.runs_.Install(kRoleReceiver); }, true, true},
      {IDC_UNINSTALL, [](W& w) { w.runs_.Uninstall(); }, true, true},
      {IDM_CHECK_COPIER, [](W& w) { w.runs_.CheckCopier(); }, true, true},
      {IDM_RESTORE_PREVIOUS, [](W& w) { w.runs_.Restore(); }, true, true},
  };
  return kCommands;
}

bool CDlgInstMulti::OnCommand(int id, int code, HWND /*control*/) {
  if (code != BN_CLICKED) return false;
  for (const Command& command : Commands()) {
    if (command.id != id) continue;
    if (command.refusesWhileBusy && busy_.Running()) return true;
    if (command.refusesWhileSearching && RefuseWhileSearching()) return true;
    command.handler(*this);
    return true;
  }
  return false;
}

// During a run or a copy the Exit button reads Cancel and stops it instead.
void CDlgInstMulti::OnCancel() {
  if (busy_.Running()) {
    busy_.stopRequested = true;
  } else {
    OnExit();
  }
}

void CDlgInstMulti::OnExit() {
  SaveTerminalList();
  End(IDCANCEL);
}

bool CDlgInstMulti::OnNotify(const NMHDR& header, LRESULT& /*result*/) {
  if (header.idFrom != IDC_TERMINAL_LIST) return false;
  switch (header.code) {
    case LVN_ITEMCHANGED:
      listView_.OnItemChanged(reinterpret_cast<const NMLISTVIEW&>(header), rows_);
      return true;
    case NM_CLICK:
      lists_.ExplainClickedState(reinterpret_cast<const NMITEMACTIVATE&>(header));
      return true;
    case NM_DBLCLK:
      lists_.LaunchOrOpenSelected();
      return true;
    case NM_RCLICK:
      ShowRowMenu();
      return true;
    default:
      return false;
  }
}

void CDlgInstMulti::OnSize(UINT type, int /*width*/, int /*height*/) {
  if (type == SIZE_MINIMIZED) {
    minimized_ = true;
    return;
  }
  if (minimized_) {
    minimized_ = false;
    return;
  }
  LayOut();
}

void CDlgInstMulti::OnDpiChanged(const RECT& suggested) {
  // The resize lays the window out at the new DPI.
  SetWindowPos(Window(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDlgInstMulti::OnTimer(UINT_PTR id) {
  if (id == CopierColumn::kWatchTimer) {
    copier_.OnWatchTimer();
    return;
  }
  if (id == kCopierStartTimer) {
    KillTimer(Window(), kCopierStartTimer);
    CheckCopiers();
    return;
  }
  // The first search waits for a row run to end; the timer fires again.
  if (id != kSearchTimer || busy_.Running()) return;
  KillTimer(Window(), kSearchTimer);
  SearchAndRefresh(false);
}

void CDlgInstMulti::LoadTerminalList() {
  const std::wstring stored = g_config.ReadMain(L"PATH");
  if (stored.empty()) SetTimer(Window(), kSearchTimer, 100, nullptr);
  rows_.rows = LoadRows(stored, accountsAhead_.Take());
  ShowRows();
}

void CDlgInstMulti::SaveTerminalList() { StoreRows(rows_); }

bool CDlgInstMulti::RefuseWhileSearching() {
  if (busy_.now != Busy::kSearching) return false;
  ShowMessage(g_lang.GetText(msg::kSearching), Window());
  return true;
}

void CDlgInstMulti::SyncSelection() { rows_.selectionMark = listView_.SelectionMark(); }

void CDlgInstMulti::SearchAndRefresh(bool isRefresh) {
  busy_.now = Busy::kSearching;
  ShowStatusInsteadOfList(Window(), g_lang.GetText(msg::kSearching));
  DispatchPendingMessages();
  MergeSearchResult(rows_.rows, FindTerminals());
  ShowRows();
  CheckCopiers();
  SaveTerminalList();
  if (isRefresh) ShowMessage(g_lang.GetText(msg::kCompleted), Window());
  ShowStatusInsteadOfList(Window(), L"");
  busy_.now = Busy::kIdle;
}

bool CDlgInstMulti::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  if (message != CopierColumn::kCheckedMessage) return false;
  if (copier_.TakeResults(rows_)) listView_.ShowCopierColumn(rows_);
  return true;
}

void CDlgInstMulti::SetCopierTargets() {
  copier_.Attach(Window());
  copier_.SetTargets(CopierTargetOf(package_, kRoleProvider), CopierTargetOf(package_, kRoleReceiver));
}

void CDlgInstMulti::FollowRestarts(const std::vector<StartedTerminal>& started) {
  for (const auto& [exe, since] : started) {
    for (TerminalEntry& row : rows_.rows) {
      const CopierTarget* target = copier_.TargetOf(row.role);
      if (!target || !RunsUnder(LowerCaseText(exe), row.installFolder)) continue;
      copier_.Watch(row.installFolder, *target, since);
      row.copier = g_lang.GetText(msg::kCopierWaitingForEa);
    }
  }
  listView_.ShowCopierColumn(rows_);
}

void CDlgInstMulti::ShowRowMenu() {
  SyncSelection();
  const std::optional<int> selected = rows_.Selected();
  if (!selected) return;
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  const UINT checkable = copier_.TargetOf(rows_.rows[*selected].role) ? MF_ENABLED : MF_GRAYED;
  AppendMenuW(menu.Get(), MF_STRING | checkable, IDM_CHECK_COPIER, g_lang.GetText(msg::kCheckCopier).c_str());
  AppendMenuW(menu.Get(), MF_STRING, IDM_RESTORE_PREVIOUS, g_lang.GetText(msg::kRestorePrevious).c_str());
  POINT at{};
  GetCursorPos(&at);
  // The chosen item comes back as a menu command, through the command table.
  TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON, at.x, at.y, 0, Window(), nullptr);
}
