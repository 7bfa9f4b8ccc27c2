#include "common/content_digest.h"
#include "deploy/run_record_text.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text = FuzzText(data, size);
  const std::optional<RunManifest> manifest = DecodeManifest(text);
  if (!manifest) return 0;
  // What was read writes back to a manifest that reads the same, and no path leaves its root.
  const std::wstring again = EncodeManifest(*manifest);
  const std::optional<RunManifest> back = DecodeManifest(again);
  FUZZ_CHECK(back && EncodeManifest(*back) == again);
  for (const RecordChange& change : manifest->changes) {
    FUZZ_CHECK(change.root < manifest->roots.size() && IsSafeRelativePath(change.path));
    FUZZ_CHECK(change.copy.find(L'\\') == std::wstring::npos);
  }
  ContentDigest digest;
  digest.Add(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(digest.Text().starts_with(std::to_wstring(size) + L":"));
  return 0;
}
