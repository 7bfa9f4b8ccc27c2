#pragma once
#include <string>

// Whether a package file and its target hold the same bytes, decided as the digest
// comparison would: a missing, unreadable or empty file and a folder all count as empty,
// and two empty ones are equal. Sizes are compared first, then the bytes.
bool FilesEqualForDeploy(const std::wstring& source, const std::wstring& target);

// The terminal's own experts.ini is never replaced by a package copy.
bool KeepsExistingTarget(const std::wstring& targetFile);

// Copies sourceFile over targetFile unless they are equal (copy result 1 without copying)
// or the target is kept. copied tells whether a copy was attempted.
int CopyForDeploy(const std::wstring& sourceFile, const std::wstring& targetFile, bool overwrite,
                  bool* copied = nullptr);
