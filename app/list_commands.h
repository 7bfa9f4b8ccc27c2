#pragma once
#include <windows.h>
#include <commctrl.h>

class CDlgInstMulti;

// The main window's commands over the list and the running terminals: ticks, adding and
// removing rows, Refresh, the options, Hide, Show, Close, Launch and Open Folder.
class ListCommands {
 public:
  explicit ListCommands(CDlgInstMulti& window) : w_(window) {}

  void SelectAll();
  void Inverse();
  void Add();
  void Remove();
  void Refresh();
  void Help();
  void ContactUs();
  void OptionBox(int id, const wchar_t* key);
  void HideShow(int showCommand);
  void CloseTerminals();
  void Launch();
  void OpenFolder();
  // A click on the State cell explains a state that needs it.
  void ExplainClickedState(const NMITEMACTIVATE& click);
  // A double click launches the terminal, or opens its folder.
  void LaunchOrOpenSelected();

 private:
  CDlgInstMulti& w_;
};
