#pragma once
// The run mode and the start section of the configuration it starts from.
//
//   0  no start section        4  reinstall from the local copy
//   1  install                 5  reinstall from the medium
//   2  remove                  6  delete everything
//   3  reinstall               7  silent script installation

#include <functional>
#include <string>

struct START_CHOICE {
    int mode = 0;
    std::wstring section;   // empty when the mode is 0
    bool installed = false; // a previous installation is recorded ($BOOL_INSTALLED$)
};

struct START_FACTS {
    int requestedMode = 1;        // from the command line
    bool fixedDrive = false;      // setup runs from a fixed disk
    bool someItemInstalled = false;
    bool languageRecorded = false;  // "LangCode" under the installed root
    bool maintenanceOn = true;
    bool network = false;
    bool vodaGiven = false;
};

// |resolve| resolves a logical section name to its variant (false: none);
// |exists| tells whether a section of exactly that name exists.
START_CHOICE ChooseStartSection(const START_FACTS& facts,
                                const std::function<bool(const std::wstring&, std::wstring&)>& resolve,
                                const std::function<bool(const std::wstring&)>& exists);
