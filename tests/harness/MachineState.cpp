#include "MachineState.h"

#include <windows.h>

#include <algorithm>

#include "LogReader.h"

namespace qs_test {

namespace {
const wchar_t kPrintersKey[] = L"HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers";
}

MachineState MachineState::Take() {
    return {FileSnapshot::Take(L"C:\\"), RegistrySnapshot::Take(L"HKLM\\Software"),
            RegistrySnapshot::Take(kPrintersKey)};
}

std::vector<std::wstring> MachineState::Diff(const MachineState& before, const MachineState& after) {
    std::vector<std::wstring> lines = WithoutTemporaryFiles(FileSnapshot::Diff(before.files, after.files));
    for (const std::wstring& line : RegistrySnapshot::Diff(before.software, after.software)) lines.push_back(line);
    for (const std::wstring& line : RegistrySnapshot::Diff(before.printers, after.printers)) lines.push_back(line);
    return lines;
}

std::vector<std::wstring> WithoutTemporaryFiles(std::vector<std::wstring> lines) {
    std::wstring prefix = TempDirectory().substr(3);  // "users\...\Temp\" without "C:\"
    CharUpperW(prefix.data());
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [&](const std::wstring& line) {
                                   std::wstring upper = line;
                                   CharUpperW(upper.data());
                                   return upper.find(prefix) != std::wstring::npos;
                               }),
                lines.end());
    return lines;
}

}  // namespace qs_test
