#include "charts/chart_files.h"

#include "charts/chart_text.h"
#include "charts/order_text.h"
#include "common/file_ctrl.h"

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

bool MoveInFolder(const std::wstring& folder, const std::wstring& from, const std::wstring& to) {
  return g_files.MoveFileTo(InFolder(folder, from), InFolder(folder, to), true) == kCopyDone;
}

}  // namespace

std::optional<std::wstring> ReadChartText(const std::wstring& path) {
  if (!Editable(path)) return std::nullopt;
  std::optional<std::wstring> text = g_files.TryReadTextFile(path);
  if (!text || text->find(L"symbol=") != std::wstring::npos) return text;
  std::optional<std::wstring> wide = g_files.ReadUtf16TextFile(path);
  if (!wide) return std::nullopt;
  return wide->find(L"symbol=") != std::wstring::npos ? wide : text;
}

std::optional<std::wstring> ReadOrderText(const std::wstring& path) {
  if (!Editable(path)) return std::nullopt;
  const std::optional<std::wstring> text = g_files.TryReadTextFile(path);
  return text && NeedsUtf16Reread(*text) ? g_files.ReadUtf16TextFile(path) : text;
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

std::wstring ApplyMoves(const std::wstring& profileFolder, const std::vector<ChartMove>& moves) {
  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (MoveInFolder(profileFolder, moves[i].from, moves[i].to)) continue;
    // A half-done swap or shift would leave a chart under the temporary name or a gap.
    UndoMoves(profileFolder, {moves.begin(), moves.begin() + static_cast<std::ptrdiff_t>(i)});
    return moves[i].from;
  }
  return L"";
}

void UndoMoves(const std::wstring& profileFolder, const std::vector<ChartMove>& moves) {
  for (auto move = moves.rbegin(); move != moves.rend(); ++move) MoveInFolder(profileFolder, move->to, move->from);
}

}  // namespace chart_files
