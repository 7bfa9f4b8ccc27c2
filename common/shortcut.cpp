#include "common/file_ctrl.h"

#include <objbase.h>
#include <shlobj.h>

#include "common/path_text.h"
#include "common/unique_handle.h"

namespace {

// COM for the length of one call; left alone when the thread already chose another model.
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

std::wstring WithLinkExtension(const std::wstring& linkPath) {
  if (linkPath.size() >= 4 && ToLower(linkPath.substr(linkPath.size() - 4)) == L".lnk") return linkPath;
  return linkPath + L".lnk";
}

UniqueCom<IShellLinkW> NewShellLink() {
  UniqueCom<IShellLinkW> link;
  CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                   reinterpret_cast<void**>(link.Receive()));
  return link;
}

UniqueCom<IPersistFile> PersistOf(const UniqueCom<IShellLinkW>& link) {
  UniqueCom<IPersistFile> file;
  link.Get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Receive()));
  return file;
}

}  // namespace

bool CreateShortcut(const std::wstring& target, const std::wstring& linkPath) {
  const ComScope com;
  UniqueCom<IShellLinkW> link = NewShellLink();
  if (!link) return false;
  const std::wstring folder = ParentFolderOf(target);
  if (FAILED(link.Get()->SetPath(target.c_str())) || FAILED(link.Get()->SetWorkingDirectory(folder.c_str())) ||
      FAILED(link.Get()->SetShowCmd(SW_SHOW))) {
    return false;
  }
  UniqueCom<IPersistFile> file = PersistOf(link);
  return file && SUCCEEDED(file.Get()->Save(WithLinkExtension(linkPath).c_str(), TRUE));
}

std::wstring ResolveShortcut(const std::wstring& linkPath) {
  const std::wstring path = WithLinkExtension(linkPath);
  if (!FileExists(path)) return {};
  const ComScope com;
  UniqueCom<IShellLinkW> link = NewShellLink();
  if (!link) return {};
  UniqueCom<IPersistFile> file = PersistOf(link);
  if (!file || FAILED(file.Get()->Load(path.c_str(), STGM_READ))) return {};
  wchar_t target[MAX_PATH] = {};
  if (FAILED(link.Get()->GetPath(target, MAX_PATH, nullptr, 0))) return {};
  return target;
}

bool CFileCtrl::EnsureDesktopShortcut(const std::wstring& desktopFolder, const std::wstring& linkName,
                                      const std::wstring& exePath) const {
  const std::wstring base = WithTrailingBackslash(desktopFolder) + linkName;
  const std::wstring exe = ToLower(exePath);
  // Another program's shortcut may already carry the name; ours then gets a number, and
  // number 9 is reused rather than filling the desktop.
  for (int number = 0; number <= 9; ++number) {
    const std::wstring candidate = number == 0 ? base + L".lnk" : base + L"#" + std::to_wstring(number) + L".lnk";
    const bool free = PathKind(candidate) == kPathNone;
    if (!free && ToLower(ResolveShortcut(candidate)) == exe) return true;
    if (free || number == 9) return CreateShortcut(exePath, candidate);
  }
  return false;
}

bool CFileCtrl::EnsureDesktopShortcut(const std::vector<std::wstring>& desktopFolders, const std::wstring& linkName,
                                      const std::wstring& exePath) const {
  for (const std::wstring& desktop : desktopFolders) {
    if (!desktop.empty() && EnsureDesktopShortcut(desktop, linkName, exePath)) return true;
  }
  return false;
}
