#include "StartSection.h"

#include <vector>

namespace {

struct Candidate {
    const wchar_t* section;
    int mode;
};

std::vector<Candidate> CandidatesFor(int mode, bool fixedDrive) {
    switch (mode) {
        case 3:
            return {{fixedDrive ? L"REINST_START_INFO_CD" : L"REINST_START_INFO_LOCAL", 5},
                    {L"REINST_START_INFO", 3},
                    {L"UNINST_START_INFO", 2},
                    {L"INSTALL_START_INFO", 1}};
        case 2:
            return {{L"UNINST_START_INFO", 2},
                    {L"REINST_START_INFO", 3},
                    fixedDrive ? Candidate{L"REINST_START_INFO_CD", 5} : Candidate{L"REINST_START_INFO_LOCAL", 4},
                    {L"INSTALL_START_INFO", 1}};
        case 6:
            return {{L"DELETEALL_START_INFO", 6},
                    {L"REINST_START_INFO", 3},
                    {L"UNINST_START_INFO", 2},
                    {L"INSTALL_START_INFO", 1}};
        default:
            return {{L"INSTALL_START_INFO", 1}};
    }
}

}  // namespace

START_CHOICE ChooseStartSection(const START_FACTS& facts,
                                const std::function<bool(const std::wstring&, std::wstring&)>& resolve,
                                const std::function<bool(const std::wstring&)>& exists) {
    START_CHOICE choice;
    int mode = 1;
    if ((facts.someItemInstalled && facts.requestedMode == 1) || facts.requestedMode == 3) {
        if (facts.languageRecorded) {
            choice.installed = true;
            if (facts.maintenanceOn && !facts.network) mode = 3;
        }
    }
    if (facts.requestedMode != 1) mode = facts.requestedMode;

    choice.mode = 0;
    for (const Candidate& candidate : CandidatesFor(mode, facts.fixedDrive)) {
        std::wstring section;
        if (resolve(candidate.section, section)) {
            choice.section = section;
            choice.mode = candidate.mode;
            break;
        }
    }
    if (choice.mode == 1 && facts.vodaGiven && exists(choice.section + L".VODA")) choice.section += L".VODA";
    return choice;
}
