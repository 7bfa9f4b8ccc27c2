#include "deploy/run_record_text.h"


#include "common/path_text.h"

namespace {

constexpr wchar_t kHeader[] = L"pandrake-record 1";
constexpr const wchar_t* kActions[] = {L"created", L"replaced", L"deleted", L"edited"};
std::vector<std::wstring> Fields(std::wstring_view line) {
  std::vector<std::wstring> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find(L'\t', start);
    fields.emplace_back(line.substr(start, tab == std::wstring_view::npos ? std::wstring_view::npos : tab - start));
    if (tab == std::wstring_view::npos) return fields;
    start = tab + 1;
  }
}

bool IsDigestText(const std::wstring& text) {
  if (text == kNoFile || text == kNotYetKnown) return true;
  const std::size_t colon = text.find(L':');
  if (colon == 0 || colon == std::wstring::npos || text.size() - colon != 17) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    const bool hex = (c >= L'0' && c <= L'9') || (i > colon && c >= L'a' && c <= L'f');
    if (i != colon && !hex) return false;
  }
  return true;
}

std::optional<RecordAction> ActionOf(const std::wstring& word) {
  for (std::size_t i = 0; i < std::size(kActions); ++i) {
    if (word == kActions[i]) return static_cast<RecordAction>(i);
  }
  return std::nullopt;
}

// A copy is named by the record itself: digits only.
bool IsCopyName(const std::wstring& name) {
  if (name.size() > 9) return false;
  for (const wchar_t c : name) {
    if (c < L'0' || c > L'9') return false;
  }
  return true;
}

std::optional<RecordChange> ChangeOf(const std::vector<std::wstring>& f, std::size_t roots) {
  if (f.size() != 7 || f[1].size() != 1 || f[1][0] < L'0' || f[1][0] > L'9') return std::nullopt;
  RecordChange change{static_cast<std::size_t>(f[1][0] - L'0'), f[2], {}, f[4], f[5], f[6]};
  const std::optional<RecordAction> action = ActionOf(f[3]);
  if (!action || change.root >= roots || !IsSafeRelativePath(change.path)) return std::nullopt;
  if (!IsDigestText(change.before) || !IsDigestText(change.after) || !IsCopyName(change.copy)) return std::nullopt;
  change.action = *action;
  return change;
}

bool ApplyLine(const std::vector<std::wstring>& f, RunManifest& manifest) {
  if (f[0] == L"kind" && f.size() == 2) return !(manifest.kind = f[1]).empty();
  if (f[0] == L"state" && f.size() == 2 && (f[1] == L"pending" || f[1] == L"complete")) {
    manifest.complete = f[1] == L"complete";
    return true;
  }
  if (f[0] == L"root" && f.size() == 2 && manifest.roots.size() < 10) {
    manifest.roots.push_back(f[1]);
    return !f[1].empty() && f[1].back() == L'\\';
  }
  if (f[0] != L"change") return false;
  const std::optional<RecordChange> change = ChangeOf(f, manifest.roots.size());
  if (change) manifest.changes.push_back(*change);
  return change.has_value();
}

}  // namespace

bool IsSafeRelativePath(std::wstring_view path) {
  if (path.empty() || path.front() == L'\\' || path.front() == L'/') return false;
  for (const wchar_t c : path) {
    if (c < 0x20 || c == L':' || c == L'/' || c == L'*' || c == L'?' || c == L'"' || c == L'<' || c == L'>' ||
        c == L'|') {
      return false;
    }
  }
  for (const std::wstring& piece : SplitAt(std::wstring(path), L'\\')) {
    if (Trim(piece, L" .").empty()) return false;
  }
  return path.find(L"\\\\") == std::wstring_view::npos && path.back() != L'\\';
}

std::wstring EncodeManifest(const RunManifest& manifest) {
  std::wstring text = std::wstring(kHeader) + L"\nkind\t" + manifest.kind + L"\nstate\t" +
                      (manifest.complete ? L"complete" : L"pending") + L"\n";
  for (const std::wstring& root : manifest.roots) text += L"root\t" + root + L"\n";
  for (const RecordChange& c : manifest.changes) {
    text += L"change\t" + std::to_wstring(c.root) + L"\t" + c.path + L"\t" + kActions[static_cast<int>(c.action)] +
            L"\t" + c.before + L"\t" + c.after + L"\t" + c.copy + L"\n";
  }
  return text + L"end\n";
}

std::optional<RunManifest> DecodeManifest(std::wstring_view text) {
  if (!text.starts_with(kHeader) || !text.ends_with(L"\nend\n") || text[std::size(kHeader) - 1] != L'\n') {
    return std::nullopt;
  }
  RunManifest manifest;
  const std::wstring_view body = text.substr(std::size(kHeader), text.size() - std::size(kHeader) - 4);
  for (std::size_t start = 0; start < body.size();) {
    std::size_t end = body.find(L'\n', start);
    if (end == std::wstring_view::npos) end = body.size();
    if (!ApplyLine(Fields(body.substr(start, end - start)), manifest)) return std::nullopt;
    start = end + 1;
  }
  if (manifest.kind.empty() || manifest.roots.empty()) return std::nullopt;
  return manifest;
}
