#include "app/start_up.h"

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/product.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/system.h"
#include "common/winmsg.h"
#include "deploy/signal_config.h"

namespace {

constexpr LANGID kTraditionalChineseTaiwan = 0x0404;
constexpr LANGID kTraditionalChineseHongKong = 0x0C04;

}  // namespace

CopierVersionInfo ReadCopierVersion(const std::wstring& installerFolder) {
  if (FileExists(installerFolder + L"orbix.dll")) return {g_files.GetFileVersionText(installerFolder + L"orbix.dll")};
  if (FileExists(installerFolder + L"orbixw.dll")) {
    return {g_files.GetFileVersionText(installerFolder + L"orbixw.dll"), false};
  }
  return {g_product.installerVersion};
}

std::wstring PlaceSignalDatabase(const std::wstring& installerFolder, const FileTree& packageFiles) {
  SignalConfigPlaces places = DefaultSignalConfigPlaces();
  places.packageFolder = installerFolder;
  return InstallSignalConfig(places, kSignalConfigDocuments, packageFiles);
}

void CreateDesktopShortcut(const std::wstring& installerPath) {
  // Started from inside the temporary folder (straight from an archive): no shortcut to a
  // program that will soon be gone.
  const std::wstring temp = ToLower(g_system.GetTempFolder());
  const std::wstring folder = ToLower(ParentFolderOf(installerPath));
  if (temp.empty() || folder.find(temp) != std::wstring::npos) return;
  // Only an elevated process may write the all-users desktop; a normal user gets the shortcut
  // on the own desktop instead.
  g_files.EnsureDesktopShortcut({g_system.GetDesktopFolder(), g_system.GetUserDesktopFolder()},
                                g_lang.GetProductText(product_text::kDisplayName), installerPath);
}

void ShowTraditionalChineseNotice(HWND owner) {
  if (!g_product.edition->showTraditionalNotice || g_lang.Language() != kLangSimplifiedChinese) return;
  const LANGID language = GetUserDefaultLangID();
  if (language != kTraditionalChineseTaiwan && language != kTraditionalChineseHongKong) return;
  ShowMessage(L"軟件檢測到您的系統為體體版,請下載繁體版跟單系統!", owner);
  g_files.OpenInBrowser(g_lang.GetProductText(product_text::kTraditionalDownload));
}
