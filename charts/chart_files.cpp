#include "charts/chart_files.h"

#include "charts/chart_text.h"
#include "charts/order_text.h"
#include "common/file_ctrl.h"
#include "common/unique_handle.h"

namespace chart_files {

namespace {

bool Editable(const std::wstring& path) {
  if (!FileExists(path)) return false;
  const double size = g_files.GetFileLength(path);
  return size >= 0 && size <= kMaxEditableBytes;
}

std::wstring InFolder(const std::wstring& folder, const std::wstring& name) {
  return folder + (!folder.empty() && folder.back() == L'\\' ? L"" : L"\\") + name;
}

}  // namespace

std::wstring ReadUtf16Text(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return L"";
  std::string bytes;
  char buffer[10240];
  DWORD read = 0;
  while (ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  std::wstring text(bytes.size() / 2, L'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return text.empty() ? text : text.substr(1);
}

std::optional<std::wstring> ReadChartText(const std::wstring& path) {
  if (!Editable(path)) return std::nullopt;
  std::wstring text = g_files.ReadTextFile(path);
  if (text.find(L"symbol=") == std::wstring::npos) {
    std::wstring wide = ReadUtf16Text(path);
    if (wide.find(L"symbol=") != std::wstring::npos) text = std::move(wide);
  }
  return text;
}

std::optional<std::wstring> ReadOrderText(const std::wstring& path) {
  if (!Editable(path)) return std::nullopt;
  std::wstring text = g_files.ReadTextFile(path);
  return NeedsUtf16Reread(text) ? ReadUtf16Text(path) : text;
}

bool WriteChartFile(const std::wstring& path, const std::wstring& text) {
  return !text.empty() && g_files.WriteTextFile(path, text, true);
}

std::vector<int> ExistingChartNumbers(const std::wstring& profileFolder, int last) {
  std::vector<int> numbers;
  for (int n = 1; n <= last; ++n) {
    if (FileExists(ChartFilePath(profileFolder, n))) numbers.push_back(n);
  }
  return numbers;
}

bool ApplyMoves(const std::wstring& profileFolder, const std::vector<ChartMove>& moves) {
  const auto move = [&profileFolder](const std::wstring& from, const std::wstring& to) {
    return g_files.MoveFileTo(InFolder(profileFolder, from), InFolder(profileFolder, to), true) == kCopyDone;
  };
  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (move(moves[i].from, moves[i].to)) continue;
    // A half-done swap or shift would leave a chart under the temporary name or a gap.
    while (i-- > 0) move(moves[i].to, moves[i].from);
    return false;
  }
  return true;
}

}  // namespace chart_files
