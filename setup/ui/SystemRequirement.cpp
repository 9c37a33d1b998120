#include "SystemRequirement.h"

#include <windows.h>

#include <utility>

#include "ConfigReader.h"

namespace {

// Reads a text of the section, expanded and kept to the size of its buffer;
// |text| is left as it is when the key is absent.
void ReadText(const CConfigReader& data, const wchar_t* key, std::wstring& text) {
    std::wstring value;
    if (!data.GetString(CSystemRequirement::kSection, key, value, true)) return;
    if (value.size() >= CSystemRequirement::kTextChars) value.resize(CSystemRequirement::kTextChars - 1);
    text = std::move(value);
}

std::wstring Upper(std::wstring text) {
    if (!text.empty()) CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

bool IsTrimmed(wchar_t c) { return c == L' ' || c == L'"' || c == L'\t'; }

std::wstring Trim(const std::wstring& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsTrimmed(text[first])) ++first;
    while (last > first && IsTrimmed(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// The configured message with its first "%s" replaced by |argument| and "%%"
// by "%". It is never used as a format: any other "%" stays as written.
std::wstring InsertArgument(const std::wstring& message, const std::wstring& argument) {
    std::wstring text;
    bool inserted = false;
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (message[i] == L'%' && i + 1 < message.size()) {
            if (message[i + 1] == L'%') {
                text += L'%';
                ++i;
                continue;
            }
            if (message[i + 1] == L's' && !inserted) {
                text += argument;
                inserted = true;
                ++i;
                continue;
            }
        }
        text += message[i];
    }
    return text;
}

}  // namespace

CSystemRequirement::CSystemRequirement(const CConfigReader& data, REQUIREMENT_FACTS facts,
                                       REQUIREMENT_SYSTEM system)
    : facts_(std::move(facts)), system_(WithSystemDefaults(std::move(system))) {
    present_ = data.HasSection(kSection);
    if (!present_) return;
    std::uint32_t freeSpace = 0;
    if (data.GetNumber(kSection, L"FREE_SPACE", freeSpace)) freeSpace_ = freeSpace;
    ReadText(data, L"UNSUPPORTED_OS", unsupportedOs_);
    ReadText(data, L"MSG_NOT_SUPPORTED_OS", systemMessage_);
    ReadText(data, L"MSG_NO_FREE_SPACE", spaceMessage_);
    ReadText(data, L"MSG_USB_NOT_AVAILABLE", usbMessage_);
}

bool CSystemRequirement::Check(bool usbOnly, bool network) {
    if (!present_) return true;
    if (!CheckFreeSpace(facts_.destinationDir, true)) return false;
    if (IsExcludedSystem()) {
        ShowRequirementMessage(kSystemMessage);
        return false;
    }
    if (usbOnly && !network) {
        std::wstring port;
        if (system_.devicePort(facts_.manufacturer, facts_.model, facts_.vidPid, port) == -1) {
            ShowRequirementMessage(kUsbMessage);
            return false;
        }
    }
    return true;
}

bool CSystemRequirement::CheckFreeSpace(const std::wstring& path, bool showMessage) {
    if (freeSpace_ == 0) return true;
    const std::optional<std::uint64_t> available = system_.freeSpace(path);
    if (!available || *available >= freeSpace_) return true;
    if (showMessage) ShowRequirementMessage(kSpaceMessage);
    return false;
}

void CSystemRequirement::ShowRequirementMessage(int kind) {
    std::wstring text;
    switch (kind) {
    case kSpaceMessage:
        text = InsertArgument(spaceMessage_, std::to_wstring(freeSpace_) + L"MB");
        break;
    case kSystemMessage:
        text = systemMessage_;
        break;
    case kUsbMessage:
        text = usbMessage_;
        break;
    default:
        return;
    }
    system_.showMessage(nullptr, text.c_str(), facts_.programName.c_str(), 0);
}

bool CSystemRequirement::IsExcludedSystem() const {
    const std::wstring system = Upper(facts_.osDefine);
    if (system.empty()) return false;
    const std::wstring list = Trim(Upper(unsupportedOs_));
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find_first_of(L" ,", start);
        if (end == std::wstring::npos) end = list.size();
        const std::wstring piece = Trim(list.substr(start, end - start));
        if (!piece.empty() && piece == system) return true;
        start = end + 1;
    }
    return false;
}
