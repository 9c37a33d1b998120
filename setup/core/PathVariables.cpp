#include "PathVariables.h"

#include <windows.h>

#include <cwchar>

#include "Log.h"
#include "ProfileText.h"

using profile_text::ReplaceAll;

namespace {

std::wstring Hex4(std::uint32_t value) {
    wchar_t buffer[16];
    swprintf(buffer, 16, L"%04X", value);
    return buffer;
}

bool Given(const wchar_t* text) { return text != nullptr && *text != L'\0'; }

}  // namespace

void ExpandPathVariables(std::wstring& text, const PATH_VARIABLES& v, const LANGUAGE_OVERRIDE* language) {
    if (text.find(L'$') == std::wstring::npos) return;
    const bool hasLanguage = language != nullptr;
    ReplaceAll(text, L"$LANG_ABBR$",
               hasLanguage && Given(language->abbreviation) ? language->abbreviation : v.languageAbbreviation);
    ReplaceAll(text, L"$ORG_LANG_ABBR$", v.requestedLanguageAbbreviation);
    ReplaceAll(text, L"$SRC_DIR$", v.sourceDirectory);
    ReplaceAll(text, L"$DEST_DIR$", v.destinationDirectory);
    ReplaceAll(text, L"$DEST_INST_DIR$", v.installDirectory);
    ReplaceAll(text, L"$WIN_DIR$", v.windowsDirectory);
    ReplaceAll(text, L"$SYS_DIR$", v.systemDirectory);
    ReplaceAll(text, L"$INF_DIR$", v.infDirectory);
    ReplaceAll(text, L"$OS_DIR$", v.osDirectory);
    ReplaceAll(text, L"$PROGRAM_FILES_DIR$", v.programFilesDirectory);
    ReplaceAll(text, L"$LANG_DIR$",
               hasLanguage && Given(language->directory) ? language->directory : v.languageDirectory);
    ReplaceAll(text, L"$ORG_LANG_DIR$", v.requestedLanguageDirectory);
    ReplaceAll(text, L"$DATA_FILE$", v.dataFile);
    ReplaceAll(text, L"$CONFIG_FILE$", v.configFile);
    ReplaceAll(text, L"$STRING_FILE$", v.stringFile);
    ReplaceAll(text, L"$VERSION$", v.version);
    ReplaceAll(text, L"$INSTALLER_EXE$", v.installerExe);
    ReplaceAll(text, L"$IP$", v.ip);
    ReplaceAll(text, L"$STRING_FILE_NAME$", v.stringFileName);
    ReplaceAll(text, L"$PORT$", v.port);
    ReplaceAll(text, L"$LCID$", Hex4(hasLanguage && language->languageId != 0 ? language->languageId : v.languageId));
    ReplaceAll(text, L"$ORG_LCID$", Hex4(v.requestedLanguageId));
    ReplaceAll(text, L"$BOOL_INSTALLED$", v.installed ? L"1" : L"0");
    ReplaceAll(text, L"$BOOL_!INSTALLED$", v.installed ? L"0" : L"1");
}

std::wstring ResolveFilePath(const std::wstring& given, const std::wstring& sourceDirectory, bool mustExist) {
    // $SRC_DIR$ is put in first: a path that starts with it is a whole path, not
    // one to join to the source directory a second time.
    std::wstring path = given;
    ReplaceAll(path, L"$SRC_DIR$", sourceDirectory);
    std::wstring result;
    if ((path.size() == 2 && path[1] == L':') || (path.size() >= 3 && path.compare(1, 2, L":\\") == 0) || path.rfind(L"\\", 0) == 0) {
        result = path;
    } else if (path.rfind(L"..", 0) == 0) {
        result = sourceDirectory.substr(0, sourceDirectory.find_last_of(L'\\')) + path.substr(2);
    } else if (path.rfind(L".", 0) == 0) {
        result = sourceDirectory + path.substr(1);
    } else {
        result = sourceDirectory + L"\\" + path;
    }
    if (mustExist) {
        HANDLE file = CreateFileW(result.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            GlobalLog().Print(L"(%ls) file does not exist.", result.c_str());
            return std::wstring();
        }
        CloseHandle(file);
    }
    return result;
}
