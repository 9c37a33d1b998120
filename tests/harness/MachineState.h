#pragma once
// What an installation changes on the machine and a removal must put back:
// the files of drive C: (less the logs and programs' leftovers in the
// temporary folder), the registry's HKLM\Software and the spooler's printers.

#include <string>
#include <vector>

#include "FileSnapshot.h"
#include "RegistrySnapshot.h"

namespace qs_test {

struct MachineState {
    FileSnapshot files;
    RegistrySnapshot software;
    RegistrySnapshot printers;

    static MachineState Take();
    // Every difference, as FileSnapshot::Diff and RegistrySnapshot::Diff give them.
    static std::vector<std::wstring> Diff(const MachineState& before, const MachineState& after);
};

// |lines| without those that name a file of the temporary folder.
std::vector<std::wstring> WithoutTemporaryFiles(std::vector<std::wstring> lines);

}  // namespace qs_test
