// What recording costs an install: a 50 MB package over 10 terminals that hold an older
// version, installed in one run with and without records. Not a test; run by hand:
//   wine build/bin/record_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/file_ctrl.h"
#include "common/product.h"
#include "common/winmsg.h"
#include "deploy/install_mode.h"
#include "deploy/package_folder.h"
#include "deploy/run_record.h"
#include "engine/terminal_runs.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int kTerminals = 10;
constexpr int kRounds = 5;
constexpr std::size_t kPackageBytes = 50u << 20;

class Yes : public RunPolicy {
 public:
  bool MayCloseTerminal() override { return true; }
  bool MayUpdateTerminals() override { return true; }
  void Notify(const std::wstring&) override {}
  bool StopRequested() override { return false; }
};

std::string Bytes(unsigned state) {
  std::string bytes(kPackageBytes, '\0');
  for (char& c : bytes) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>(state >> 16);
  }
  return bytes;
}

// Each terminal back on the older version, as the record would leave it.
void PutOlderVersion(const std::vector<std::wstring>& terminals, const std::string& older) {
  for (const std::wstring& terminal : terminals) {
    RemoveTree(terminal + L"MQL4");
    WriteBytes(terminal + L"MQL4\\libraries\\orbix.dll", older);
    WriteBytes(terminal + L"MQL4\\experts\\Copier.ex4", "older compiled");
  }
}

double InstallSeconds(const std::vector<std::wstring>& terminals, const InstallJob& job) {
  Yes policy;
  RunObserver observer;
  const auto start = std::chrono::steady_clock::now();
  RunInstall(terminals, job, policy, observer);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
  g_lang.FillTables();
  TempFolder package, data;
  WriteBytes(package / L"libraries\\orbix.dll", Bytes(1));
  WriteBytes(package / L"experts\\Copier.ex4", "compiled");
  const std::string older = Bytes(2);
  std::vector<std::unique_ptr<TempFolder>> folders;
  std::vector<std::wstring> terminals;
  for (int i = 0; i < kTerminals; ++i) {
    folders.push_back(std::make_unique<TempFolder>());
    terminals.push_back(folders.back()->Path());
  }
  InstallJob job;
  job.source = SourceOf(CPackage(package.Path(), kReceiverOnly), kRoleReceiver);
  job.roleWord = L"Receiver";
  std::vector<double> plain, recorded;
  for (int round = 0; round < kRounds; ++round) {
    PutOlderVersion(terminals, older);
    g_product.dataFolder.clear();
    plain.push_back(InstallSeconds(terminals, job));
    PutOlderVersion(terminals, older);
    g_product.dataFolder = data.Path();
    recorded.push_back(InstallSeconds(terminals, job));
  }
  const auto start = std::chrono::steady_clock::now();
  for (const std::wstring& terminal : terminals) FileDigest(terminal + L"MQL4\\libraries\\orbix.dll");
  const double digests = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const std::wstring newest = TerminalRecords(terminals[0]).back();
  const double again = InstallSeconds(terminals, job);
  std::ranges::sort(plain);
  std::ranges::sort(recorded);
  const double a = plain[kRounds / 2], b = recorded[kRounds / 2];
  std::printf("package %zu MB over %d terminals holding an older version, median of %d\n", kPackageBytes >> 20,
              kTerminals, kRounds);
  std::printf("install without records: %.3f s\n", a);
  std::printf("install with records:    %.3f s (%.2fx)\n", b, b / a);
  std::printf("digests of the 10 libraries alone: %.3f s\n", digests);
  std::printf("the same install again, nothing to change: %.3f s, %s\n", again,
              TerminalRecords(terminals[0]).back() == newest ? "no new record" : "A NEW RECORD");
  return 0;
}
