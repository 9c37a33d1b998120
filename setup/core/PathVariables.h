#pragma once
// Path variables: fixed upper-case names between dollar signs ("$SRC_DIR$")
// that configuration values use for the directories, files and settings of
// the running installation, and the resolution of relative file paths
// against the source directory.

#include <cstdint>
#include <string>

#include "ConfigContext.h"

// The current values behind the variables; the setup context keeps them.
// Directories are held without a trailing backslash.
struct PATH_VARIABLES {
    std::wstring languageAbbreviation;           // $LANG_ABBR$
    std::wstring requestedLanguageAbbreviation;  // $ORG_LANG_ABBR$
    std::wstring sourceDirectory;                // $SRC_DIR$
    std::wstring destinationDirectory;           // $DEST_DIR$
    std::wstring installDirectory;               // $DEST_INST_DIR$
    std::wstring windowsDirectory;               // $WIN_DIR$
    std::wstring systemDirectory;                // $SYS_DIR$
    std::wstring infDirectory;                   // $INF_DIR$
    std::wstring osDirectory;                    // $OS_DIR$
    std::wstring programFilesDirectory;          // $PROGRAM_FILES_DIR$
    std::wstring languageDirectory;              // $LANG_DIR$
    std::wstring requestedLanguageDirectory;     // $ORG_LANG_DIR$
    std::wstring dataFile;                       // $DATA_FILE$
    std::wstring configFile;                     // $CONFIG_FILE$
    std::wstring stringFile;                     // $STRING_FILE$
    std::wstring version;                        // $VERSION$
    std::wstring installerExe;                   // $INSTALLER_EXE$
    std::wstring ip;                             // $IP$
    std::wstring stringFileName;                 // $STRING_FILE_NAME$
    std::wstring port;                           // $PORT$
    std::uint32_t languageId = 9;                // $LCID$
    std::uint32_t requestedLanguageId = 9;       // $ORG_LCID$
    bool installed = false;                      // $BOOL_INSTALLED$, $BOOL_!INSTALLED$
};

// Replaces the variables one after the other in a fixed order, each with all
// its occurrences, so that a value put in is searched only for the variables
// that come after its own. The language override stands in for the current
// language in $LANG_ABBR$, $LANG_DIR$ and $LCID$ when it is given and not empty.
void ExpandPathVariables(std::wstring& text, const PATH_VARIABLES& values,
                         const LANGUAGE_OVERRIDE* language = nullptr);

// A path relative to the source directory made whole: drives, absolute paths
// and paths from the root stay; ".." means the source directory's parent and
// "." the source directory. With |mustExist|, a path no file can be read from
// is logged ("(%s) file does not exist.") and gives an empty text.
std::wstring ResolveFilePath(const std::wstring& path, const std::wstring& sourceDirectory, bool mustExist);
