#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Copy result codes of CopyFileTo, MoveFileTo and CopyFolder.
enum CopyResult : int {
  kCopyRefused = 0,
  kCopyDone = 1,
  kCopyNoSource = 2,
  kCopySamePath = 3,
};

// Has write fill a temporary file in target's folder, flushes it and then gives it target's
// name in one step, keeping the old file's attributes and security, so a failure at any point
// leaves target as it was and no temporary file behind. Only when the system removed the old
// file and the new one still cannot take the name does the new one stay, under its temporary
// name. 0, or the system error of the step that failed.
DWORD ReplaceFileThrough(const std::wstring& target, const std::function<DWORD(HANDLE)>& write);
// ReplaceFileThrough with a copy of source, which keeps its write time.
DWORD ReplaceFileWithCopy(const std::wstring& source, const std::wstring& target);
// 0, or the system error of a write that failed or fell short.
DWORD WriteBlock(HANDLE file, const char* bytes, DWORD size);

// Path kinds of PathKind.
enum PathKindValue : int {
  kPathNone = 0,
  kPathFile = 1,
  kPathFolder = 2,
};

int PathKind(const std::wstring& path);
bool FolderExists(const std::wstring& path);
bool FileExists(const std::wstring& path);
std::wstring GetModuleFilePath();
std::wstring GetModuleFolder();
// Fixed-disk drive letters with colon, joined by "|".
std::wstring GetFixedDrives();

bool CreateShortcut(const std::wstring& target, const std::wstring& linkPath);
std::wstring ResolveShortcut(const std::wstring& linkPath);

// File-system and shell operations; one process-wide instance, no state.
class CFileCtrl {
 public:
  virtual ~CFileCtrl() = default;

  void FindFiles(const std::wstring& folderOrPattern, std::vector<std::wstring>& outList, bool recursive,
                 const std::wstring& masks = L"") const;
  void FindFolders(const std::wstring& folderOrPattern, std::vector<std::wstring>& outList, bool recursive) const;
  std::wstring FindFileInFolder(const std::wstring& folder, const std::wstring& namePart) const;
  std::wstring FindFileInModuleFolder(const std::wstring& namePart) const;
  void FindAllFilesInFolder(const std::wstring& folder, std::vector<std::wstring>& outList,
                            const std::wstring& namePart) const;
  void FindAllFilesInModuleFolder(std::vector<std::wstring>& outList, const std::wstring& namePart) const;
  double GetFileLength(const std::wstring& path) const;
  // The largest of the files, the first listed among equal sizes; "" for none.
  std::wstring LargestFile(const std::vector<std::wstring>& files) const;

  // Writes over an existing target only through ReplaceFileWithCopy. On kCopyRefused error,
  // when given, receives the system error of the failed step.
  int CopyFileTo(const std::wstring& source, const std::wstring& target, bool overwrite,
                 DWORD* error = nullptr) const;
  int MoveFileTo(const std::wstring& source, const std::wstring& target, bool overwrite) const;
  int CopyFolder(const std::wstring& source, const std::wstring& target, bool overwrite) const;
  bool CreateFolderPath(const std::wstring& path) const;
  bool DeleteOneFile(const std::wstring& path) const;
  bool DeleteFolder(const std::wstring& path) const;

  std::wstring ReadTextFile(const std::wstring& path) const;
  // Nothing when the file cannot be opened or read to its end.
  std::optional<std::wstring> TryReadTextFile(const std::wstring& path) const;
  // The bytes of a file already open for reading, from its current position; nothing when a
  // read fails.
  std::optional<std::string> ReadOpenFile(HANDLE file) const;
  // Bytes as ReadTextFile takes them: UTF-16 after its mark, else the system code page.
  std::wstring TextOfBytes(const std::string& bytes) const;
  // Text in the system code page, as the terminals' logs name things.
  std::string AnsiBytesOf(const std::wstring& text) const;
  // The file taken as UTF-16 LE whether or not it carries a byte-order mark; the mark is dropped.
  std::optional<std::wstring> ReadUtf16TextFile(const std::wstring& path) const;
  // A file that is UTF-16 stays UTF-16 (rewritten with its mark, appended to without one); other
  // files are ANSI unless the text has characters the code page cannot hold exactly.
  bool WriteTextFile(const std::wstring& path, const std::wstring& text, bool truncate) const;
  bool AppendTextLine(const std::wstring& path, const std::wstring& line, bool truncate) const;
  // Makes the file UTF-16 LE with its mark: a missing one is created holding the mark only,
  // an ANSI or UTF-8 one is written anew with the same text and moved over the old one.
  bool MakeUtf16TextFile(const std::wstring& path) const;

  std::wstring GetVersionString(const std::wstring& path, const std::wstring& key) const;
  std::wstring GetFileVersionText(const std::wstring& path) const;
  int CompareVersion(const std::wstring& a, const std::wstring& b) const;

  std::wstring DateTimeText(const std::wstring& text) const;
  std::wstring NowText() const;

  std::wstring BrowseForFolder(HWND owner, const std::wstring& title, const std::wstring& initialFolder) const;
  INT_PTR ShellOpen(const std::wstring& file, const std::wstring& parameters, int showCommand) const;
  INT_PTR ShellOpen(const std::wstring& file) const;
  INT_PTR OpenInBrowser(const std::wstring& address) const;

  // Puts a shortcut to exePath named linkName on the desktop folder, numbering it when
  // another program's shortcut has the name. True when one leads to exePath afterwards.
  bool EnsureDesktopShortcut(const std::wstring& desktopFolder, const std::wstring& linkName,
                             const std::wstring& exePath) const;
  // The same on the first of the desktops that takes it.
  bool EnsureDesktopShortcut(const std::vector<std::wstring>& desktopFolders, const std::wstring& linkName,
                             const std::wstring& exePath) const;
};

extern CFileCtrl g_files;
