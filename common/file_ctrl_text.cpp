#include "common/file_ctrl.h"

#include <algorithm>

#include "common/change_watch.h"
#include "common/path_text.h"
#include "common/unique_handle.h"

namespace {

constexpr char kUtf16Mark[] = "\xFF\xFE";

// A read that fails midway is a failed read: half a chart must never be written back.
bool ReadToEnd(HANDLE file, std::string& bytes, DWORD limit) {
  char buffer[10240];
  for (DWORD read = 0; bytes.size() < limit; bytes.append(buffer, read)) {
    if (!ReadFile(file, buffer, sizeof(buffer), &read, nullptr)) return false;
    if (read == 0) break;
  }
  return true;
}

bool ReadAllBytes(const std::wstring& path, std::string& bytes, DWORD limit = MAXDWORD) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && ReadToEnd(file.Get(), bytes, limit);
}

bool HasUtf16Mark(const std::string& bytes) {
  return bytes.size() >= 2 && bytes.compare(0, 2, kUtf16Mark) == 0 &&
         (bytes.size() < 3 || static_cast<unsigned char>(bytes[2]) != 0xFF);
}

std::wstring FromUtf16(const std::string& bytes, std::size_t start) {
  std::wstring text((bytes.size() - std::min(start, bytes.size())) / 2, L'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[start + 2 * i]) |
                                   static_cast<unsigned char>(bytes[start + 2 * i + 1]) << 8);
  }
  return text;
}

std::string ToUtf16(const std::wstring& text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

// No ANSI text holds a zero byte, so one near the start means UTF-16 even without a mark.
bool IsUtf16File(const std::wstring& path) {
  std::string head;
  if (!ReadAllBytes(path, head, 4096)) return false;
  return HasUtf16Mark(head) || head.find('\0') != std::string::npos;
}

std::wstring FromCodePage(const std::string& bytes, UINT codePage) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring text(length, L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), length);
  return text;
}

std::wstring FromAnsi(const std::string& bytes) { return FromCodePage(bytes, CP_ACP); }

std::string ToAnsi(const std::wstring& text, DWORD flags, BOOL* usedDefault) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, usedDefault);
  if (length <= 0) return {};
  std::string bytes(length, '\0');
  WideCharToMultiByte(CP_ACP, flags, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

// Nothing when a character has no exact form in the code page: a best fit or "?" would change
// an input's name.
std::optional<std::string> ToAnsiExactly(const std::wstring& text) {
  if (text.empty()) return std::string();
  // The UTF-8 code page holds every character, but takes neither flag nor default.
  if (GetACP() == CP_UTF8) return ToAnsi(text, 0, nullptr);
  BOOL usedDefault = FALSE;
  std::string bytes = ToAnsi(text, WC_NO_BEST_FIT_CHARS, &usedDefault);
  if (usedDefault || bytes.empty()) return std::nullopt;
  return bytes;
}

std::string WholeFileBytes(const std::wstring& path, const std::wstring& text) {
  std::optional<std::string> ansi;
  if (!IsUtf16File(path)) ansi = ToAnsiExactly(text);
  return ansi ? *ansi : kUtf16Mark + ToUtf16(text);
}

std::string AppendedBytes(const std::wstring& path, const std::wstring& text) {
  if (IsUtf16File(path)) return ToUtf16(text);
  // Characters an ANSI file cannot hold become the code page's default character there.
  if (g_files.GetFileLength(path) > 0) return ToAnsi(text, 0, nullptr);
  return WholeFileBytes(path, text);
}

std::wstring TextOf(const std::string& bytes) { return HasUtf16Mark(bytes) ? FromUtf16(bytes, 2) : FromAnsi(bytes); }

bool AppendBytes(const std::wstring& path, const std::string& bytes) {
  NoteChange(path, FileChange::kEdit);
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER end{};
  return SetFilePointerEx(file.Get(), end, nullptr, FILE_END) &&
         WriteBlock(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

// A failed write leaves the old file whole instead of truncated; the error is left for the caller.
bool ReplaceWithBytes(const std::wstring& path, const std::string& bytes) {
  const DWORD error = ReplaceFileThrough(path, [&bytes](HANDLE file) {
    return WriteBlock(file, bytes.data(), static_cast<DWORD>(bytes.size()));
  });
  SetLastError(error);
  return error == ERROR_SUCCESS;
}

}  // namespace

bool CFileCtrl::MakeUtf16TextFile(const std::wstring& path) const {
  std::string bytes;
  if (!FileExists(path)) return ReplaceWithBytes(path, kUtf16Mark);
  if (!ReadAllBytes(path, bytes)) return false;
  if (HasUtf16Mark(bytes)) return true;
  const bool utf8 = bytes.starts_with("\xEF\xBB\xBF");
  const std::wstring text = utf8 ? FromCodePage(bytes.substr(3), CP_UTF8) : FromAnsi(bytes);
  return ReplaceWithBytes(path, kUtf16Mark + ToUtf16(text));
}

std::wstring CFileCtrl::ReadTextFile(const std::wstring& path) const { return TryReadTextFile(path).value_or(L""); }

std::optional<std::wstring> CFileCtrl::TryReadTextFile(const std::wstring& path) const {
  std::string bytes;
  if (!ReadAllBytes(path, bytes)) return std::nullopt;
  return TextOf(bytes);
}

std::optional<std::string> CFileCtrl::ReadOpenFile(HANDLE file) const {
  std::string bytes;
  if (!ReadToEnd(file, bytes, MAXDWORD)) return std::nullopt;
  return bytes;
}

std::wstring CFileCtrl::TextOfBytes(const std::string& bytes) const { return TextOf(bytes); }

std::string CFileCtrl::AnsiBytesOf(const std::wstring& text) const { return ToAnsi(text, 0, nullptr); }

std::optional<std::wstring> CFileCtrl::ReadUtf16TextFile(const std::wstring& path) const {
  std::string bytes;
  if (!ReadAllBytes(path, bytes)) return std::nullopt;
  std::wstring text = FromUtf16(bytes, 0);
  if (!text.empty() && text.front() == 0xFEFF) text.erase(0, 1);
  return text;
}

bool CFileCtrl::WriteTextFile(const std::wstring& path, const std::wstring& text, bool truncate) const {
  if (path.empty()) return false;
  return truncate ? ReplaceWithBytes(path, WholeFileBytes(path, text)) : AppendBytes(path, AppendedBytes(path, text));
}

bool CFileCtrl::AppendTextLine(const std::wstring& path, const std::wstring& line, bool truncate) const {
  return WriteTextFile(path, line + L"\r\n", truncate);
}
