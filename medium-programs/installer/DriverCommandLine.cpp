#include "DriverCommandLine.h"

#include <cwctype>
#include <cwchar>

namespace installer {

namespace {

bool Blank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring Upper(std::wstring text) {
    for (auto& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

}  // namespace

DRIVER_COMMAND ParseDriverCommand(const std::wstring& line) {
    DRIVER_COMMAND command;
    std::size_t at = 0;
    const std::size_t end = line.size();
    while (at < end) {
        if (line[at] != L'/') {
            if (!Blank(line[at]) && command.unknown.empty()) command.unknown = line.substr(at, 1);
            ++at;
            continue;
        }
        ++at;
        const std::size_t nameStart = at;
        while (at < end && std::iswalpha(line[at])) ++at;
        const std::wstring name = Upper(line.substr(nameStart, at - nameStart));
        std::wstring value;
        bool hasValue = false;
        std::size_t look = at;
        while (look < end && Blank(line[look])) ++look;
        if (look < end && line[look] == L'"') {
            const std::size_t close = line.find(L'"', look + 1);
            value = line.substr(look + 1, (close == std::wstring::npos ? end : close) - look - 1);
            at = close == std::wstring::npos ? end : close + 1;
            hasValue = true;
        } else if (look < end && line[look] != L'/') {
            std::size_t stop = look;
            while (stop < end && !Blank(line[stop])) ++stop;
            value = line.substr(look, stop - look);
            at = stop;
            hasValue = true;
        }
        if (name == L"IP") command.operation = DriverOperation::kInstallPrinter;
        else if (name == L"RP") command.operation = DriverOperation::kReinstallPrinter;
        else if (name == L"UP") command.operation = DriverOperation::kRemovePrinter;
        else if (name == L"IS") command.operation = DriverOperation::kStageScanner;
        else if (name == L"RS") command.operation = DriverOperation::kRestageScanner;
        else if (name == L"US") command.operation = DriverOperation::kRemoveScanner;
        else if (name == L"INF") command.inf = value;
        else if (name == L"I" && hasValue) {
            wchar_t* stop = nullptr;
            const long index = std::wcstol(value.c_str(), &stop, 10);
            if (stop != value.c_str() && *stop == L'\0') command.index = static_cast<int>(index);
            else if (command.unknown.empty()) command.unknown = L"/I " + value;
        } else if (name == L"N") {
            command.driverName = value;
            command.addPrinter = true;
        } else if (name == L"O") command.driverName = value;
        else if (name == L"P") command.port = value;
        else if (command.unknown.empty()) command.unknown = L"/" + name;
        // The operations take no value: a word after one is not theirs.
        if (hasValue && (name == L"IP" || name == L"RP" || name == L"UP" || name == L"IS" || name == L"RS" ||
                         name == L"US") && command.unknown.empty())
            command.unknown = value;
    }
    return command;
}

}  // namespace installer
