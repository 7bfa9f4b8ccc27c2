#pragma once
#include <string>

// The account of the newest journal in the logs folder that names one, or "". A journal once
// read and found without an account is not read again in this run while its size and write time
// stay the same, so the rows of a terminal that never logged in cost a listing of
// its logs folder at each pass instead of a read of every journal.
std::wstring AccountFromJournals(const std::wstring& logsFolder);
