#include "deploy/uninstall_text.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto f = FuzzFields(data, size, 8);
  const std::wstring& list = f[0];
  // The list's names joined again give the list without its empty entries.
  std::wstring joined;
  for (const std::wstring& name : SplitFileList(list)) {
    FUZZ_CHECK(!name.empty() && name.find(L'*') == std::wstring::npos);
    joined += name + L"*";
  }
  std::wstring compact;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] != L'*' || (!compact.empty() && compact.back() != L'*')) compact += list[i];
  }
  if (!compact.empty() && compact.back() != L'*') compact += L'*';
  FUZZ_CHECK(joined == compact);

  const std::vector<std::wstring> names(f.begin() + 1, f.end());
  const CopierFileLists lists = BuildCopierFileLists(names, size % 2);
  for (const std::wstring* l : {&lists.libraries, &lists.experts, &lists.templates}) {
    FUZZ_CHECK(l->empty() || l->back() == L'*');
  }
  SignalConfigTwin(list);
  CombineUninstallResults(f[1], f[2]);
  WithInstallerWindowType(list);
  RowTextOf(list);
  return 0;
}
