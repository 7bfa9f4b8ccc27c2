#include "deploy/deploy_trace.h"

#include "common/file_ctrl.h"

namespace {

std::wstring g_traceFile;

void Trace(const std::wstring& line) {
  if (!g_traceFile.empty()) g_files.AppendTextLine(g_traceFile, line, false);
}

}  // namespace

bool IsTracingInstallerPath(const std::wstring& installerPath) {
  return installerPath.size() >= 5 && installerPath.compare(installerPath.size() - 5, 5, L"1.exe") == 0;
}

void SetDeployTraceFile(const std::wstring& path) { g_traceFile = path; }

const std::wstring& DeployTraceFile() { return g_traceFile; }

std::wstring DeployTraceFileFor(const std::wstring& installerPath, const std::wstring& tempFolder,
                                const std::wstring& productCode) {
  if (!IsTracingInstallerPath(installerPath) || tempFolder.empty()) return {};
  return tempFolder + productCode + L"_install_trace.log";
}

void TraceExpertsMask(const std::wstring& mask) { Trace(L"EXT:" + mask); }

void TraceFolderListed(int count, const std::wstring& sourceFolder, const std::wstring& mask) {
  Trace(L"IF:" + std::to_wstring(count) + L"#" + sourceFolder + L"," + mask);
}

void TraceNotice(const std::wstring& text) { Trace(L"NOTE:" + text); }

void TraceFileCopied(int result, const std::wstring& sourceFile, const std::wstring& targetFile) {
  Trace(L"CFR:" + std::to_wstring(result) + L"," + sourceFile + L"," + targetFile);
}
