#pragma once
// Taking back the newest entry of a history list, for a caller that recorded
// something before creating it and then could not create it.

#include <windows.h>

// Removes the last entry of the list of |kind| under |key| (the default key
// when null or empty) when it still reads |text| (for a file, as recorded:
// CInstHistory::FileEntryText), and lowers the count by one. An entry that
// another writer has added since is left alone. 0 when the entry was taken
// back, 2 when the last entry is not |text| or the list is empty, 87 for bad
// arguments, and the system's registry codes as they come.
DWORD WithdrawHistoryRecord(const wchar_t* text, DWORD kind, const wchar_t* key = nullptr);
