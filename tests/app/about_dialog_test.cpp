#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "app/dlg_about.h"
#include "app/resource.h"
#include "common/path_text.h"
#include "common/product_texts.h"
#include "common/winmsg.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/scripted_seams.h"
#include "tests/support/test_system.h"

namespace {

class AboutDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    g_lang.FillTables();
  }
  void TearDown() override { Close(); }

  HWND Open(int language = kLangEnglish) {
    Close();
    g_lang.SetLanguage(language);
    dialog_ = std::make_unique<CDlgAbout>(GetModuleHandleW(nullptr), L"1.2.3");
    HWND window = dialog_->CreateModeless(nullptr);
    EXPECT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    Pump();
    return window;
  }
  void Close() {
    if (dialog_ && dialog_->Window()) DestroyWindow(dialog_->Window());
    dialog_.reset();
  }
  HWND Link() const { return dialog_->Item(IDC_ABOUT_LINK); }
  // Goes through the dialog manager as the message loop of the modal dialog would.
  void Key(WPARAM key, LPARAM flags = 0) {
    MSG message{GetFocus(), WM_KEYDOWN, key, flags, 0, {}};
    IsDialogMessageW(dialog_->Window(), &message);
  }
  void ExpectOpenedTimes(size_t times) {
    ASSERT_EQ(seams_.shell.calls.size(), times);
    for (const auto& call : seams_.shell.calls) {
      EXPECT_EQ(ToLower(call.file), ToLower(InternetExplorerProgram()));
      EXPECT_EQ(call.parameters, g_lang.GetProductText(product_text::kHomeAddress));
    }
  }

  ScriptedSeams seams_;
  std::unique_ptr<CDlgAbout> dialog_;
};

TEST_F(AboutDialogTest, ShowsNameVersionAndAddressWithTheLinkInTheTabOrder) {
  for (int language : {kLangEnglish, kLangSimplifiedChinese, kLangTraditionalChinese}) {
    Open(language);
    EXPECT_EQ(TextOf(dialog_->Item(IDC_ABOUT_NAME)), g_lang.GetProductText(product_text::kDisplayName));
    EXPECT_EQ(TextOf(dialog_->Item(IDC_ABOUT_VERSION)),
              g_lang.GetProductText(product_text::kVersionLabel) + L" 1.2.3");
    EXPECT_EQ(TextOf(dialog_->Item(IDC_ABOUT_WEBSITE)), g_lang.GetProductText(product_text::kWebsiteLabel) + L":");
    EXPECT_EQ(TextOf(Link()), g_lang.GetProductText(product_text::kHomeAddress));
  }
  EXPECT_NE(GetWindowLongPtrW(Link(), GWL_STYLE) & WS_TABSTOP, 0);
  EXPECT_EQ(GetNextDlgTabItem(dialog_->Window(), dialog_->Item(IDOK), FALSE), Link());
  EXPECT_EQ(GetNextDlgTabItem(dialog_->Window(), Link(), FALSE), dialog_->Item(IDOK));
  EXPECT_TRUE(seams_.shell.calls.empty());
}

TEST_F(AboutDialogTest, ClickOpensTheAddressOnlyWhenPressedAndReleasedOnTheText) {
  Open();
  const LPARAM onText = MAKELPARAM(2, 2);
  RECT client{};
  GetClientRect(Link(), &client);
  const LPARAM pastText = MAKELPARAM(client.right - 2, 2);
  POINT past{client.right - 2, 2};
  ClientToScreen(Link(), &past);
  EXPECT_EQ(SendMessageW(Link(), WM_NCHITTEST, 0, MAKELPARAM(past.x, past.y)), HTTRANSPARENT);

  SendMessageW(Link(), WM_LBUTTONUP, 0, onText);
  SendMessageW(Link(), WM_LBUTTONDOWN, MK_LBUTTON, onText);
  SendMessageW(Link(), WM_LBUTTONUP, 0, pastText);
  ExpectOpenedTimes(0);

  SendMessageW(Link(), WM_LBUTTONDOWN, MK_LBUTTON, onText);
  SendMessageW(Link(), WM_LBUTTONUP, 0, onText);
  ExpectOpenedTimes(1);
  EXPECT_EQ(GetFocus(), Link());

  SendMessageW(Link(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Link()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(AboutDialogTest, TabThenEnterOrSpaceOpensTheAddressWithoutClosing) {
  Open();
  SetFocus(dialog_->Item(IDOK));
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), Link());

  Key(VK_RETURN);
  ExpectOpenedTimes(1);
  EXPECT_NE(dialog_->Window(), nullptr);
  Key(VK_SPACE);
  ExpectOpenedTimes(2);
  Key(VK_SPACE, 0x40000000);  // auto-repeat of a held key
  ExpectOpenedTimes(2);

  // Elsewhere Enter is still the dialog's: it presses OK.
  SetFocus(dialog_->Item(IDOK));
  Key(VK_RETURN);
  EXPECT_EQ(dialog_->Window(), nullptr);
  ExpectOpenedTimes(2);
}

}  // namespace
