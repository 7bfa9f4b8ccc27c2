#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/change_watch.h"
#include "deploy/run_record_text.h"

// The records of runs over terminals: before a run changes a file under a terminal's install
// or data folder, the file's content is kept and the change listed, so the run can be undone.
// One folder per terminal, named by its data-folder id, one numbered folder per run in it.

inline constexpr std::size_t kRecordsPerTerminal = 3;
inline constexpr std::uint64_t kRecordsBytes = 2ull << 30;

// "records" beside the settings file; "" (no data folder) keeps no record.
std::wstring RecordsFolder();
// The terminal's run folders, oldest first.
std::vector<std::wstring> TerminalRecords(const std::wstring& terminalFolder);
std::optional<RunManifest> ReadManifest(const std::wstring& recordFolder);
// A file's ContentDigest text; kNoFile when it is not there, kNotYetKnown when it cannot be read.
std::wstring FileDigest(const std::wstring& path);
// How many changes of the terminal's newest run were done when that run ended before its last;
// nothing when its newest record is complete or there is none.
std::optional<std::size_t> InterruptedChanges(const std::wstring& terminalFolder);

// Records the changes made on this thread to one terminal while it lives: a run folder made at
// the first change, the manifest written pending before each change and complete at the end.
// Files whose content stays as it was are never told of, so an unchanged run leaves nothing.
class RunRecorder : private ChangeWatch {
 public:
  RunRecorder(const std::wstring& terminalFolder, std::wstring kind);
  ~RunRecorder() override;
  RunRecorder(const RunRecorder&) = delete;
  RunRecorder& operator=(const RunRecorder&) = delete;

 private:
  void BeforeChange(const std::wstring& path, FileChange change) override;
  void Written(const std::wstring& path, const std::wstring& digest) override;
  std::wstring AfterDigest(std::size_t index) const;
  bool Record(const std::wstring& path, std::size_t root, const std::wstring& relative, FileChange change);
  bool Open();
  bool WriteManifest() const;

  ChangeWatch* previous_;
  std::wstring terminalRecords_;
  std::wstring folder_;  // the run's folder once made
  RunManifest manifest_;
  std::map<std::wstring, std::size_t> seen_;  // lower-case path: its change, or none
  // What a copy wrote, and the file's size and write time then: the digest holds while they do.
  struct WrittenStamp {
    std::wstring digest;
    std::uint64_t size = 0;
    std::uint64_t time = 0;
  };
  std::map<std::size_t, WrittenStamp> written_;
  bool busy_ = false;
  bool broken_ = false;
};
