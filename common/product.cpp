#include "common/product.h"

#include "common/file_ctrl.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/system.h"
#include "common/winmsg.h"

ProductSettings g_product;

namespace {

void InitFolders(const EditionProfile& edition) {
  if (edition.shortName[0] == L'\0') ShowMessage(L"DV#m_ProductID is empty.");
  if (edition.dataFolderType < 0 || edition.dataFolderType > 2) ShowMessage(L"INVDATADIRTYPE");
  DataFolderSources sources{edition.dataFolderType, GetModuleFolder(), L"", L"",
                            edition.makerWord, edition.productCode, edition.shortName};
  if (edition.dataFolderType == 1) sources.appDataFolder = g_system.GetAppDataFolder();
  if (edition.dataFolderType == 2) sources.documentsFolder = g_system.GetDocumentsFolder();
  g_product.dataFolder = InstallerDataFolder(sources);
  g_product.configFolder = g_product.dataFolder.empty() ? L"" : g_product.dataFolder + L"config\\";
  const std::wstring code = edition.productCode[0] ? edition.productCode : edition.shortName;
  const std::wstring temp = g_system.GetTempFolder();
  g_product.workFolder = temp.empty() ? L"" : temp + code + L"\\";
}

}  // namespace

void InitProductSettings() {
  g_product.edition = &ActiveEdition();
  g_lang.Init();
  g_product.displayName = g_lang.GetProductText(product_text::kDisplayName);
  if (g_product.displayName.empty()) ShowMessage(L"SV#g_lang.Init(); is missing.");
  g_product.installerVersion = g_files.GetFileVersionText(GetModuleFilePath());
  InitFolders(*g_product.edition);
}
