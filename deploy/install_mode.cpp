#include "deploy/install_mode.h"

#include <initializer_list>

namespace {

bool ContainsAny(std::wstring_view text, std::initializer_list<std::wstring_view> words) {
  for (std::wstring_view word : words) {
    if (text.find(word) != std::wstring_view::npos) return true;
  }
  return false;
}

}  // namespace

InstallMode InstallModeFromPath(std::wstring_view installerPath) {
  InstallMode mode = kBothRoles;
  if (ContainsAny(installerPath, {L"安装喊单", L"安裝喊單", L"Provider"})) mode = kProviderOnly;
  if (ContainsAny(installerPath, {L"安装跟单", L"安裝跟單", L"Receiver", L"安装交易"})) mode = kReceiverOnly;
  return mode;
}
