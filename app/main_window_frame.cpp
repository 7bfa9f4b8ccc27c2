#include "app/main_window_frame.h"

#include "app/resource.h"
#include "common/ini_file.h"
#include "common/message_ids.h"
#include "common/product_texts.h"
#include "common/winmsg.h"

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

void MainWindowFrame::SetTitle(const std::wstring& copierVersion, bool fullPackage) const {
  std::wstring title = g_lang.GetProductText(product_text::kDisplayName);
  if (!fullPackage) title = g_lang.GetProductText(product_text::kLiteTitle);
  if (!copierVersion.empty()) title += L" - V" + copierVersion;
  SetWindowTextW(window_, title.c_str());
}

void MainWindowFrame::SetCaptions() const {
  for (const Caption& caption : kCaptions) {
    SetDlgItemTextW(window_, caption.control, g_lang.GetText(caption.message).c_str());
  }
  SetDlgItemTextW(window_, IDC_TERMINALS_LABEL, (g_lang.GetText(msg::kTerminals) + L":").c_str());
}

void MainWindowFrame::ApplyInstallMode(InstallMode mode) const {
  if (mode == kBothRoles) return;
  const Box provider = ControlBox(IDC_INSTALL_PROVIDER);
  const Box receiver = ControlBox(IDC_INSTALL_RECEIVER);
  Box uninstall = ControlBox(IDC_UNINSTALL);
  MoveControl(IDC_UNINSTALL, {receiver.x, receiver.y, uninstall.width, uninstall.height});
  if (mode == kProviderOnly) {
    ShowWindow(GetDlgItem(window_, IDC_INSTALL_RECEIVER), SW_HIDE);
    return;
  }
  ShowWindow(GetDlgItem(window_, IDC_INSTALL_PROVIDER), SW_HIDE);
  MoveControl(IDC_INSTALL_RECEIVER, {provider.x, provider.y, receiver.width, receiver.height});
  ShowWindow(GetDlgItem(window_, IDC_CONTACT_US), SW_HIDE);
  ShowWindow(GetDlgItem(window_, IDC_HELP_BUTTON), SW_HIDE);
}

void MainWindowFrame::ApplyWindowSize(bool webPaneShown) const {
  const std::wstring storedWidth = g_config.ReadMain(L"W");
  const std::wstring storedHeight = g_config.ReadMain(L"H");
  const int width = _wtoi(storedWidth.empty() ? L"800" : storedWidth.c_str());
  int height = _wtoi(storedHeight.c_str());
  if (storedHeight.empty()) height = 500 - (webPaneShown ? 0 : 90);
  // W and H are kept as pixels of a 96-DPI screen, so the window opens as large on any screen.
  const int dpi = WindowDpi(window_);
  SetWindowPos(window_, nullptr, 0, 0, ScaleToDpi(width, dpi), ScaleToDpi(height, dpi),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Box MainWindowFrame::ControlBox(int id) const {
  RECT rect{};
  GetWindowRect(GetDlgItem(window_, id), &rect);
  MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void MainWindowFrame::MoveControl(int id, const Box& box) const {
  SetWindowPos(GetDlgItem(window_, id), nullptr, box.x, box.y, box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindowFrame::LayOut(bool webPaneShown, bool remember, CTerminalListView& listView) const {
  const WindowSize size = OuterSize(window_);
  const int dpi = WindowDpi(window_);
  if (auto minimum = MinimumSizeFor(size, dpi)) {
    // The resize this causes lays the window out.
    SetWindowPos(window_, nullptr, 0, 0, minimum->width, minimum->height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  ControlBoxes current;
  for (int id : kLaidOutControls) current[id] = ControlBox(id);
  for (const auto& [id, box] : ComputeMainLayout(size, webPaneShown, current, dpi)) MoveControl(id, box);
  RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
  if (remember) {
    g_config.WriteMain(L"W", std::to_wstring(ScaleFromDpi(size.width, dpi)));
    g_config.WriteMain(L"H", std::to_wstring(ScaleFromDpi(size.height, dpi)));
  }
  listView.SetColumnWidths(size.width);
}
