// Redeploying an unchanged package: how long the equality check takes against a plain
// read of the same bytes, and against the digest comparison. Not a test; run by hand:
//   wine build/bin/redeploy_bench.exe
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "common/file_ctrl.h"
#include "common/unique_handle.h"
#include "deploy/checksum.h"
#include "deploy/file_equality.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int kTargets = 10;
constexpr DWORD kPackageBytes = 50u << 20;

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

unsigned long long PlainRead(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  std::vector<char> block(1 << 20);
  unsigned long long total = 0;
  DWORD read = 0;
  while (file && ReadFile(file.Get(), block.data(), static_cast<DWORD>(block.size()), &read, nullptr) && read > 0) {
    total += read;
  }
  return total;
}

std::string PackageBytes() {
  std::string bytes(kPackageBytes, '\0');
  unsigned state = 12345;
  for (char& c : bytes) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>(state >> 16);
  }
  return bytes;
}

}  // namespace

int main() {
  TempFolder folder;
  const std::wstring source = folder / L"package\\signal.dll";
  if (!WriteBytes(source, PackageBytes())) return 1;
  std::vector<std::wstring> targets;
  for (int i = 0; i < kTargets; ++i) {
    targets.push_back(folder / (L"terminal" + std::to_wstring(i) + L"\\MQL4\\libraries\\signal.dll"));
    if (g_files.CopyFileTo(source, targets.back(), true) != kCopyDone) return 1;
  }
  unsigned long long bytes = 0;
  for (const std::wstring& target : targets) bytes += PlainRead(source) + PlainRead(target);  // warms the cache

  int equal = 0;
  const double plain = Seconds([&] {
    for (const std::wstring& target : targets) bytes += PlainRead(source) + PlainRead(target);
  });
  const double compare = Seconds([&] {
    for (const std::wstring& target : targets) equal += FilesEqualForDeploy(source, target);
  });
  const double digest = Seconds([&] {
    for (const std::wstring& target : targets) equal += FileMd5(source) == FileMd5(target);
  });
  std::printf("package %lu MB, %d targets, %d of %d equal\n", static_cast<unsigned long>(kPackageBytes >> 20), kTargets, equal, 2 * kTargets);
  std::printf("plain read of the same bytes: %.3f s\n", plain);
  std::printf("size-then-bytes comparison:   %.3f s (%.2fx the plain read)\n", compare, compare / plain);
  std::printf("digest comparison:            %.3f s (%.2fx the plain read)\n", digest, digest / plain);
  return equal == 2 * kTargets ? 0 : 1;
}
