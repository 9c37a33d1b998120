// Stands for a component's own installer: appends its arguments to a marker
// file and exits with the code it is given.
//   installer_exit_with.exe <exit code> <marker file> [more arguments]
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 100;
    FILE* marker = _wfopen(argv[2], L"ab");
    if (marker != nullptr) {
        for (int i = 1; i < argc; ++i) fprintf(marker, "%ls%s", argv[i], i + 1 < argc ? " " : "\r\n");
        fclose(marker);
    }
    return static_cast<int>(std::wcstol(argv[1], nullptr, 10));
}
