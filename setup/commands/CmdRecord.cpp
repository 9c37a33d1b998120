#include "CmdRecord.h"

#include "ProfileText.h"

CMD_RECORD MakeCmdRecord(std::wstring type, std::wstring p1, std::wstring p2, std::wstring p3, std::wstring p4,
                         std::wstring p5) {
    CMD_RECORD record{{std::move(type), std::move(p1), std::move(p2), std::move(p3), std::move(p4), std::move(p5)}};
    for (std::wstring& field : record.fields) {
        if (field.size() >= CMD_RECORD::kFieldChars) field.resize(CMD_RECORD::kFieldChars - 1);
    }
    return record;
}

CMD_RECORD ParseCmdLine(const std::wstring& line) {
    const std::size_t equals = line.find(L'=');
    std::wstring type(profile_text::TrimBlanks(std::wstring_view(line).substr(0, equals)));
    std::array<std::wstring, 3> params;
    if (equals != std::wstring::npos) {
        std::wstring_view rest = std::wstring_view(line).substr(equals + 1);
        for (std::wstring& param : params) {
            const std::size_t comma = rest.find(L',');
            param = std::wstring(profile_text::TrimBlanks(rest.substr(0, comma)));
            if (comma == std::wstring_view::npos) break;
            rest.remove_prefix(comma + 1);
        }
    }
    return MakeCmdRecord(std::move(type), std::move(params[0]), std::move(params[1]), std::move(params[2]));
}
