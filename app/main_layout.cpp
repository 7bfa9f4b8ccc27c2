#include "app/main_layout.h"

#include <algorithm>

#include "app/resource.h"

namespace {

constexpr int kMinWidth = 720;
constexpr int kMinHeight = 300;

constexpr int kOptionRow[] = {IDC_SELECT_ALL, IDC_INVERSE, IDC_CLICK_TO_LAUNCH, IDC_LOAD_EA_AUTO};
constexpr int kInstallRow[] = {IDC_INSTALL_PROVIDER, IDC_INSTALL_RECEIVER, IDC_UNINSTALL};
constexpr int kExitButton = 2;

}  // namespace

int ScaleToDpi(int pixels, int dpi) { return (pixels * dpi + kBaseDpi / 2) / kBaseDpi; }

int ScaleFromDpi(int pixels, int dpi) { return dpi > 0 ? (pixels * kBaseDpi + dpi / 2) / dpi : pixels; }

std::optional<WindowSize> MinimumSizeFor(WindowSize window, int dpi) {
  const int minWidth = ScaleToDpi(kMinWidth, dpi);
  const int minHeight = ScaleToDpi(kMinHeight, dpi);
  if (window.width >= minWidth && window.height >= minHeight) return std::nullopt;
  return WindowSize{std::max(window.width, minWidth), std::max(window.height, minHeight)};
}

// The margins are pixels of a 96-DPI screen; on others they grow with the controls.
ControlBoxes ComputeMainLayout(WindowSize window, bool webPaneShown, const ControlBoxes& current, int dpi) {
  const auto px = [dpi](int pixels) { return ScaleToDpi(pixels, dpi); };
  const int W = window.width;
  const int H = window.height;
  ControlBoxes out;
  auto at = [&](int id) { return current.at(id); };

  Box list = at(IDC_TERMINAL_LIST);
  list.width = W - px(30);
  list.height = H - px(webPaneShown ? 235 : 145);
  out[IDC_TERMINAL_LIST] = list;
  out[IDC_SEARCH_STATUS] = {list.x, list.y, W - px(30), H - px(webPaneShown ? 225 : 135)};

  const int refreshW = at(IDC_REFRESH).width;
  const int removeW = at(IDC_REMOVE).width;
  const int addW = at(IDC_ADD).width;
  auto placeX = [&](int id, int x) {
    Box box = at(id);
    box.x = x;
    out[id] = box;
  };
  placeX(IDC_REFRESH, W - refreshW - px(20));
  placeX(IDC_REMOVE, W - removeW - refreshW - px(25));
  placeX(IDC_ADD, W - addW - removeW - refreshW - px(30));
  placeX(IDC_DUPLICATE, W - 2 * addW - removeW - refreshW - px(35));

  const int L = list.height;
  auto placeY = [&](int id, int y) {
    Box box = out.count(id) ? out[id] : at(id);
    box.y = y;
    out[id] = box;
  };
  for (int id : kOptionRow) placeY(id, L + px(45));
  for (int id : kInstallRow) placeY(id, L + px(75));

  const int exitW = at(kExitButton).width;
  const int contactW = at(IDC_CONTACT_US).width;
  const int helpW = at(IDC_HELP_BUTTON).width;
  placeX(kExitButton, W - exitW - px(20));
  placeX(IDC_CONTACT_US, W - contactW - exitW - px(25));
  placeX(IDC_HELP_BUTTON, W - helpW - contactW - exitW - px(30));
  for (int id : {kExitButton, IDC_CONTACT_US, IDC_HELP_BUTTON}) placeY(id, L + px(75));

  const Box exit = out[kExitButton];
  out[IDC_WEB_PANE] = {list.x, exit.y + exit.height + px(10), list.width, at(IDC_WEB_PANE).height};
  return out;
}
