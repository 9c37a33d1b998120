#include "LocalPorts.h"

#include <winspool.h>

#include <cwchar>

#include "FaultGuard.h"
#include "Log.h"
#include "SpoolerBlock.h"
#include "TextNoCase.h"

namespace {

bool ListPorts(wchar_t* buffer, DWORD* count, std::size_t capacity) {
    CSpoolerBlock block;
    DWORD returned = 0;
    const CSpoolerBlock::Result listed = block.Fill([&returned](BYTE* data, DWORD size, DWORD* needed) {
        return EnumPortsW(nullptr, 1, data, size, needed, &returned) != FALSE;
    });
    if (listed != CSpoolerBlock::Result::kFilled) {
        if (listed == CSpoolerBlock::Result::kFailed) GlobalLog().PrintError(GetLastError(), L"EnumPorts");
        if (listed == CSpoolerBlock::Result::kAllocationFailed) GlobalLog().Print(L"GlobalAlloc Error [EnumPorts]");
        return false;
    }
    const PORT_INFO_1W* ports = block.As<PORT_INFO_1W>();
    std::size_t position = 0;
    DWORD written = 0;
    for (DWORD i = 0; i < returned; ++i) {
        const wchar_t* name = ports[i].pName;
        if (name == nullptr || *name == L'\0' || printers::ContainsNoCase(name, L"COM")) continue;
        const std::size_t length = std::wcslen(name);
        if (position + length + 1 > capacity) {
            GlobalLog().Print(L"EnumLocalPorts : no room for port %ls", name);
            continue;
        }
        std::wmemcpy(buffer + position, name, length + 1);
        position += length + 1;
        ++written;
    }
    *count = written;
    return true;
}

}  // namespace

bool EnumLocalPorts(wchar_t* buffer, DWORD* count, std::size_t capacity) {
    if (buffer == nullptr || count == nullptr || capacity == 0) return false;
    bool result = false;
    if (!GuardedCall([&] {
            std::wmemset(buffer, L'\0', capacity);
            *count = 0;
            result = ListPorts(buffer, count, capacity);
        })) {
        GlobalLog().Print(L"GPF in EnumLocalPorts()");
        return false;
    }
    return result;
}
