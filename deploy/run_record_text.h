#pragma once
#include <cstddef>
#include <cstdint>
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

// A fast 64-bit digest of a file's bytes, fed in pieces; only to tell contents apart, not
// against anyone forging them.
class ContentDigest {
 public:
  void Add(const char* bytes, std::size_t size);
  // "<size>:<16 hex digits>".
  std::wstring Text() const;

 private:
  void Stripe(const char* bytes);
  std::uint64_t lanes_[4] = {0x60EA27EEADC0B5D6ull, 0xC2B2AE3D27D4EB4Full, 0x0ull, 0x61C8864E7A143579ull};
  std::uint64_t size_ = 0;
  std::string tail_;
};
