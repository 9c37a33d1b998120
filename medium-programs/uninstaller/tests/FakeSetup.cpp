// Stands for setup while the uninstaller waits: runs until the file named by
// its argument appears (60 s at most), then ends.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 1;
    for (int waited = 0; waited < 60000; waited += 50) {
        if (GetFileAttributesW(argv[1]) != INVALID_FILE_ATTRIBUTES) return 0;
        Sleep(50);
    }
    return 2;
}
