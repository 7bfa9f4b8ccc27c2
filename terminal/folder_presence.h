#pragma once
#include <string>

// A stored folder on an unplugged drive or an offline share is neither there nor gone: its
// row stays so the terminal comes back when the drive does.
enum class FolderPresence { kPresent, kGone, kUnavailable };

FolderPresence PresenceOfFolder(const std::wstring& folder);
