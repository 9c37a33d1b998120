// Identifying the device on a port or at an address by its device ID, read
// through the support library (answered here by RecordingServices).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DeviceId.h"
#include "PrinterTestSupport.h"

namespace {

using printer_test::Narrow;

class DeviceIdTest : public printer_test::PrinterTest {
protected:
    printer_test::RecordingServices services_;
};

TEST_F(DeviceIdTest, TheIdMustHoldManufacturerModelAndDeviceStringInAnyCase) {
    struct Case {
        const wchar_t* what;
        int read;  // what MyGetDeviceIDFromPort returns: non-zero is success
        std::wstring id;
        const wchar_t* deviceString;
        int result;
    };
    const Case cases[] = {
        {L"the product", 1, L"MFG:Quorvel;MDL:LX-3200MF;CMD:PCLXL,POSTSCRIPT;CLS:PRINTER;", L"MDL:LX-3200MF",
         kDeviceIdMatches},
        {L"any case", 1, L"mfg:quorvel;mdl:lx-3200mf;", L"Mdl:Lx-3200mf", kDeviceIdMatches},
        {L"no device string", 1, L"MFG:Quorvel;MDL:LX-3200;", nullptr, kDeviceIdMatches},
        {L"an empty device string", 1, L"MFG:Quorvel;MDL:LX-3200;", L"", kDeviceIdMatches},
        {L"another model", 1, L"MFG:Quorvel;MDL:LX-1100;", L"", kDeviceIdDiffers},
        {L"the model without the device string", 1, L"MFG:Quorvel;MDL:LX-3200;", L"MDL:LX-3200MF",
         kDeviceIdDiffers},
        {L"another maker", 1, L"MFG:Other;MDL:LX-3200;", L"", kDeviceIdDiffers},
        // Malformed IDs are searched as text all the same.
        {L"an empty ID", 1, L"", L"", kDeviceIdDiffers},
        {L"keys in other words", 1, L"MANUFACTURER:QUORVEL;MODEL:LX-3200;", L"", kDeviceIdMatches},
        {L"no separators", 1, L"QuorvelLX-3200", L"", kDeviceIdMatches},
        {L"a reading that failed", 0, L"MFG:Quorvel;MDL:LX-3200;", L"", kDeviceIdUnread},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.what));
        services_.deviceIdResult = c.read;
        services_.deviceId = c.id;
        EXPECT_EQ(CheckDeviceId(L"USB001", c.deviceString, false, services_), c.result);
    }
    EXPECT_EQ(services_.calls.front(), L"MyGetDeviceIDFromPort(USB001)");
    EXPECT_TRUE(Logged(L"CheckDeviceId (USB001) : MFG:Quorvel;MDL:LX-1100; => 2"));
    EXPECT_EQ(Messages().back(), L"CheckDeviceId (USB001) : no device ID");
}

TEST_F(DeviceIdTest, ANetworkDeviceIsReadByAddressAndZeroIsSuccess) {
    services_.deviceId = L"MFG:Quorvel;MDL:LX-3200;";
    services_.deviceIdResult = 0;
    EXPECT_EQ(CheckDeviceId(L"127.0.0.20", L"", true, services_), kDeviceIdMatches);
    services_.deviceIdResult = 4096;  // the library's "no answer"
    EXPECT_EQ(CheckDeviceId(L"127.0.0.20", L"", true, services_), kDeviceIdUnread);
    EXPECT_EQ(services_.calls, (std::vector<std::wstring>{L"MyGetPrinterDesc(127.0.0.20,0)",
                                                           L"MyGetPrinterDesc(127.0.0.20,0)"}));
}

TEST_F(DeviceIdTest, AnIdThatFillsTheWholeBufferIsCutBeforeItsEnd) {
    services_.fillWholeBuffer = true;
    services_.manufacturer = L"";
    services_.model = L"XXX";
    for (const bool network : {false, true}) {
        services_.deviceIdResult = network ? 0 : 1;
        EXPECT_EQ(CheckDeviceId(L"LPT1:", L"", network, services_), kDeviceIdMatches);
        EXPECT_EQ(Messages().back().size(), std::wstring(L"CheckDeviceId (LPT1:) :  => 1").size() + 8191);
    }
    services_.deviceIdResult = 1;
    EXPECT_EQ(CheckDeviceId(nullptr, nullptr, false, services_), kDeviceIdMatches);
    EXPECT_EQ(services_.calls.back(), L"MyGetDeviceIDFromPort()");
}

}  // namespace
