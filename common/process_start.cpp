#include "common/process_start.h"

#include <cstddef>

#include "common/system_library.h"
#include "common/unique_handle.h"

namespace {

// The documented start of the PEB and of its process parameters, in this program's own
// bitness; the same layout from Windows 7 on. A 32-bit process on 64-bit Windows has such
// a native PEB too, which is the one ProcessBasicInformation gives.
struct RemoteText {
  USHORT length;
  USHORT maximumLength;
  PWSTR buffer;
};

struct BasicInformation {
  LONG_PTR exitStatus;
  PVOID pebAddress;
  ULONG_PTR affinityMask;
  LONG_PTR basePriority;
  ULONG_PTR processId;
  ULONG_PTR parentProcessId;
};

struct PebStart {
  BYTE flags[4];
  PVOID mutant;
  PVOID imageBase;
  PVOID loaderData;
  PVOID parameters;
};

struct ParametersStart {
  ULONG maximumLength;
  ULONG length;
  ULONG flags;
  ULONG debugFlags;
  HANDLE console;
  ULONG consoleFlags;
  HANDLE standardHandles[3];
  RemoteText currentFolder;
  HANDLE currentFolderHandle;
  RemoteText dllPath;
  RemoteText imagePath;
  RemoteText commandLine;
};

static_assert(offsetof(ParametersStart, commandLine) == (sizeof(void*) == 8 ? 0x70 : 0x40));
static_assert(offsetof(PebStart, parameters) == (sizeof(void*) == 8 ? 0x20 : 0x10));

using QueryProcess = LONG WINAPI(HANDLE, int, PVOID, ULONG, PULONG);
constexpr int kProcessBasicInformation = 0;

template <typename T>
bool ReadRemote(HANDLE process, const void* address, T& value) {
  SIZE_T read = 0;
  return ReadProcessMemory(process, address, &value, sizeof value, &read) && read == sizeof value;
}

std::optional<std::wstring> ReadRemoteText(HANDLE process, const RemoteText& text) {
  std::wstring value(text.length / sizeof(wchar_t), L'\0');
  SIZE_T read = 0;
  if (value.empty()) return value;
  if (!ReadProcessMemory(process, text.buffer, value.data(), value.size() * sizeof(wchar_t), &read) ||
      read != value.size() * sizeof(wchar_t)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<ProcessStart> ReadProcessStart(DWORD processId) {
  static QueryProcess* const query = SystemFunction<QueryProcess>(L"ntdll.dll", "NtQueryInformationProcess");
  const UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!query || !process) return std::nullopt;
  BasicInformation basic{};
  ULONG size = 0;
  if (query(process.Get(), kProcessBasicInformation, &basic, sizeof basic, &size) < 0 || !basic.pebAddress) {
    return std::nullopt;
  }
  PebStart peb{};
  ParametersStart parameters{};
  if (!ReadRemote(process.Get(), basic.pebAddress, peb) || !ReadRemote(process.Get(), peb.parameters, parameters)) {
    return std::nullopt;
  }
  std::optional<std::wstring> commandLine = ReadRemoteText(process.Get(), parameters.commandLine);
  std::optional<std::wstring> folder = ReadRemoteText(process.Get(), parameters.currentFolder);
  if (!commandLine || !folder || commandLine->empty()) return std::nullopt;
  return ProcessStart{std::move(*commandLine), std::move(*folder)};
}
