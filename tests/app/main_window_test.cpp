#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/dlg_inst_multi.h"
#include "app/resource.h"
#include "common/file_ctrl.h"
#include "common/ini_file.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/product.h"
#include "common/product_texts.h"
#include "common/system.h"
#include "common/winmsg.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/scripted_seams.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_system.h"

namespace {

struct ExpectedCaption {
  int control;
  int message;
};

TEST_F(MainWindowTest, EveryCaptionComesFromTheCatalogInEachLanguage) {
  const ExpectedCaption captions[] = {
      {IDC_LAUNCH, 53}, {IDC_OPEN_FOLDER, 54}, {IDC_HIDE, 58}, {IDC_SHOW, 59}, {IDC_CLOSE_TERMINALS, 60},
      {IDC_DUPLICATE, 75}, {IDC_ADD, 16}, {IDC_REMOVE, 17}, {IDC_REFRESH, 18}, {IDC_SELECT_ALL, 51},
      {IDC_INVERSE, 52}, {IDC_CLICK_TO_LAUNCH, 43}, {IDC_LOAD_EA_AUTO, 44}, {IDC_INSTALL_PROVIDER, 11},
      {IDC_INSTALL_RECEIVER, 12}, {IDC_UNINSTALL, 19}, {IDC_HELP_BUTTON, 13}, {IDC_CONTACT_US, 14},
      {IDCANCEL, 15},
  };
  for (int language : {kLangEnglish, kLangSimplifiedChinese, kLangTraditionalChinese}) {
    g_lang.SetLanguage(language);
    CDlgInstMulti& dialog = Open();
    for (const ExpectedCaption& caption : captions) {
      EXPECT_EQ(TextOf(dialog.Item(caption.control)), g_lang.GetText(caption.message))
          << "control " << caption.control << " language " << language;
    }
    EXPECT_EQ(TextOf(dialog.Item(IDC_TERMINALS_LABEL)), g_lang.GetText(msg::kTerminals) + L":");
    EXPECT_EQ(TextOf(dialog.Window()), g_lang.GetProductText(product_text::kDisplayName));
  }
  g_lang.SetLanguage(kLangSimplifiedChinese);
  EXPECT_EQ(TextOf(Open().Item(IDC_INSTALL_PROVIDER)), L"安装喊单系统");
}

TEST_F(MainWindowTest, BothModeShowsEveryButtonAndHidesTheFixedlyHiddenOnes) {
  CDlgInstMulti& dialog = Open(package_ / L"provider\\Pandrake.exe");
  EXPECT_EQ(dialog.Mode(), kBothRoles);
  for (int id : {IDC_INSTALL_PROVIDER, IDC_INSTALL_RECEIVER, IDC_UNINSTALL, IDC_HELP_BUTTON, IDC_CONTACT_US}) {
    EXPECT_TRUE(Visible(id)) << id;
  }
  EXPECT_FALSE(Visible(IDC_TERMINALS_LABEL));
  EXPECT_FALSE(Visible(IDC_SEARCH_STATUS));
  EXPECT_FALSE(Visible(IDC_LOAD_EA_AUTO));
  EXPECT_FALSE(Visible(IDC_WEB_PANE));
  EXPECT_EQ(IsDlgButtonChecked(dialog.Window(), IDC_CLICK_TO_LAUNCH), BST_CHECKED);
}

TEST_F(MainWindowTest, ProviderModeHidesReceiverAndMovesUninstallIntoItsPlace) {
  const Box receiver = Open().ControlBox(IDC_INSTALL_RECEIVER);
  CDlgInstMulti& dialog = Open(package_ / L"Signal Provider\\Pandrake.exe");
  EXPECT_EQ(dialog.Mode(), kProviderOnly);
  EXPECT_FALSE(Visible(IDC_INSTALL_RECEIVER));
  EXPECT_TRUE(Visible(IDC_INSTALL_PROVIDER));
  EXPECT_TRUE(Visible(IDC_HELP_BUTTON));
  EXPECT_TRUE(Visible(IDC_CONTACT_US));
  const Box uninstall = dialog.ControlBox(IDC_UNINSTALL);
  EXPECT_EQ(uninstall.x, receiver.x);
  EXPECT_EQ(uninstall.y, receiver.y);
}

TEST_F(MainWindowTest, ReceiverModeShowsOnlyReceiverAndUninstall) {
  CDlgInstMulti& both = Open();
  const Box provider = both.ControlBox(IDC_INSTALL_PROVIDER);
  const Box receiver = both.ControlBox(IDC_INSTALL_RECEIVER);
  const Box uninstall = both.ControlBox(IDC_UNINSTALL);
  CDlgInstMulti& dialog = Open(package_ / L"Provider and Receiver\\Pandrake.exe");
  EXPECT_EQ(dialog.Mode(), kReceiverOnly);
  for (int id : {IDC_INSTALL_PROVIDER, IDC_HELP_BUTTON, IDC_CONTACT_US}) EXPECT_FALSE(Visible(id)) << id;
  EXPECT_TRUE(Visible(IDC_INSTALL_RECEIVER));
  EXPECT_TRUE(Visible(IDC_UNINSTALL));
  EXPECT_EQ(dialog.ControlBox(IDC_INSTALL_RECEIVER), (Box{provider.x, provider.y, receiver.width, receiver.height}));
  EXPECT_EQ(dialog.ControlBox(IDC_UNINSTALL), (Box{receiver.x, receiver.y, uninstall.width, uninstall.height}));
}

TEST_F(MainWindowTest, StartsAt800By410WithoutStoredSize) {
  Open();
  EXPECT_EQ(Outer().width, 800);
  EXPECT_EQ(Outer().height, 410);
  EXPECT_TRUE(dialog_->IsStarted());
}

void ExpectLaidOutFor(CDlgInstMulti& dialog, int W, int H) {
  SCOPED_TRACE(testing::Message() << W << "x" << H);
  const Box list = dialog.ControlBox(IDC_TERMINAL_LIST);
  EXPECT_EQ(list.width, W - 30);
  EXPECT_EQ(list.height, H - 145);
  const Box status = dialog.ControlBox(IDC_SEARCH_STATUS);
  EXPECT_EQ(status, (Box{list.x, list.y, W - 30, H - 135}));

  const Box refresh = dialog.ControlBox(IDC_REFRESH);
  const Box remove = dialog.ControlBox(IDC_REMOVE);
  const Box add = dialog.ControlBox(IDC_ADD);
  const Box duplicate = dialog.ControlBox(IDC_DUPLICATE);
  EXPECT_EQ(refresh.x + refresh.width, W - 20);
  EXPECT_EQ(remove.x, W - remove.width - refresh.width - 25);
  EXPECT_EQ(add.x, W - add.width - remove.width - refresh.width - 30);
  EXPECT_EQ(duplicate.x, W - 2 * add.width - remove.width - refresh.width - 35);
  EXPECT_EQ(duplicate.y, refresh.y);

  const int L = list.height;
  for (int id : {IDC_SELECT_ALL, IDC_INVERSE, IDC_CLICK_TO_LAUNCH, IDC_LOAD_EA_AUTO}) {
    EXPECT_EQ(dialog.ControlBox(id).y, L + 45) << id;
  }
  for (int id : {IDC_INSTALL_PROVIDER, IDC_INSTALL_RECEIVER, IDC_UNINSTALL, IDC_HELP_BUTTON, IDC_CONTACT_US, IDCANCEL}) {
    EXPECT_EQ(dialog.ControlBox(id).y, L + 75) << id;
  }
  const Box exit = dialog.ControlBox(IDCANCEL);
  const Box contact = dialog.ControlBox(IDC_CONTACT_US);
  const Box help = dialog.ControlBox(IDC_HELP_BUTTON);
  EXPECT_EQ(exit.x, W - exit.width - 20);
  EXPECT_EQ(contact.x, W - contact.width - exit.width - 25);
  EXPECT_EQ(help.x, W - help.width - contact.width - exit.width - 30);
  EXPECT_EQ(dialog.ControlBox(IDC_INSTALL_PROVIDER).x, list.x);
}

TEST_F(MainWindowTest, LayoutFollowsTheWindowSize) {
  CDlgInstMulti& dialog = Open();
  Resize(900, 600);
  ExpectLaidOutFor(dialog, 900, 600);
  Resize(1100, 480);
  ExpectLaidOutFor(dialog, 1100, 480);
}

TEST(MainLayoutTest, MarginsAndStoredSizeFollowTheDpi) {
  ControlBoxes current;
  for (int id : {IDC_TERMINAL_LIST, IDC_REFRESH, IDC_REMOVE, IDC_ADD, IDC_DUPLICATE, IDC_SELECT_ALL, IDC_INVERSE,
                 IDC_CLICK_TO_LAUNCH, IDC_LOAD_EA_AUTO, IDC_INSTALL_PROVIDER, IDC_INSTALL_RECEIVER, IDC_UNINSTALL,
                 IDC_HELP_BUTTON, IDC_CONTACT_US, IDCANCEL, IDC_WEB_PANE}) {
    current[id] = {15, 30, 90, 30};
  }
  const ControlBoxes at144 = ComputeMainLayout({1200, 750}, false, current, 144);
  EXPECT_EQ(at144.at(IDC_TERMINAL_LIST), (Box{15, 30, 1200 - 45, 750 - 218}));
  EXPECT_EQ(at144.at(IDC_REFRESH).x, 1200 - 90 - 30);
  EXPECT_EQ(at144.at(IDC_INSTALL_PROVIDER).y, 750 - 218 + 113);
  EXPECT_EQ(MinimumSizeFor({720, 300}, 144)->width, 1080);
  EXPECT_EQ(ScaleFromDpi(ScaleToDpi(801, 144), 144), 801) << "a stored size survives a DPI change";
}

TEST_F(MainWindowTest, WindowBelowTheMinimumGrowsFirst) {
  CDlgInstMulti& dialog = Open();
  Resize(600, 250);
  EXPECT_EQ(Outer().width, 720);
  EXPECT_EQ(Outer().height, 300);
  ExpectLaidOutFor(dialog, 720, 300);
  Resize(650, 500);
  EXPECT_EQ(Outer().width, 720);
  EXPECT_EQ(Outer().height, 500);
}

TEST_F(MainWindowTest, RestoringFromMinimizedDoesNotLayOut) {
  CDlgInstMulti& dialog = Open();
  SendMessageW(dialog.Window(), WM_SIZE, SIZE_MINIMIZED, 0);
  EXPECT_TRUE(dialog.IsMinimized());
  SetWindowPos(dialog.Item(IDC_REFRESH), nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Resize(900, 600);
  EXPECT_FALSE(dialog.IsMinimized());
  EXPECT_EQ(dialog.ControlBox(IDC_REFRESH).x, 5);
  Resize(901, 600);
  ExpectLaidOutFor(dialog, 901, 600);
}

TEST_F(MainWindowTest, ExitClosesAndEnterDoesNot) {
  CDlgInstMulti& dialog = Open();
  SendMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_NE(dialog.Window(), nullptr);
  SendMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_EQ(dialog.Window(), nullptr);
}

TEST_F(MainWindowTest, TraditionalChineseSystemIsToldToGetTheTraditionalBuild) {
  Open();
  if (TestLocale() == "tw") {
    ASSERT_EQ(seams_.prompt.Messages().size(), 1u);
    EXPECT_EQ(seams_.prompt.Messages()[0], L"軟件檢測到您的系統為體體版,請下載繁體版跟單系統!");
    ASSERT_EQ(seams_.shell.calls.size(), 1u);
    EXPECT_EQ(ToLower(seams_.shell.calls[0].file), ToLower(InternetExplorerProgram()));
    EXPECT_EQ(seams_.shell.calls[0].parameters, g_lang.GetProductText(product_text::kTraditionalDownload));
  } else {
    EXPECT_TRUE(seams_.prompt.shown.empty());
    EXPECT_TRUE(seams_.shell.calls.empty());
  }
  g_lang.SetLanguage(kLangEnglish);
  seams_.prompt.shown.clear();
  Open();
  EXPECT_TRUE(seams_.prompt.shown.empty());
}

TEST_F(MainWindowTest, StoredSizeIsUsedAndResizesAreStored) {
  Store("[MAIN]\r\nW=760\r\nH=300\r\n");
  Open();
  EXPECT_EQ(Outer().width, 760);
  EXPECT_EQ(Outer().height, 300);
  Resize(950, 620);
  EXPECT_EQ(g_config.ReadMain(L"W"), L"950");
  EXPECT_EQ(g_config.ReadMain(L"H"), L"620");
  Close();
  Open();
  EXPECT_EQ(Outer().width, 950);
  EXPECT_EQ(Outer().height, 620);
}

TEST_F(MainWindowTest, StartUpStoresNoSize) {
  Open();
  EXPECT_EQ(g_config.ConfigPath(), data_ / L"tcinst.cfg");
  EXPECT_EQ(g_config.ReadMain(L"W"), L"");
  EXPECT_EQ(g_config.ReadMain(L"H"), L"");
}

TEST_F(MainWindowTest, OptionBoxesAreTickedUnlessAValueIsStored) {
  Store("[MAIN]\r\nCLICKTOLAUNCH=0\r\nLOADEAAUTO=x\r\n");
  CDlgInstMulti& dialog = Open();
  EXPECT_EQ(IsDlgButtonChecked(dialog.Window(), IDC_CLICK_TO_LAUNCH), BST_UNCHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog.Window(), IDC_LOAD_EA_AUTO), BST_UNCHECKED);
}



TEST_F(MainWindowTest, TitleCarriesTheCopierVersion) {
  PutCopierLibrary(L"orbix.dll");
  CDlgInstMulti& dialog = Open();
  EXPECT_EQ(dialog.CopierVersion(), L"3.2.1.0");
  EXPECT_EQ(TextOf(dialog.Window()), g_lang.GetProductText(product_text::kDisplayName) + L" - V3.2.1.0");
}

TEST_F(MainWindowTest, AlternativeLibraryOnlyGivesTheLiteTitle) {
  PutCopierLibrary(L"orbixw.dll");
  EXPECT_EQ(TextOf(Open().Window()), g_lang.GetProductText(product_text::kLiteTitle) + L" - V3.2.1.0");
}

TEST_F(MainWindowTest, WithoutCopierLibraryTheInstallersVersionIsShown) {
  g_product.installerVersion = L"1.0.0.0";
  EXPECT_EQ(TextOf(Open().Window()), g_lang.GetProductText(product_text::kDisplayName) + L" - V1.0.0.0");
}

TEST_F(MainWindowTest, DesktopShortcutOnlyForAnInstallerOutsideTheTemporaryFolder) {
  const std::wstring link = g_system.GetDesktopFolder() + g_lang.GetProductText(product_text::kDisplayName) + L".lnk";
  DeleteFileW(link.c_str());
  Open();
  EXPECT_FALSE(FileExists(link));

  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring outside = std::wstring(windows) + L"\\Pandrake.exe";
  Open(outside);
  EXPECT_TRUE(FileExists(link));
  EXPECT_EQ(ToLowerForTest(ResolveShortcut(link)), ToLowerForTest(outside));
  DeleteFileW(link.c_str());
}

}  // namespace

namespace {

TEST_F(MainWindowTest, APackageWithTheLibraryButNoSignalDatabaseClosesAtOnce) {
  ASSERT_TRUE(WriteBytes(package_ / L"orbix.dll", "MZ"));
  dialog_ = std::make_unique<CDlgInstMulti>(GetModuleHandleW(nullptr), installerPath_);
  dialog_->CreateModeless(nullptr);
  EXPECT_EQ(dialog_->Window(), nullptr);
  EXPECT_EQ(seams_.prompt.Messages(), std::vector<std::wstring>{L"Installation files not found!"});
  EXPECT_FALSE(FileExists(data_ / L"tcinst.cfg"));
}

}  // namespace

namespace {

TEST_F(MainWindowTest, AnIncompletePackageIsReportedOnceAtStartAndTheWindowRuns) {
  ASSERT_TRUE(WriteBytes(package_ / L"Signal Provider\\experts\\_Velmar Signal Provider.ex4", "ex4"));
  ASSERT_TRUE(WriteBytes(package_ / L"Signal Provider\\experts\\Velmar Provider v2.ex4", "ex4"));
  CDlgInstMulti& dialog = Open();
  EXPECT_NE(dialog.Window(), nullptr);
  std::vector<std::wstring> messages = seams_.prompt.Messages();
  std::erase_if(messages, [](const std::wstring& text) { return text.find(L"軟件") == 0; });
  EXPECT_EQ(messages, std::vector<std::wstring>{L"Invalid source files"});
  EXPECT_FALSE(dialog.Package().ProviderPackageName().empty());
  EXPECT_TRUE(dialog.Package().ReceiverPackageName().empty());
}

TEST_F(MainWindowTest, ACompletePackageStartsWithoutAMessage) {
  ASSERT_TRUE(WriteBytes(package_ / L"a\\_Velmar Signal Provider.ex4", "ex4"));
  ASSERT_TRUE(WriteBytes(package_ / L"b\\_Velmar Signal Receiver.ex4", "ex4"));
  CDlgInstMulti& dialog = Open();
  std::vector<std::wstring> messages = seams_.prompt.Messages();
  std::erase_if(messages, [](const std::wstring& text) { return text.find(L"軟件") == 0; });
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(dialog.Package().ReceiverPackageName(), L"_Velmar Signal Receiver.ex4");
}

}  // namespace
