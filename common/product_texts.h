#pragma once
#include <array>
#include <string>

// Product texts are kept obfuscated in the program and decoded on each lookup.
namespace product_text {
enum : int {
  kDisplayName = 0,
  kShortName = 1,
  kMaker = 2,
  kHelpAddress = 3,
  kHomeAddress = 4,
  kTraditionalDownload = 5,
  kCopyright = 6,
  kLiteTitle = 7,
  kAboutTitle = 9,
  kVersionLabel = 10,
  kWebsiteLabel = 11,
  kSupportMail = 14,
  kDescription = 15,
  kNoFreeCopyName = 39,
};
}  // namespace product_text

void FillProductTexts(std::array<std::wstring, 360>& table);
std::wstring DecodeProductText(const std::wstring& stored);
