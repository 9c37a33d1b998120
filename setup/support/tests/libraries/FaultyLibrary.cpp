// A support library that crashes: every entry point writes through a null
// pointer (a real access violation inside the library), except
//   MyCreateShortCut        works and returns 7;
//   MyGetDeviceIDFromPort   throws a C++ exception out of the library;
//   GetDevicePort           fills its outputs first, then faults.
#define SUPPORT_LIBRARY_IMPLEMENTATION
#include "SupportLibraryContract.h"

#include <cwchar>
#include <stdexcept>

namespace {

int Fault() {
    // Pointer and target both volatile: the compiler can neither see that the
    // pointer is null nor drop the store.
    volatile int* volatile nowhere = nullptr;
    *nowhere = 1;
    return 0;
}

}  // namespace

extern "C" {

int WINAPI MyInstall(int, LPCWSTR, LPCWSTR, int) { return Fault(); }
int WINAPI MyCreateShortCut(int, LPCWSTR, LPCWSTR) { return 7; }
BOOL WINAPI GetDevicePort(LPCWSTR, LPCWSTR, LPCWSTR, LPWSTR port, DWORD* portCount) {
    wcscpy(port, L"LPT9:");
    *portCount = 5;
    return Fault();
}
BOOL WINAPI StartPreventPnP(LPCWSTR) { return Fault(); }
BOOL WINAPI EndPreventPnP(LPCWSTR) { return Fault(); }
BOOL WINAPI RemoveHardwareWizardDialog() { return Fault(); }
BOOL WINAPI MySetForegroundNHWdDialog() { return Fault(); }
BOOL WINAPI SystemRefresh(LPCWSTR, LPCWSTR) { return Fault(); }
BOOL WINAPI RemoveUnknownDev(LPCWSTR, LPCWSTR) { return Fault(); }
int WINAPI MyGetDeviceIDFromPort(LPCWSTR, LPWSTR) { throw std::runtime_error("no device"); }
int WINAPI SaveFile(LPCWSTR, LPCWSTR, int) { return Fault(); }
DWORD WINAPI GetDiskFreeSpaceVX(LPCWSTR) { return static_cast<DWORD>(Fault()); }
int WINAPI DoRemoteInstall(support_library::REMOTE_INSTALL_RECORD*) { return Fault(); }
int WINAPI Diagnosis(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR) { return Fault(); }
int WINAPI DiagnosisEx(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, int) { return Fault(); }
int WINAPI PrintTestPage(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR) { return Fault(); }
int WINAPI MetaTestPage(LPCWSTR, LPCWSTR) { return Fault(); }
int WINAPI PrintPrnFile(LPCWSTR, LPCWSTR) { return Fault(); }
int WINAPI MyGetPrinterDesc(LPCWSTR, LPWSTR, int) { return Fault(); }
int WINAPI MyGetPrinterDescAdv(LPCWSTR, LPWSTR, int, LPCWSTR) { return Fault(); }
int WINAPI MyGetIPX(LPCWSTR, LPWSTR) { return Fault(); }
int WINAPI MyGetIPXAdv(LPCWSTR, LPWSTR, LPCWSTR) { return Fault(); }
int WINAPI MySetNetworkPortEx(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, int) { return Fault(); }
int WINAPI MySetNetworkPortAdv(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, int, LPCWSTR) {
    return Fault();
}
int WINAPI MyDelNetworkPort(LPCWSTR, LPCWSTR, int) { return Fault(); }
int WINAPI SnmpDiscovery(support_library::SnmpDiscoveryCallback) { return Fault(); }
int WINAPI SnmpDiscoveryAdv(support_library::SnmpDiscoveryCallback, LPCWSTR) { return Fault(); }
int WINAPI Preinstall(LPCWSTR, HWND) { return Fault(); }
DWORD WINAPI SetIP(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR) { return static_cast<DWORD>(Fault()); }
int WINAPI GetNetPrinter(void*, DWORD*, DWORD*) { return Fault(); }
int WINAPI WSP_Start(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, int, LPCWSTR, LPWSTR, DWORD) { return Fault(); }

}  // extern "C"
