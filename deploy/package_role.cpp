#include "deploy/package_role.h"

#include <initializer_list>

#include "common/hidden_text.h"
#include "common/path_text.h"

namespace {

bool AnyAfterStart(const std::wstring& name, std::initializer_list<const wchar_t*> keywords) {
  for (const wchar_t* keyword : keywords) {
    const std::size_t pos = name.find(keyword);
    if (pos != std::wstring::npos && pos > 0) return true;
  }
  return false;
}

}  // namespace

SignalRole PackageRoleOfName(const std::wstring& fileName) {
  if (AnyAfterStart(fileName, {L"喊单", L"Handan", L"Provider"})) return kRoleProvider;
  if (AnyAfterStart(fileName, {L"跟单", L"Gendan", L"Receiver"})) return kRoleReceiver;
  return kRoleNone;
}

std::wstring BrandExpertsMask(const std::wstring& makerWord, const std::wstring& roleWord) {
  const std::wstring brand = L"*" + makerWord + L"*;";
  return brand + brand + brand + L"*" + roleWord + L"*.ex4";
}

std::vector<std::wstring> FallbackExpertsMasks(SignalRole role, bool traditionalChinese) {
  std::vector<std::wstring> masks;
  if (role == kRoleProvider) {
    masks.push_back(L"*Handan*.ex4");
    // A Traditional Chinese interface may be given a package named in Simplified or English.
    if (traditionalChinese) masks.push_back(L"*喊单*.ex4;*Provider*.ex4");
  } else if (role == kRoleReceiver) {
    masks.push_back(L"*交易系统*.ex4");
    masks.push_back(L"*Gendan*.ex4");
    if (traditionalChinese) masks.push_back(L"*跟单*.ex4;*Receiver*.ex4");
  }
  return masks;
}

std::wstring SimplifiedFolderName(std::wstring name) {
  for (wchar_t& c : name) {
    if (c == L'單') c = L'单';
    if (c == L'統') c = L'统';
  }
  return name;
}

std::wstring CopierLibrariesMask() {
  static constexpr hidden::Text kMask(L"orbix.dll;orbixw.dll;orbix.lib;orbixw.lib");
  return hidden::Decode(kMask.Stored());
}

bool IsEaFileName(const std::wstring& fileName) { return ToLower(FileExtensionOf(fileName, true)) == L".ex4"; }

std::wstring RoleEaNameOf(const std::wstring& eaPath) {
  const std::wstring name = FileNameOf(eaPath, true);
  return name.size() < 4 ? std::wstring() : name.substr(0, name.size() - 4);
}
