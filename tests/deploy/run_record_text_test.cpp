#include <gtest/gtest.h>

#include <string>

#include "common/content_digest.h"
#include "deploy/run_record_text.h"

namespace {

RunManifest TwoChanges() {
  RunManifest manifest{L"install", true, {L"D:\\MT4\\", L"C:\\Data\\ABC\\"}, {}};
  manifest.changes.push_back({0, L"MQL4\\libraries\\orbix.dll", RecordAction::kReplaced, L"11:00000000000000ff",
                              L"12:0123456789abcdef", L"1"});
  manifest.changes.push_back({1, L"profiles\\default\\chart01.chr", RecordAction::kCreated, kNoFile, kNotYetKnown, L""});
  return manifest;
}

TEST(RunRecordTextTest, AManifestReadsBackAndNoPathLeavesItsRoot) {
  const RunManifest manifest = TwoChanges();
  const std::optional<RunManifest> back = DecodeManifest(EncodeManifest(manifest));
  ASSERT_TRUE(back);
  EXPECT_EQ(EncodeManifest(*back), EncodeManifest(manifest));
  EXPECT_TRUE(back->complete);
  ASSERT_EQ(back->changes.size(), 2u);
  EXPECT_EQ(back->changes[1].path, L"profiles\\default\\chart01.chr");

  const std::wstring text = EncodeManifest(manifest);
  EXPECT_FALSE(DecodeManifest(text.substr(0, text.size() - 4))) << "a manifest cut off mid-write";
  for (const wchar_t* path : {L"..\\..\\Windows\\x.dll", L"C:\\x", L"\\x", L"a\\.\\b", L"a\\\\b", L"a\\"}) {
    RunManifest bad = manifest;
    bad.changes[0].path = path;
    EXPECT_FALSE(DecodeManifest(EncodeManifest(bad))) << path;
  }
  RunManifest copyOutside = manifest;
  copyOutside.changes[0].copy = L"..\\1";
  EXPECT_FALSE(DecodeManifest(EncodeManifest(copyOutside)));
}

TEST(RunRecordTextTest, TheDigestDoesNotDependOnHowTheBytesAreFed) {
  std::string bytes(1000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  ContentDigest whole, pieces, other;
  whole.Add(bytes.data(), bytes.size());
  for (std::size_t i = 0; i < bytes.size(); i += 13) pieces.Add(bytes.data() + i, std::min<std::size_t>(13, bytes.size() - i));
  bytes[500] ^= 1;
  other.Add(bytes.data(), bytes.size());
  EXPECT_EQ(whole.Text(), pieces.Text());
  EXPECT_NE(whole.Text(), other.Text());
  EXPECT_EQ(whole.Text().substr(0, 5), L"1000:");
}

}  // namespace
