#include "ConfigReader.h"

#include "ProfileErrors.h"
#include "ProfileText.h"

using namespace profile_text;

namespace {

constexpr std::uint32_t kValueBuffer = 8192;
constexpr std::uint32_t kEntryBuffer = 8192;

const CConfigContext& DefaultContext() {
    static const CFixedConfigContext context;
    return context;
}

bool IsEmpty(const wchar_t* text) { return text == nullptr || *text == L'\0'; }

}  // namespace

CConfigReader::CConfigReader() : context_(&DefaultContext()) {}

void CConfigReader::SetContext(const CConfigContext* context) { context_ = context ? context : &DefaultContext(); }

bool CConfigReader::Load(const wchar_t* mainFile, const wchar_t* stringsFile, const wchar_t* messageFile, bool escapes) {
    if (!IsEmpty(mainFile)) {
        main_.Create(mainFile, stringsFile);
        mainFile_ = mainFile;
        stringsFile_ = stringsFile ? stringsFile : L"";
        mainLoaded_ = true;
    }
    if (!IsEmpty(messageFile)) {
        messages_.Create(messageFile, stringsFile);
        messageFile_ = messageFile;
        messagesLoaded_ = true;
    }
    escapes_ = escapes;
    return mainLoaded_;
}

bool CConfigReader::ReloadMain(const wchar_t* file) {
    main_.Reload(file, stringsFile_.c_str());
    return true;
}

bool CConfigReader::ReloadMessages(const wchar_t* file) {
    messages_.Reload(file, stringsFile_.c_str());
    messageFile_ = file ? file : L"";
    messagesLoaded_ = true;
    return true;
}

void CConfigReader::Substitute(std::wstring& text, bool expand, const LANGUAGE_OVERRIDE* language) const {
    if (messagesLoaded_) ExpandMessages(text);
    if (expand && !context_->PathVariablesOff()) context_->ExpandPathVariables(text, language);
}

bool CConfigReader::GetString(const wchar_t* section, const wchar_t* key, std::wstring& out, bool expand,
                              const LANGUAGE_OVERRIDE* language) const {
    if (!mainLoaded_) return false;
    std::wstring text;
    if (main_.GetString(section, key, text, kValueBuffer, escapes_) != profile_error::kSuccess) return false;
    Substitute(text, expand, language);
    out = std::move(text);
    return true;
}

void CConfigReader::ExpandMessages(std::wstring& text) const {
    std::size_t open = text.find(L'@');
    std::wstring message;
    while (open != std::wstring::npos) {
        const std::size_t close = text.find(L'@', open + 1);
        if (close == std::wstring::npos) break;
        const std::wstring name = text.substr(open + 1, close - open - 1);
        std::size_t resume = close + 1;
        if (messages_.GetString(L"MESSAGES", name.c_str(), message, kValueBuffer, true) == profile_error::kSuccess) {
            // Every occurrence is replaced; the search goes on after the text put in.
            const std::wstring reference = L"@" + name + L"@";
            std::size_t pos = 0;
            std::wstring result;
            result.reserve(text.size());
            while (true) {
                const std::size_t found = text.find(reference, pos);
                if (found == std::wstring::npos) break;
                result.append(text, pos, found - pos);
                if (found == open) resume = result.size() + message.size();
                result.append(message);
                pos = found + reference.size();
            }
            result.append(text, pos, std::wstring::npos);
            text = std::move(result);
        }
        open = text.find(L'@', resume);
    }
}

bool CConfigReader::GetNumber(const wchar_t* section, const wchar_t* key, std::uint32_t& out) const {
    return main_.GetDword(section, key, &out) == profile_error::kSuccess;
}

bool CConfigReader::GetSize(const wchar_t* section, const wchar_t* key, PROFILE_SIZE& out) const {
    return main_.GetControl(section, key, &out) == profile_error::kSuccess;
}

bool CConfigReader::GetPoint(const wchar_t* section, const wchar_t* key, PROFILE_POINT& out) const {
    return main_.GetControl(section, key, &out) == profile_error::kSuccess;
}

bool CConfigReader::GetColour(const wchar_t* section, const wchar_t* key, std::uint32_t& out) const {
    return main_.GetControl(section, key, &out) == profile_error::kSuccess;
}

bool CConfigReader::GetRectangle(const wchar_t* section, const wchar_t* key, PROFILE_RECT& out) const {
    return main_.GetControl(section, key, &out) == profile_error::kSuccess;
}

bool CConfigReader::GetAllEntries(const wchar_t* section, std::vector<std::wstring>& out, bool expand,
                                  const LANGUAGE_OVERRIDE* language) const {
    std::vector<wchar_t> buffer(kEntryBuffer);
    if (main_.GetAllKey(section, buffer.data(), kEntryBuffer, false) != profile_error::kSuccess) return false;
    out.clear();
    for (const wchar_t* entry = buffer.data(); *entry != L'\0';) {
        std::wstring text(entry);
        entry += text.size() + 1;
        Substitute(text, expand, language);
        out.push_back(std::move(text));
    }
    return true;
}

bool CConfigReader::GetSectionNames(wchar_t* buffer, std::uint32_t size) const {
    return main_.GetSectionName(buffer, size, false) == profile_error::kSuccess;
}

bool CConfigReader::HasSection(const wchar_t* name) const {
    // The names are matched as words of the space-separated list: a name with a
    // space in it never matches, and the name is taken as written.
    if (IsEmpty(name) || std::wstring_view(name).find(L' ') != std::wstring_view::npos) return false;
    const SECTION_LIST* section = main_.MainList().FindSection(name);
    return section != nullptr && EqualsNoCase(section->name, name);
}

bool CConfigReader::ResolveSection(const wchar_t* baseName, std::wstring& out) const {
    if (IsEmpty(baseName) || main_.MainList().FindSection() == nullptr) return false;
    std::vector<std::wstring> qualifiers{context_->OsDefineString(), context_->LanguageAbbreviation()};
    if (context_->NetworkOption()) {
        qualifiers.emplace_back(L"NETWORK");
        if (context_->WirelessOption()) qualifiers.emplace_back(L"WIRELESS");
        if (context_->UsbOnlyOption()) qualifiers.emplace_back(L"USB");
    } else if (context_->UsbOnlyOption()) {
        qualifiers.emplace_back(L"USB");
    }
    const std::size_t n = qualifiers.size();
    for (std::uint32_t mask = (1u << n); mask-- > 0;) {
        std::wstring candidate = baseName;
        for (std::size_t i = 0; i < n; ++i) {
            if (mask & (1u << (n - 1 - i))) {
                candidate += L'.';
                candidate += qualifiers[i];
            }
        }
        candidate = FoldedUpper(candidate);
        if (HasSection(candidate.c_str())) {
            out = std::move(candidate);
            return true;
        }
    }
    return false;
}
