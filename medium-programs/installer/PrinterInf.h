#pragma once
// What a printer INF says about one of its models: read with the Setup API
// from [Version], [Manufacturer], the model section decorated for this system
// (NTamd64 / NTx86), the model's install section and its CopyFiles lists.

#include <string>
#include <vector>

namespace installer {

struct INF_MODEL {
    std::wstring infPath;
    std::wstring infDirectory;
    std::wstring className;        // [Version] Class
    std::wstring catalogFile;      // [Version] CatalogFile (decorated for this system when given so)
    std::wstring driverName;       // the model's name
    std::wstring installSection;
    std::wstring dataFile;         // DataFile=, DriverFile=, ConfigFile=, HelpFile= (file names)
    std::wstring driverFile;
    std::wstring configFile;
    std::wstring helpFile;
    std::vector<std::wstring> copyFiles;  // every file the CopyFiles lists name
    std::vector<std::wstring> needs;      // Needs= sections of the included system INF (PSCRIPT.OEM, ...)
};

// The INF's [Version] class; empty when the INF cannot be read.
std::wstring InfClass(const std::wstring& infPath);

// The model |driverName| (without regard to case) or, with an empty name, the
// model at |index| (0 when -1) in the order of the INF's model sections.
// False with |error| set when the INF, the model or its install section
// cannot be read.
bool ReadInfModel(const std::wstring& infPath, const std::wstring& driverName, int index, bool system64,
                  INF_MODEL* model, std::wstring* error);

// The names of a system's model-section decorations, best first.
std::vector<std::wstring> ModelDecorations(bool system64);

// True when the running system is 64-bit (a 32-bit process under WOW64 included).
bool SystemIs64Bit();

}  // namespace installer
