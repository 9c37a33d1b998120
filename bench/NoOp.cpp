// A Windows program that does nothing: the yardstick for start-up costs.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
