// Feeds arbitrary bytes, read as UTF-16 LE units, to the profile reader and
// to every lookup, substitution and edit that works on what it read.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ConfigReader.h"
#include "Profile.h"
#include "ProfileEditor.h"
#include "ProfileFile.h"
#include "ProfileReader.h"
#include "SectionList.h"

namespace {

std::wstring Units(const std::uint8_t* data, std::size_t size) {
    std::wstring units(size / 2, L'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return units;
}

class CFuzzProfile : public CProfile {
public:
    using CProfile::ConvertDefinedString;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring units = Units(data, size);

    CSectionList list;
    ParseProfileText(units, list);
    CStringSink sink;
    list.SaveFile(sink);
    CSectionList again;
    ParseProfileText(sink.text, again);

    // Walk every entry through the typed readers of a profile on disk.
    static const std::wstring path = [] {
        char name[] = "/tmp/qs-profile-fuzz-XXXXXX";
        const int fd = mkstemp(name);
        if (fd >= 0) close(fd);
        return std::wstring(name, name + sizeof name - 1);
    }();
    ReplaceFileUnits(path, units);
    CConfigReader reader;
    reader.Load(path.c_str(), path.c_str(), path.c_str(), true);
    std::wstring text;
    std::vector<std::wstring> entries;
    for (const SECTION_LIST* section = list.FindSection(); section; section = section->next) {
        reader.GetAllEntries(section->name.c_str(), entries, true);
        for (const LINE_LIST* line = section->lines; line; line = line->next) {
            reader.GetString(section->name.c_str(), line->key.c_str(), text, true);
            std::uint32_t number;
            PROFILE_RECT rect;
            reader.GetNumber(section->name.c_str(), line->key.c_str(), number);
            reader.GetRectangle(section->name.c_str(), line->key.c_str(), rect);
        }
        reader.ResolveSection(section->name.c_str(), text);
    }
    wchar_t names[256];
    reader.Main().GetSectionName(names, 256, false);

    if (!units.empty()) {
        const std::size_t cut = units[0] % (units.size() + 1);
        const std::wstring section = units.substr(0, cut / 2);
        EditProfileText(units, section, units.substr(cut / 2, cut - cut / 2), units.substr(cut));
        text = units;
        CFuzzProfile().ConvertDefinedString(text, 8192, true);
    }
    return 0;
}
