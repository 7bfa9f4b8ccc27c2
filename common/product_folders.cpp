#include "common/product.h"

namespace {

std::wstring Under(const std::wstring& base, const std::wstring& maker, const std::wstring& code) {
  // Never a relative path: without its base folder there is no data folder.
  if (base.empty()) return {};
  return base + maker + L"\\" + code + L"\\";
}

}  // namespace

std::wstring InstallerDataFolder(const DataFolderSources& sources) {
  const std::wstring maker = sources.makerWord.empty() ? L"Velmar" : sources.makerWord;
  const std::wstring code = sources.productCode.empty() ? sources.shortName : sources.productCode;
  switch (sources.type) {
    case 0:
      return sources.moduleFolder.empty() ? L"" : sources.moduleFolder + L"pdat\\";
    case 1:
      return Under(sources.appDataFolder, maker, code);
    case 2:
      return Under(sources.documentsFolder, maker, code);
    default:
      return {};
  }
}
