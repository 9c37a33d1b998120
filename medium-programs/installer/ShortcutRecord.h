#pragma once
// Creating a shortcut from its record (what MyCreateShortCut does): the link
// goes into the common programs folder under Folder_Name (Group 0), or onto
// the common desktop (Group 1); its full path is written back into the record
// as "Shortcut_Path", from which setup removes it again.

#include <string>

namespace installer {

// True when the link was created and its path recorded.
bool CreateShortcutFromRecord(const std::wstring& shortcutKey);

}  // namespace installer
