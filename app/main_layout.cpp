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

std::optional<WindowSize> MinimumSizeFor(WindowSize window) {
  if (window.width >= kMinWidth && window.height >= kMinHeight) return std::nullopt;
  return WindowSize{std::max(window.width, kMinWidth), std::max(window.height, kMinHeight)};
}

ControlBoxes ComputeMainLayout(WindowSize window, bool webPaneShown, const ControlBoxes& current) {
  const int W = window.width;
  const int H = window.height;
  ControlBoxes out;
  auto at = [&](int id) { return current.at(id); };

  Box list = at(IDC_TERMINAL_LIST);
  list.width = W - 30;
  list.height = H - (webPaneShown ? 235 : 145);
  out[IDC_TERMINAL_LIST] = list;
  out[IDC_SEARCH_STATUS] = {list.x, list.y, W - 30, H - (webPaneShown ? 225 : 135)};

  const int refreshW = at(IDC_REFRESH).width;
  const int removeW = at(IDC_REMOVE).width;
  const int addW = at(IDC_ADD).width;
  auto placeX = [&](int id, int x) {
    Box box = at(id);
    box.x = x;
    out[id] = box;
  };
  placeX(IDC_REFRESH, W - refreshW - 20);
  placeX(IDC_REMOVE, W - removeW - refreshW - 25);
  placeX(IDC_ADD, W - addW - removeW - refreshW - 30);
  placeX(IDC_DUPLICATE, W - 2 * addW - removeW - refreshW - 35);

  const int L = list.height;
  auto placeY = [&](int id, int y) {
    Box box = out.count(id) ? out[id] : at(id);
    box.y = y;
    out[id] = box;
  };
  for (int id : kOptionRow) placeY(id, L + 45);
  for (int id : kInstallRow) placeY(id, L + 75);

  const int exitW = at(kExitButton).width;
  const int contactW = at(IDC_CONTACT_US).width;
  const int helpW = at(IDC_HELP_BUTTON).width;
  placeX(kExitButton, W - exitW - 20);
  placeX(IDC_CONTACT_US, W - contactW - exitW - 25);
  placeX(IDC_HELP_BUTTON, W - helpW - contactW - exitW - 30);
  for (int id : {kExitButton, IDC_CONTACT_US, IDC_HELP_BUTTON}) placeY(id, L + 75);

  const Box exit = out[kExitButton];
  out[IDC_WEB_PANE] = {list.x, exit.y + exit.height + 10, list.width, at(IDC_WEB_PANE).height};
  return out;
}
