#pragma once
// Creates the shortcuts of an installation: the installer library makes each
// link from its record, and a link the record marks for deletion enters the
// installing history, so that a removal deletes it again.

#include <string>
#include <vector>

class CSetupContext;

// For each shortcut section (in order) that applies to this system and
// language: MyCreateShortCut on its record "<installing root>\Shortcut\<name>".
// Always true: a shortcut that cannot be made is logged by the library only.
bool CreateShortcuts(CSetupContext& context, const std::vector<std::wstring>& sections);
