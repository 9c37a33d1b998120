#include "DeviceId.h"

#include <string>
#include <vector>

#include "FaultGuard.h"
#include "Log.h"
#include "PrinterServices.h"
#include "TextNoCase.h"

namespace {

constexpr std::size_t kDeviceIdChars = 8192;

const wchar_t* Text(const wchar_t* text) { return text != nullptr ? text : L""; }

}  // namespace

int CheckDeviceId(const wchar_t* target, const wchar_t* deviceString, bool isNetwork) {
    return CheckDeviceId(target, deviceString, isNetwork, DefaultPrinterServices());
}

int CheckDeviceId(const wchar_t* target, const wchar_t* deviceString, bool isNetwork,
                  const CPrinterServices& services) {
    const std::wstring where = Text(target);
    const std::wstring wanted = Text(deviceString);
    std::vector<wchar_t> deviceId(kDeviceIdChars, L'\0');
    int result = kDeviceIdUnread;
    if (!GuardedCall([&] {
            const bool read = isNetwork ? services.MyGetPrinterDesc(where.c_str(), deviceId.data(), 0) == 0
                                        : services.MyGetDeviceIDFromPort(where.c_str(), deviceId.data()) != 0;
            // A library that fills the whole buffer leaves no terminator of its own.
            deviceId.back() = L'\0';
            if (!read) {
                GlobalLog().Print(L"CheckDeviceId (%ls) : no device ID", where.c_str());
                return;
            }
            const std::wstring id = printers::Upper(deviceId.data());
            const bool matches = id.find(printers::Upper(services.Manufacturer().c_str())) != std::wstring::npos &&
                                 id.find(printers::Upper(services.Model().c_str())) != std::wstring::npos &&
                                 id.find(printers::Upper(wanted.c_str())) != std::wstring::npos;
            result = matches ? kDeviceIdMatches : kDeviceIdDiffers;
            GlobalLog().Print(L"CheckDeviceId (%ls) : %ls => %d", where.c_str(), deviceId.data(), result);
        })) {
        GlobalLog().Print(L"GPF in CheckDeviceId(%ls)", where.c_str());
        return kDeviceIdUnread;
    }
    return result;
}
