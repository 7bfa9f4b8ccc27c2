#pragma once
#include <string>
#include <utility>

// The start-up update's log: one line per event, each starting with the local time, appended
// in the ANSI code page. An empty path writes nothing.
class CUpdateLog {
 public:
  explicit CUpdateLog(std::wstring path) : path_(std::move(path)) {}
  virtual ~CUpdateLog() = default;

  void Start(const std::wstring& storedVersion, const std::wstring& version) const;
  void Skip(const std::wstring& root, const std::wstring& installedVersion) const;
  void File(const std::wstring& path) const;
  void Failed(const std::wstring& path) const;
  void Done(const std::wstring& version) const;
  // Past the limit the log is dropped, so it never grows without end.
  void DeleteIfLarge() const;

 private:
  void Line(const std::wstring& content) const;

  std::wstring path_;
};

inline constexpr double kUpdateLogLimitBytes = 1024000;

// The product code + "_autoupdate.log" in the temporary folder; "" when there is none.
std::wstring UpdateLogPath();
