#pragma once
#include <windows.h>

#include <string>

#include "app/main_layout.h"
#include "app/terminal_list_view.h"
#include "deploy/install_mode.h"

// The main window's look: title, captions, the buttons an InstallMode shows, its size and the
// layout of its controls. It keeps no state of its own beyond the window.
class MainWindowFrame {
 public:
  explicit MainWindowFrame(HWND window = nullptr) : window_(window) {}

  void SetTitle(const std::wstring& copierVersion, bool fullPackage) const;
  void SetCaptions() const;
  void ApplyInstallMode(InstallMode mode) const;
  // The stored size, in pixels of a 96-DPI screen; the default without one.
  void ApplyWindowSize(bool webPaneShown) const;
  // Lays the controls out for the window's size; a window below its minimum grows first, and
  // that resize lays it out. With remember the size is stored for the next start.
  void LayOut(bool webPaneShown, bool remember, CTerminalListView& listView) const;
  Box ControlBox(int id) const;

 private:
  void MoveControl(int id, const Box& box) const;
  HWND window_;
};
