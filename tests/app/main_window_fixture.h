#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/dlg_inst_multi.h"
#include "app/resource.h"
#include "common/ini_file.h"
#include "common/product.h"
#include "common/winmsg.h"
#include "tests/support/scripted_seams.h"
#include "tests/support/signal_database.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_system.h"

// The real main window, created modeless with its settings and package in temporary folders.
inline void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

inline std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

inline std::wstring ToLowerForTest(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    g_lang.FillTables();
    g_lang.SetLanguage(kLangSimplifiedChinese);
    g_product.edition = &DefaultEdition();
    g_product.dataFolder = data_.Path();
    g_product.installerVersion = L"";
    installerPath_ = package_ / L"Pandrake.exe";
  }
  void TearDown() override { Close(); }

  CDlgInstMulti& Open(const std::wstring& installerPath = L"") {
    Close();
    dialog_ = std::make_unique<CDlgInstMulti>(GetModuleHandleW(nullptr),
                                              installerPath.empty() ? installerPath_ : installerPath);
    HWND window = dialog_->CreateModeless(nullptr);
    EXPECT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    Pump();
    return *dialog_;
  }
  void Close() {
    if (dialog_ && dialog_->Window()) DestroyWindow(dialog_->Window());
    dialog_.reset();
  }
  bool Visible(int id) { return IsWindowVisible(dialog_->Item(id)) != FALSE; }
  void Resize(int width, int height) {
    SetWindowPos(dialog_->Window(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
  }
  WindowSize Outer() {
    RECT rect{};
    GetWindowRect(dialog_->Window(), &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
  }

  // A package with its copier library needs the signal database beside it.
  void PutCopierLibrary(const std::wstring& name) {
    const std::wstring library = TestProgramFolder() + L"orbix_test.dll";
    ASSERT_TRUE(CopyFileW(library.c_str(), (package_ / name).c_str(), FALSE));
    ASSERT_TRUE(MakeSignalDatabase(package_ / L"orbix.sin"));
  }
  void Store(const std::string& settings) { ASSERT_TRUE(WriteBytes(data_ / L"tcinst.cfg", settings)); }
  // Opens the window on a stored list of these folders; flags are the tick and role characters
  // of every row ("10": ticked, no role). What the start showed or launched is forgotten.
  CDlgInstMulti& OpenWith(const std::vector<std::wstring>& folders, const char* flags = "10") {
    std::string path;
    for (const std::wstring& folder : folders) path += flags + std::string(folder.begin(), folder.end()) + "*|";
    Store("[MAIN]\r\nPATH=" + path + "\r\n");
    CDlgInstMulti& dialog = Open();
    seams_.prompt.shown.clear();
    seams_.shell.calls.clear();
    return dialog;
  }
  void Click(int id) {
    SendMessageW(dialog_->Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog_->Item(id)));
  }

  ScriptedSeams seams_;
  TempFolder data_;
  TempFolder package_;  // under the temporary folder, so no desktop shortcut is made
  std::wstring installerPath_;
  std::unique_ptr<CDlgInstMulti> dialog_;
};

