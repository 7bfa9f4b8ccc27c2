#include "app/dlg_inst_multi.h"

#include <commctrl.h>

#include <utility>

#include "app/queued_input.h"
#include "app/resource.h"
#include "common/file_ctrl.h"
#include "common/file_failure.h"
#include "common/file_tree.h"
#include "common/ini_file.h"
#include "common/message_ids.h"
#include "common/message_pump.h"
#include "common/path_text.h"
#include "common/product.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/system.h"
#include "common/winmsg.h"
#include "app/window_run.h"
#include "deploy/auto_update.h"
#include "engine/terminal_runs.h"
#include "deploy/engine_messages.h"
#include "deploy/signal_config.h"

namespace {

struct Caption {
  int control;
  int message;
};

constexpr Caption kCaptions[] = {
    {IDC_LAUNCH, msg::kLaunch},
    {IDC_OPEN_FOLDER, msg::kOpenFolder},
    {IDC_HIDE, msg::kHide},
    {IDC_SHOW, msg::kShow},
    {IDC_CLOSE_TERMINALS, msg::kClose},
    {IDC_DUPLICATE, msg::kDuplicate},
    {IDC_ADD, msg::kAdd},
    {IDC_REMOVE, msg::kRemove},
    {IDC_REFRESH, msg::kRefresh},
    {IDC_SELECT_ALL, msg::kSelectAll},
    {IDC_INVERSE, msg::kInverse},
    {IDC_CLICK_TO_LAUNCH, msg::kDoubleClickToLaunch},
    {IDC_LOAD_EA_AUTO, msg::kLoadEaAutomatically},
    {IDC_INSTALL_PROVIDER, msg::kInstallProvider},
    {IDC_INSTALL_RECEIVER, msg::kInstallReceiver},
    {IDC_UNINSTALL, msg::kUninstall},
    {IDC_HELP_BUTTON, msg::kHelp},
    {IDC_CONTACT_US, msg::kContactUs},
    {IDCANCEL, msg::kExit},
};

constexpr int kLaidOutControls[] = {
    IDC_TERMINAL_LIST, IDC_SEARCH_STATUS, IDC_REFRESH, IDC_REMOVE, IDC_ADD, IDC_DUPLICATE,
    IDC_SELECT_ALL, IDC_INVERSE, IDC_CLICK_TO_LAUNCH, IDC_LOAD_EA_AUTO, IDC_INSTALL_PROVIDER,
    IDC_INSTALL_RECEIVER, IDC_UNINSTALL, IDC_HELP_BUTTON, IDC_CONTACT_US, IDCANCEL, IDC_WEB_PANE,
};

constexpr LANGID kTraditionalChineseTaiwan = 0x0404;
constexpr LANGID kTraditionalChineseHongKong = 0x0C04;

std::vector<std::wstring> InstallFoldersOf(const TerminalRows& rows) {
  std::vector<std::wstring> folders;
  for (const TerminalEntry& row : rows.rows) folders.push_back(row.installFolder);
  return folders;
}

WindowSize OuterSize(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// The window's DPI: GetDpiForWindow where the system has it (Windows 10), else the screen's.
int WindowDpi(HWND window) {
  using DpiForWindow = UINT(WINAPI*)(HWND);
  static const auto dpiForWindow =
      reinterpret_cast<DpiForWindow>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow"));
  if (dpiForWindow) {
    if (const UINT dpi = dpiForWindow(window)) return static_cast<int>(dpi);
  }
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace

CDlgInstMulti::CDlgInstMulti(HINSTANCE instance, std::wstring installerPath)
    : CDialogBase(instance, IDD_INSTMULTI),
      installerPath_(std::move(installerPath)),
      package_(ParentFolderOf(installerPath_), kBothRoles) {
  // Before the first call to the window system, which takes a while to start.
  ReadAccountsAhead();
  packageFilesAhead_.Start([folder = package_.PackageFolder()] { return FileTree(folder); });
}

bool CDlgInstMulti::OnInit() {
  icon_.Reset(LoadIconW(Instance(), MAKEINTRESOURCEW(IDI_APPICON)));
  SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
  SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));

  copierVersion_.clear();
  installMode_ = kBothRoles;
  fullPackage_ = true;
  minimized_ = started_ = false;
  busy_ = {};

  installMode_ = InstallModeFromPath(installerPath_);
  package_ = CPackage(ParentFolderOf(installerPath_), installMode_);
  const FileTree packageFiles = TakePackageFiles();
  if (!InstallSignalDatabase(packageFiles)) return true;
  LoadWindowSettings();
  SetUpList();
  // Laid out while the list is empty: resizing it with every row in costs more.
  LayOut();
  LoadTerminalList();
  started_ = true;
  ShowTraditionalChineseNotice();
  CreateDesktopShortcut();
  package_.DetectPackage(true, packageFiles);
  TakeAccessDenied();
  {
    const BusyRun busy(Window(), busy_, Busy::kRunning);
    WindowRun ui(Window(), busy_, rows_, listView_, {});
    RunUpdate({InstallFoldersOf(rows_), ParentFolderOf(installerPath_), copierVersion_, nullptr,
               DispatchPaintMessages, &packageFiles},
              ui, ui);
  }
  OfferElevatedRestart();
  return true;
}

// The installer may have been started from a large folder such as Downloads: its tree is
// walked once, while the window is made.
FileTree CDlgInstMulti::TakePackageFiles() {
  std::optional<FileTree> listed = packageFilesAhead_.Take();
  return listed ? std::move(*listed) : FileTree(package_.PackageFolder());
}

bool CDlgInstMulti::InstallSignalDatabase(const FileTree& packageFiles) {
  SignalConfigPlaces places = DefaultSignalConfigPlaces();
  places.packageFolder = ParentFolderOf(installerPath_);
  const std::wstring result = InstallSignalConfig(places, kSignalConfigDocuments, packageFiles);
  if (IsSuccessOutcome(result)) return true;
  ShowMessage(result, Window());
  End(IDOK);
  return false;
}

std::wstring CDlgInstMulti::SettingsFile() {
  return g_product.dataFolder.empty() ? L"" : g_product.dataFolder + L"tcinst.cfg";
}

void CDlgInstMulti::LoadWindowSettings() {
  g_config.SetConfigPath(SettingsFile());
  ReadCopierVersion();
  SetTitle();
  SetCaptions();
  ApplyInstallMode();
  CheckDlgButton(Window(), IDC_CLICK_TO_LAUNCH, g_config.ReadMain(L"CLICKTOLAUNCH").empty() ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Window(), IDC_LOAD_EA_AUTO, g_config.ReadMain(L"LOADEAAUTO").empty() ? BST_CHECKED : BST_UNCHECKED);
  webPaneShown_ = g_product.edition->webPaneAddress[0] != L'\0';
  ApplyWindowSize();
  ShowWindow(Item(IDC_WEB_PANE), webPaneShown_ ? SW_SHOW : SW_HIDE);
}

void CDlgInstMulti::ReadCopierVersion() {
  const std::wstring folder = ParentFolderOf(installerPath_);
  if (FileExists(folder + L"orbix.dll")) {
    copierVersion_ = g_files.GetFileVersionText(folder + L"orbix.dll");
  } else if (FileExists(folder + L"orbixw.dll")) {
    copierVersion_ = g_files.GetFileVersionText(folder + L"orbixw.dll");
    fullPackage_ = false;
  } else {
    copierVersion_ = g_product.installerVersion;
  }
}

void CDlgInstMulti::SetTitle() {
  std::wstring title = g_lang.GetProductText(product_text::kDisplayName);
  if (!fullPackage_) title = g_lang.GetProductText(product_text::kLiteTitle);
  if (!copierVersion_.empty()) title += L" - V" + copierVersion_;
  SetWindowTextW(Window(), title.c_str());
}

void CDlgInstMulti::SetCaptions() {
  for (const Caption& caption : kCaptions) {
    SetDlgItemTextW(Window(), caption.control, g_lang.GetText(caption.message).c_str());
  }
  SetDlgItemTextW(Window(), IDC_TERMINALS_LABEL, (g_lang.GetText(msg::kTerminals) + L":").c_str());
}

void CDlgInstMulti::ApplyInstallMode() {
  if (installMode_ == kBothRoles) return;
  const Box provider = ControlBox(IDC_INSTALL_PROVIDER);
  const Box receiver = ControlBox(IDC_INSTALL_RECEIVER);
  Box uninstall = ControlBox(IDC_UNINSTALL);
  MoveControl(IDC_UNINSTALL, {receiver.x, receiver.y, uninstall.width, uninstall.height});
  if (installMode_ == kProviderOnly) {
    ShowWindow(Item(IDC_INSTALL_RECEIVER), SW_HIDE);
    return;
  }
  ShowWindow(Item(IDC_INSTALL_PROVIDER), SW_HIDE);
  MoveControl(IDC_INSTALL_RECEIVER, {provider.x, provider.y, receiver.width, receiver.height});
  ShowWindow(Item(IDC_CONTACT_US), SW_HIDE);
  ShowWindow(Item(IDC_HELP_BUTTON), SW_HIDE);
}

void CDlgInstMulti::ApplyWindowSize() {
  const std::wstring storedWidth = g_config.ReadMain(L"W");
  const std::wstring storedHeight = g_config.ReadMain(L"H");
  const int width = _wtoi(storedWidth.empty() ? L"800" : storedWidth.c_str());
  int height = _wtoi(storedHeight.c_str());
  if (storedHeight.empty()) height = 500 - (webPaneShown_ ? 0 : 90);
  // W and H are kept as pixels of a 96-DPI screen, so the window opens as large on any screen.
  const int dpi = WindowDpi(Window());
  SetWindowPos(Window(), nullptr, 0, 0, ScaleToDpi(width, dpi), ScaleToDpi(height, dpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Box CDlgInstMulti::ControlBox(int id) const {
  RECT rect{};
  GetWindowRect(Item(id), &rect);
  MapWindowPoints(HWND_DESKTOP, Window(), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void CDlgInstMulti::MoveControl(int id, const Box& box) {
  SetWindowPos(Item(id), nullptr, box.x, box.y, box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDlgInstMulti::LayOut() {
  const WindowSize size = OuterSize(Window());
  const int dpi = WindowDpi(Window());
  if (auto minimum = MinimumSizeFor(size, dpi)) {
    // The resize this causes lays the window out.
    SetWindowPos(Window(), nullptr, 0, 0, minimum->width, minimum->height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  ControlBoxes current;
  for (int id : kLaidOutControls) current[id] = ControlBox(id);
  for (const auto& [id, box] : ComputeMainLayout(size, webPaneShown_, current, dpi)) MoveControl(id, box);
  RedrawWindow(Window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
  if (started_) {
    g_config.WriteMain(L"W", std::to_wstring(ScaleFromDpi(size.width, dpi)));
    g_config.WriteMain(L"H", std::to_wstring(ScaleFromDpi(size.height, dpi)));
  }
  listView_.SetColumnWidths(size.width);
}

void CDlgInstMulti::ShowTraditionalChineseNotice() {
  if (!g_product.edition->showTraditionalNotice || g_lang.Language() != kLangSimplifiedChinese) return;
  const LANGID language = GetUserDefaultLangID();
  if (language != kTraditionalChineseTaiwan && language != kTraditionalChineseHongKong) return;
  ShowMessage(L"軟件檢測到您的系統為體體版,請下載繁體版跟單系統!", Window());
  g_files.OpenInBrowser(g_lang.GetProductText(product_text::kTraditionalDownload));
}

void CDlgInstMulti::CreateDesktopShortcut() {
  // Started from inside the temporary folder (straight from an archive): no shortcut to a
  // program that will soon be gone.
  const std::wstring temp = ToLower(g_system.GetTempFolder());
  const std::wstring folder = ToLower(ParentFolderOf(installerPath_));
  if (temp.empty() || folder.find(temp) != std::wstring::npos) return;
  // Only an elevated process may write the all-users desktop; a normal user gets the shortcut
  // on the own desktop instead.
  g_files.EnsureDesktopShortcut({g_system.GetDesktopFolder(), g_system.GetUserDesktopFolder()},
                                g_lang.GetProductText(product_text::kDisplayName), installerPath_);
}

// The buttons and what refuses them: a run or a copy holds references into the rows, so the
// commands that change rows wait silently; a search makes the commands that read rows say so.
std::span<const CDlgInstMulti::Command> CDlgInstMulti::Commands() {
  using W = CDlgInstMulti;
  static constexpr Command kCommands[] = {
      {IDCANCEL, [](W& w) { w.OnCancel(); }, false, false},
      {IDOK, [](W&) {}, false, false},  // Enter does not close the window.
      {IDC_SELECT_ALL, [](W& w) { w.OnSelectAll(); }, true, false},
      {IDC_INVERSE, [](W& w) { w.OnInverse(); }, true, false},
      {IDC_ADD, [](W& w) { w.OnAdd(); }, true, true},
      {IDC_REMOVE, [](W& w) { w.OnRemove(); }, true, true},
      {IDC_REFRESH, [](W& w) { w.OnRefresh(); }, true, true},
      {IDC_HELP_BUTTON, [](W& w) { w.OnHelp(); }, false, false},
      {IDC_CONTACT_US, [](W& w) { w.OnContactUs(); }, false, false},
      {IDC_CLICK_TO_LAUNCH, [](W& w) { w.OnOptionBox(IDC_CLICK_TO_LAUNCH, L"CLICKTOLAUNCH"); }, false, false},
      {IDC_LOAD_EA_AUTO, [](W& w) { w.OnOptionBox(IDC_LOAD_EA_AUTO, L"LOADEAAUTO"); }, false, false},
      {IDC_HIDE, [](W& w) { w.OnHideShow(SW_HIDE); }, false, false},
      {IDC_SHOW, [](W& w) { w.OnHideShow(SW_SHOWNORMAL); }, false, false},
      {IDC_CLOSE_TERMINALS, [](W& w) { w.OnCloseTerminals(); }, false, false},
      {IDC_LAUNCH, [](W& w) { w.OnLaunch(); }, false, true},
      {IDC_OPEN_FOLDER, [](W& w) { w.OnOpenFolder(); }, false, true},
      {IDC_DUPLICATE, [](W& w) { w.OnDuplicate(); }, true, true},
      {IDC_INSTALL_PROVIDER, [](W& w) { w.OnInstall(kRoleProvider); }, true, true},
      {IDC_INSTALL_RECEIVER, [](W& w) { w.OnInstall(kRoleReceiver); }, true, true},
      {IDC_UNINSTALL, [](W& w) { w.OnUninstall(); }, true, true},
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

bool CDlgInstMulti::OnNotify(const NMHDR& header, LRESULT& /*result*/) {
  if (header.idFrom != IDC_TERMINAL_LIST) return false;
  switch (header.code) {
    case LVN_ITEMCHANGED:
      listView_.OnItemChanged(reinterpret_cast<const NMLISTVIEW&>(header), rows_);
      return true;
    case NM_CLICK:
      ExplainClickedState(reinterpret_cast<const NMITEMACTIVATE&>(header));
      return true;
    case NM_DBLCLK:
      LaunchOrOpenSelected();
      return true;
    default:
      return false;
  }
}

void CDlgInstMulti::OnExit() {
  SaveTerminalList();
  End(IDCANCEL);
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
  // The first search waits for a row run to end; the timer fires again.
  if (id != kSearchTimer || busy_.Running()) return;
  KillTimer(Window(), kSearchTimer);
  SearchAndRefresh(false);
}
