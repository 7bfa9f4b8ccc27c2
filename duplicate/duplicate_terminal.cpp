#include "duplicate/duplicate_terminal.h"

#include <cwchar>
#include <vector>

#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/product_texts.h"
#include "common/winmsg.h"
#include "duplicate/copy_name.h"

namespace {

constexpr const wchar_t* kCopyFolders[] = {L"\\config",         L"\\profiles", L"\\MQL4\\Experts", L"\\MQL4\\Indicators",
                                           L"\\MQL4\\Libraries", L"\\Sounds",  L"\\templates"};

std::wstring Trimmed(std::wstring folder) {
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  while (!folder.empty() && folder.front() == L'\\') folder.erase(0, 1);
  return folder;
}

std::wstring Filled(const wchar_t* format, int code, const std::wstring& from, const std::wstring& to) {
  std::vector<wchar_t> text(from.size() + to.size() + 64);
  std::swprintf(text.data(), text.size(), format, code, from.c_str(), to.c_str());
  return text.data();
}

std::wstring Retargeted(const std::wstring& path, const std::wstring& source, const std::wstring& target) {
  return ReplaceAll(path, source, target);
}

// Root programs first; the folders only when every program was copied.
std::wstring CopyParts(const std::wstring& source, const std::wstring& target) {
  std::vector<std::wstring> files;
  g_files.FindFiles(source, files, false, L"*.exe,*.dll,*.ico");
  for (const std::wstring& file : files) {
    const std::wstring to = Retargeted(file, source, target);
    const int code = g_files.CopyFileTo(file, to, false);
    if (code != kCopyDone) return g_lang.GetText(msg::kCopyFailed) + Filled(L"#%d\n%ls\n%ls", code, file, to);
  }
  for (const wchar_t* relative : kCopyFolders) {
    const std::wstring from = source + relative;
    const std::wstring to = Retargeted(from, source, target);
    const int code = g_files.CopyFolder(from, to, false);
    if (code != kCopyDone && FolderExists(from)) return Filled(L"Failed to copy folder#%d\n%ls\n%ls", code, from, to);
  }
  return {};
}

}  // namespace

DuplicateOutcome DuplicateTerminal(const std::wstring& sourceFolder) {
  const std::wstring source = Trimmed(sourceFolder);
  if (!FolderExists(source + L"\\config") || !FolderExists(source + L"\\profiles")) {
    return {false, L"", L"Invalid MT4 directory!\n" + source};
  }
  const std::wstring target = NextCopyName(source, [](const std::wstring& folder) { return FolderExists(folder); });
  if (target.empty()) return {false, L"", g_lang.GetProductText(product_text::kNoFreeCopyName) + L"\n" + source};

  const std::wstring failure = CopyParts(source, target);
  // A copy must never start with the source's saved login.
  g_files.DeleteOneFile(target + L"\\config\\server.ini");
  g_files.DeleteOneFile(target + L"\\config\\servers.dat");
  if (!failure.empty()) return {false, target, failure + L"\n" + target};
  return {true, target, g_lang.GetText(msg::kDuplicateDone) + L"\n" + target};
}
