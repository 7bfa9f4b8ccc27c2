#include "common/path_text.h"

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The last "\", or the last "/" when the text has no backslash.
std::size_t LastSeparator(const std::wstring& path) {
  const std::size_t backslash = path.rfind(L'\\');
  return backslash != std::wstring::npos ? backslash : path.rfind(L'/');
}

// Collapses runs of backslashes; after "|" a leading pair stays, so a network path in a
// "|"-joined list keeps its "\\".
std::wstring CollapseBackslashes(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c != L'\\') {
      out += c;
      continue;
    }
    std::size_t run = 1;
    while (i + run < text.size() && text[i + run] == L'\\') ++run;
    const bool afterBar = !out.empty() && out.back() == L'|';
    out.append(afterBar && run >= 2 ? 2 : 1, L'\\');
    i += run - 1;
  }
  return out;
}

// Both texts come lower-cased. Greedy match that remembers only the last "*": on a mismatch that star takes one more
// character. Earlier stars never need to retry, so the work stays within name length times
// mask length and no mask can stall a folder scan.
bool MatchFrom(const std::wstring& name, const std::wstring& mask) {
  std::size_t n = 0, m = 0;
  std::size_t starMask = std::wstring::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == L'*') {
      starMask = ++m;
      starName = n;
    } else if (m < mask.size() && (mask[m] == L'?' || mask[m] == name[n])) {
      ++n;
      ++m;
    } else if (starMask != std::wstring::npos) {
      m = starMask;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == L'*') ++m;
  return m == mask.size();
}

}  // namespace

std::wstring ParentFolderOf(const std::wstring& path) {
  std::wstring text = path;
  if (!text.empty() && IsSeparator(text.back())) text.pop_back();
  const std::size_t pos = LastSeparator(text);
  if (pos == std::wstring::npos) return {};
  return text.substr(0, pos + 1);
}

std::wstring PathRoot(const std::wstring& path) {
  if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2) + L"\\";
  if (!path.starts_with(L"\\\\")) return {};
  const std::size_t server = path.find(L'\\', 2);
  if (server == std::wstring::npos || server == 2) return {};
  const std::size_t share = path.find(L'\\', server + 1);
  if (share == server + 1 || server + 1 == path.size()) return {};
  return share == std::wstring::npos ? path + L"\\" : path.substr(0, share + 1);
}

std::wstring FileNameOf(const std::wstring& path, bool withExtension) {
  std::wstring text = path;
  while (!text.empty() && IsSeparator(text.back())) text.pop_back();
  const std::size_t pos = LastSeparator(text);
  std::wstring name = pos == std::wstring::npos ? text : text.substr(pos + 1);
  if (!withExtension) {
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
  }
  return name;
}

std::wstring FileExtensionOf(const std::wstring& path, bool withDot) {
  // Only the name counts: a dot in a folder name is no extension.
  const std::wstring name = FileNameOf(path, true);
  const std::size_t dot = name.rfind(L'.');
  if (dot == std::wstring::npos || dot == 0) return {};
  std::wstring extension = ToLower(name.substr(dot + 1));
  return withDot ? L"." + extension : extension;
}

std::wstring NormalizePath(const std::wstring& path) {
  std::wstring rest = Trim(path);
  std::wstring prefix;
  if (rest.size() >= 2 && IsSeparator(rest[0]) && IsSeparator(rest[1]) && rest[0] == rest[1]) {
    prefix = L"\\\\";
    rest = Trim(rest.substr(2));
  }
  for (wchar_t& c : rest) {
    if (c == L'/') c = L'\\';
  }
  return prefix + CollapseBackslashes(rest);
}

std::wstring Trim(const std::wstring& text, const wchar_t* characters) {
  const std::size_t first = text.find_first_not_of(characters);
  if (first == std::wstring::npos) return {};
  const std::size_t last = text.find_last_not_of(characters);
  return text.substr(first, last - first + 1);
}

std::vector<std::wstring> SplitMasks(const std::wstring& masks) {
  std::vector<std::wstring> list;
  std::wstring current;
  for (wchar_t c : masks + L";") {
    if (c == L';' || c == L',' || c == L'\xFF0C') {
      current = Trim(current);
      if (!current.empty()) list.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (list.empty()) list.push_back(L"*");
  return list;
}

bool MatchesMask(const std::wstring& anyCaseName, const std::wstring& anyCaseMask) {
  const std::wstring name = ToLower(anyCaseName), mask = ToLower(anyCaseMask);
  if (MatchFrom(name, mask)) return true;
  // "name.*" also takes a name without any dot, as the system's own search does.
  return mask.size() >= 2 && mask.compare(mask.size() - 2, 2, L".*") == 0 &&
         name.find(L'.') == std::wstring::npos && MatchFrom(name, mask.substr(0, mask.size() - 2));
}

std::wstring WithTrailingBackslash(std::wstring path) {
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path;
}

std::vector<std::wstring> SplitAt(const std::wstring& list, wchar_t separator) {
  std::vector<std::wstring> pieces;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(separator, start);
    if (end == std::wstring::npos) end = list.size();
    if (end > start) pieces.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}
