#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/file_ctrl.h"
#include "common/unique_handle.h"
#include "deploy/checksum.h"
#include "deploy/file_equality.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(FileMd5, KnownDigestsInLowerCaseHex) {
  TempFolder folder;
  ASSERT_TRUE(WriteBytes(folder / L"abc.bin", "abc"));
  EXPECT_EQ(FileMd5(folder / L"abc.bin"), L"900150983cd24fb0d6963f7d28e17f72");
  // Longer than one read block, so the digest runs over several updates.
  ASSERT_TRUE(WriteBytes(folder / L"million.bin", std::string(1000000, 'a')));
  EXPECT_EQ(FileMd5(folder / L"million.bin"), L"7707d6ae4e027c70eea2a935c2296f21");
}

TEST(FileMd5, EmptyMissingAndFolderGiveNothing) {
  TempFolder folder;
  ASSERT_TRUE(WriteBytes(folder / L"empty.bin", ""));
  EXPECT_EQ(FileMd5(folder / L"empty.bin"), L"");
  EXPECT_EQ(FileMd5(folder / L"missing.bin"), L"");
  EXPECT_EQ(FileMd5(folder.Path()), L"");
  EXPECT_EQ(FileMd5(L""), L"");
}

// Every case must come out as the digest comparison decides it.
TEST(FilesEqualForDeploy, AgreesWithTheDigestRule) {
  TempFolder folder;
  ASSERT_TRUE(WriteBytes(folder / L"a1", std::string(300000, 'x') + "tail"));
  ASSERT_TRUE(WriteBytes(folder / L"a2", std::string(300000, 'x') + "tail"));
  ASSERT_TRUE(WriteBytes(folder / L"b", std::string(300000, 'x') + "tall"));
  ASSERT_TRUE(WriteBytes(folder / L"short", "tail"));
  ASSERT_TRUE(WriteBytes(folder / L"zero1", ""));
  ASSERT_TRUE(WriteBytes(folder / L"zero2", ""));
  ASSERT_TRUE(CreateDirectoryW((folder / L"dir").c_str(), nullptr));
  ASSERT_TRUE(WriteBytes(folder / L"locked", "tail"));
  UniqueHandle lock(CreateFileW((folder / L"locked").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock);

  const struct {
    const wchar_t* source;
    const wchar_t* target;
    bool equal;
  } cases[] = {
      {L"a1", L"a2", true},         {L"a1", L"b", false},        {L"a1", L"short", false},
      {L"short", L"a1", false},     {L"zero1", L"missing", true}, {L"zero1", L"zero2", true},
      {L"missing", L"zero1", true}, {L"missing", L"other", true}, {L"dir", L"zero1", true},
      {L"dir", L"missing", true},   {L"short", L"dir", false},   {L"short", L"missing", false},
      {L"locked", L"missing", true}, {L"short", L"locked", false}, {L"a1", L"a1", true},
  };
  for (const auto& c : cases) {
    const std::wstring source = folder / c.source;
    const std::wstring target = folder / c.target;
    const bool digestsEqual = FileMd5(source) == FileMd5(target);
    ASSERT_EQ(digestsEqual, c.equal) << "table entry " << source.c_str() << " " << target.c_str();
    EXPECT_EQ(FilesEqualForDeploy(source, target), c.equal) << source.c_str() << " " << target.c_str();
  }
}

// The comparison falls back on the digests when a read breaks off: two that failed are no match.
TEST(FileMd5, AFailedDigestMatchesNothing) {
  TempFolder folder;
  ASSERT_TRUE(WriteBytes(folder / L"package", "build 2"));
  ASSERT_TRUE(WriteBytes(folder / L"terminal", "build 1"));
  ASSERT_TRUE(WriteBytes(folder / L"copy", "build 2"));
  EXPECT_TRUE(SameDigest(folder / L"package", folder / L"copy"));
  EXPECT_FALSE(SameDigest(folder / L"package", folder / L"terminal"));
  std::vector<UniqueHandle> held;
  for (const wchar_t* name : {L"package", L"terminal"}) {
    held.emplace_back(CreateFileW((folder / name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  }
  EXPECT_FALSE(SameDigest(folder / L"package", folder / L"terminal"));
}

TEST(CopyForDeploy, CopiesOnlyWhatDiffers) {
  TempFolder folder;
  ASSERT_TRUE(WriteBytes(folder / L"pkg\\ea.ex4", "new build"));
  ASSERT_TRUE(WriteBytes(folder / L"pkg\\empty.set", ""));
  bool copied = true;
  EXPECT_EQ(CopyForDeploy(folder / L"pkg\\ea.ex4", folder / L"mt4\\ea.ex4", true, &copied), kCopyDone);
  EXPECT_TRUE(copied);
  EXPECT_EQ(ReadBytes(folder / L"mt4\\ea.ex4"), "new build");
  EXPECT_EQ(CopyForDeploy(folder / L"pkg\\ea.ex4", folder / L"mt4\\ea.ex4", true, &copied), kCopyDone);
  EXPECT_FALSE(copied);
  // An empty package file is still written where none is.
  EXPECT_EQ(CopyForDeploy(folder / L"pkg\\empty.set", folder / L"mt4\\empty.set", true, &copied), kCopyDone);
  EXPECT_TRUE(copied);
  EXPECT_TRUE(FileExists(folder / L"mt4\\empty.set"));
  // A package file held unreadable is a failure, not an empty file already in place.
  UniqueHandle lock(CreateFileW((folder / L"pkg\\ea.ex4").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                nullptr));
  DWORD error = 0;
  EXPECT_EQ(CopyForDeploy(folder / L"pkg\\ea.ex4", folder / L"mt4\\new.ex4", true, &copied, &error), kCopyNoSource);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(FileExists(folder / L"mt4\\new.ex4"));
}

}  // namespace
