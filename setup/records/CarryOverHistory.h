#pragma once
// Carrying an installation history from one key to another: the installing
// history becomes part of the installed history once an installation is
// confirmed.

#include <windows.h>

// Appends every entry of |source| to |target| (both under HKEY_LOCAL_MACHINE)
// as CInstHistory::Record does, list by list in the order registry values,
// registry keys, files, directories, destination directories, shortcuts, and
// within a list from entry 0 up; an entry that cannot be read is skipped, a
// list without a count adds nothing. Then deletes |source| with its sub-keys
// and the parents it leaves empty (CRegistry::DeleteKey, not only this key).
//
// 87 for an absent or empty key, or a target equal to the source (the
// deletion would lose what was carried). When an entry cannot be written to
// the target the source is kept, so nothing is lost, and the error is
// returned. Otherwise the result of the deletion (2 when the source did not
// exist).
DWORD CarryOverHistory(const wchar_t* source, const wchar_t* target);
