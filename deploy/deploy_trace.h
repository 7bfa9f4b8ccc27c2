#pragma once
#include <string>

// Diagnostic lines of the deployment engine. They are written only for an installer whose
// file name ends with "1.exe", a copy support staff hand out to trace a failing install.
bool IsTracingInstallerPath(const std::wstring& installerPath);

// Where trace lines go; "" switches tracing off.
void SetDeployTraceFile(const std::wstring& path);
const std::wstring& DeployTraceFile();
// The trace file of an installer started from installerPath: "" when it does not trace.
std::wstring DeployTraceFileFor(const std::wstring& installerPath, const std::wstring& tempFolder,
                                const std::wstring& productCode);

void TraceExpertsMask(const std::wstring& mask);
void TraceFolderListed(int count, const std::wstring& sourceFolder, const std::wstring& mask);
// A notice the user was not shown, since it asked nothing of them.
void TraceNotice(const std::wstring& text);
void TraceFileCopied(int result, const std::wstring& sourceFile, const std::wstring& targetFile);
