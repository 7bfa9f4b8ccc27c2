#include "deploy/update_log.h"

#include "common/file_ctrl.h"
#include "common/product.h"
#include "common/system.h"

void CUpdateLog::Start(const std::wstring& storedVersion, const std::wstring& version) const {
  Line(L" Start-------------------------" + storedVersion + L"->" + version);
}

void CUpdateLog::Skip(const std::wstring& root, const std::wstring& installedVersion) const {
  Line(L" Skip-------------------------" + root + L"#" + installedVersion);
}

void CUpdateLog::File(const std::wstring& path) const { Line(L" " + path); }

void CUpdateLog::Failed(const std::wstring& path) const { Line(L" Failed-------------------------" + path); }

void CUpdateLog::Done(const std::wstring& version) const { Line(L" Done-------------------------" + version); }

void CUpdateLog::DeleteIfLarge() const {
  if (!path_.empty() && g_files.GetFileLength(path_) > kUpdateLogLimitBytes) g_files.DeleteOneFile(path_);
}

void CUpdateLog::Line(const std::wstring& content) const {
  if (!path_.empty()) g_files.AppendTextLine(path_, g_files.NowText() + content, false);
}

std::wstring UpdateLogPath() {
  const std::wstring temp = g_system.GetTempFolder();
  if (temp.empty()) return {};
  return temp + g_product.edition->productCode + L"_autoupdate.log";
}
