#pragma once
// Carrying a component's record from the installing root to the installed
// root, where later runs and the removal look for what is installed.

#include <string>

class CRegistryRoots;

// Copies the record "<installing root>\Items\<name>" (values only) to the
// installed root when the installer library marked the component installed
// (DWORD InstallNow = 2) and the record tells how to remove it: a non-empty
// UninstCmd, or, without UninstCmd, an Uninstall_Value_Name whose value under
// the uninstall-information root is not empty. True when it was copied.
bool CarryInstalledRecord(const CRegistryRoots& roots, const std::wstring& name);

// CarryInstalledRecord for every record under "<installing root>\Items", and
// every shortcut record under "<installing root>\Shortcut": what a run that
// did not end had installed. The number of component records carried.
int CarryAllInstalledRecords(const CRegistryRoots& roots);
