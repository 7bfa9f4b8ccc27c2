#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The manifest of a run's record: what the run changed in a terminal, in order, with the
// digests before and after. Text only; the record's files live beside it.

enum class RecordAction { kCreated, kReplaced, kDeleted, kEdited };

// Digest texts besides "<size>:<hash>".
inline constexpr wchar_t kNoFile[] = L"-";
inline constexpr wchar_t kNotYetKnown[] = L"?";

struct RecordChange {
  std::size_t root = 0;  // index into RunManifest::roots
  std::wstring path;     // relative to the root
  RecordAction action = RecordAction::kCreated;
  std::wstring before;
  std::wstring after;  // kNotYetKnown while the run is going
  std::wstring copy;   // the record's file holding the content before, "" for none
};

struct RunManifest {
  std::wstring kind;  // "install", "uninstall", "update", "restore"
  bool complete = false;
  std::vector<std::wstring> roots;  // with trailing backslashes
  std::vector<RecordChange> changes;
};

std::wstring EncodeManifest(const RunManifest& manifest);
// Nothing for text that is not a whole manifest; never a path that leaves its root.
std::optional<RunManifest> DecodeManifest(std::wstring_view text);
// No drive, no leading separator, no "." or ".." piece, no character a file name cannot hold.
bool IsSafeRelativePath(std::wstring_view path);
