// CInfInfo on small INF files of the tests' own, read through Wine's Setup API.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "InfInfo.h"
#include "PrinterTestSupport.h"

namespace {

using printer_test::Narrow;

// An INF of class |cls|: its manufacturer line, then |sections|.
std::wstring Inf(const std::wstring& manufacturerLine, const std::wstring& sections,
                 const std::wstring& cls = L"Printer") {
    return L"[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=" + cls + L"\r\n\r\n[Manufacturer]\r\n" +
           manufacturerLine + L"\r\n\r\n" + sections;
}

// A handle no INF was ever opened under, and an address nothing lives at.
const HINF kBadInf = reinterpret_cast<HINF>(static_cast<ULONG_PTR>(0x1234));
wchar_t* const kBadText = reinterpret_cast<wchar_t*>(static_cast<ULONG_PTR>(0x10));

class InfInfoTest : public printer_test::PrinterTest {
protected:
    std::wstring Write(const std::wstring& text) {
        return WriteFile(L"case" + std::to_wstring(++files_) + L".inf", text);
    }

    int files_ = 0;
};

TEST_F(InfInfoTest, FindsTheModelsSectionUndecoratedFirstThenByTheFirstDecorationOnly) {
    struct Case {
        const wchar_t* what;
        std::wstring manufacturer;
        std::wstring sections;
        bool found;
        std::wstring lookup;  // the "Find Model Section [Deco]" line
        std::wstring section;
        std::wstring driver;
    };
    const Case cases[] = {
        {L"only the decorated section exists", L"\"Quorvel\"=QV,NTamd64", L"[QV.NTamd64]\r\n\"Deco\"=I\r\n", true,
         L"Find Model Section [Deco]: QV [NTamd64]", L"QV.NTamd64", L"Deco"},
        {L"the undecorated section wins", L"\"Quorvel\"=QV,NTamd64",
         L"[QV]\r\n\"Plain\"=I\r\n[QV.NTamd64]\r\n\"Deco\"=I\r\n", true, L"Find Model Section [Deco]: QV [NTamd64]",
         L"QV", L"Plain"},
        {L"an empty undecorated section does not count", L"\"Quorvel\"=QV,NTamd64",
         L"[QV]\r\n[QV.NTamd64]\r\n\"Deco\"=I\r\n", true, L"Find Model Section [Deco]: QV [NTamd64]", L"QV.NTamd64",
         L"Deco"},
        {L"a line with only a key names the manufacturer's section", L"\"Quorvel\"", L"[Quorvel]\r\n\"Own\"=I\r\n",
         true, L"Find Model Section [Deco]: Quorvel []", L"Quorvel", L"Own"},
        {L"an empty models name names the manufacturer's section", L"Quorvel=", L"[Quorvel]\r\n\"Own\"=I\r\n", true,
         L"Find Model Section [Deco]: Quorvel []", L"Quorvel", L"Own"},
        {L"only the second decoration's section exists", L"\"Quorvel\"=QV,NTx86,NTamd64",
         L"[QV.NTamd64]\r\n\"Deco\"=I\r\n", false, L"Find Model Section [Deco]: QV [NTx86]", L"", L""},
        {L"no decoration and no section", L"\"Quorvel\"=QV", L"[Other]\r\n\"X\"=I\r\n", false,
         L"Find Model Section [Deco]: QV []", L"", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.what));
        const std::wstring path = Write(Inf(c.manufacturer, c.sections));
        const std::size_t before = MessageCount();
        CInfInfo inf;
        EXPECT_EQ(inf.Init(path.c_str()), c.found);
        EXPECT_STREQ(inf.GetManufacturer(), L"Quorvel");
        EXPECT_STREQ(inf.GetModelSection(), c.section.c_str());
        EXPECT_STREQ(inf.GetDriverName(), c.driver.c_str());
        const std::vector<std::wstring> logged = MessagesSince(before);
        ASSERT_GE(logged.size(), 5u);
        EXPECT_EQ(logged[0], L"Load Inf ");
        EXPECT_EQ(logged[1], L"Get Inf Class Name is : Printer");
        EXPECT_EQ(logged[2], L"Maufacturer : Quorvel");
        EXPECT_EQ(logged[3], c.lookup);
        EXPECT_EQ(logged[4], c.found ? L"Model Section: " + c.section : L"Find Model Section Fail!!");
    }
}

TEST_F(InfInfoTest, ChoosesTheDriverByNameOrByIndex) {
    const std::wstring path = Write(Inf(L"\"Quorvel\"=QV,NTamd64", L"[QV.NTamd64]\r\n"
                                                                    L"\"Alpha\"=IA\r\n"
                                                                    L"\"Beta\"=IB\r\n"
                                                                    L"\"Gamma\"=IC\r\n"
                                                                    L"\"Beta\"=ID\r\n"));
    struct Case {
        int index;
        const wchar_t* name;
        bool found;
        std::wstring driver;
        int selected;
        std::wstring failure;
    };
    const Case cases[] = {
        {-1, nullptr, true, L"Alpha", 0, L""},
        {-1, L"", true, L"Alpha", 0, L""},
        {2, nullptr, true, L"Gamma", 2, L""},
        {3, nullptr, true, L"Beta", 3, L""},
        {4, nullptr, false, L"", 0, L"Can not find driver name using index [4]"},
        {-3, nullptr, false, L"", 0, L"Can not find driver name using index [-3]"},
        // A name wins over an index; its case may differ, and the caller's text is kept.
        {-1, L"gAMMA", true, L"gAMMA", 2, L""},
        {0, L"BETA", true, L"BETA", 1, L""},  // the first of two equal names
        {-1, L"Delta", false, L"", 0, L"Can not find driver name in this inf [Delta]"},
        {2, L"Delta", false, L"", 0, L"Can not find driver name in this inf [Delta]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.index) + " " + (c.name ? Narrow(c.name) : std::string("null")));
        CInfInfo inf;
        inf.Reset();
        EXPECT_EQ(inf.Init(path.c_str(), c.index, c.name), c.found);
        EXPECT_STREQ(inf.GetDriverName(), c.driver.c_str());
        EXPECT_EQ(inf.GetSelectedIndex(), c.selected);
        if (!c.failure.empty()) {
            EXPECT_EQ(Messages().back(), c.failure);
        }
    }
}

TEST_F(InfInfoTest, OtherClassesSucceedWithOnlyTheClassAndAnyCaseOfPrinterOrImageIsRead) {
    const std::wstring models = L"[QV]\r\n\"Model\"=I\r\n";
    struct Case {
        std::wstring cls;
        bool opened;
    };
    for (const Case& c : {Case{L"Ports", false}, Case{L"Net", false}, Case{L"printer", true}, Case{L"IMAGE", true},
                          Case{L"Image", true}}) {
        SCOPED_TRACE(Narrow(c.cls));
        const std::wstring path = Write(Inf(L"\"Quorvel\"=QV", models, c.cls));
        CInfInfo inf;
        ASSERT_TRUE(inf.Init(path.c_str(), -1, nullptr));
        EXPECT_EQ(inf.GetInfClassName(), c.cls);
        EXPECT_EQ(inf.IsOpen(), c.opened);
        EXPECT_STREQ(inf.GetDriverName(), c.opened ? L"Model" : L"");
        EXPECT_EQ(inf.GetSelectedIndex(), 0);
        EXPECT_EQ(inf.GetDriverIndex(L"Model"), c.opened ? 0 : -1);
        if (!c.opened) {
            EXPECT_TRUE(Logged(L"Get Inf Class Name is not printer and image : " + c.cls));
        }
    }
}

TEST_F(InfInfoTest, BadFilesFailWithTheirLogLinesAndLeaveNothingBehindAReset) {
    const std::wstring missing = Under(L"missing.inf");
    const std::wstring empty = Write(L"");
    const std::wstring text = Write(L"This is a letter, not an INF.\r\nRegards\r\n");
    const std::wstring noClass = Write(L"[Version]\r\nSignature=\"$Windows NT$\"\r\n");
    const std::wstring noManufacturer = Write(L"[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=Printer\r\n");
    const std::wstring noModels = Write(Inf(L"\"Quorvel\"=QV,NTamd64", L"[Strings]\r\nA=\"B\"\r\n"));
    const std::wstring emptyModels = Write(Inf(L"\"Quorvel\"=QV,NTamd64", L"[QV.NTamd64]\r\n"));
    struct Case {
        const wchar_t* what;
        std::wstring path;
        std::vector<std::wstring> lines;  // after "Load Inf "
        bool leftOpen;
    };
    const Case cases[] = {
        {L"missing", missing, {L"SetupOpenInfFile(" + missing + L")"}, false},
        {L"empty", empty, {L"SetupOpenInfFile(" + empty + L")"}, false},
        {L"not an INF", text, {L"SetupOpenInfFile(" + text + L")"}, false},
        {L"no class", noClass, {L"Get Inf Class Name fail!! "}, false},
        {L"no manufacturer", noManufacturer, {L"Get Inf Class Name is : Printer", L"Get Maufacturer fail!!"}, true},
        {L"no models section", noModels, {L"Maufacturer : Quorvel", L"Find Model Section [Deco]: QV [NTamd64]",
                                          L"Find Model Section Fail!!"}, true},
        {L"an empty models section", emptyModels, {L"Find Model Section [Deco]: QV [NTamd64]",
                                                    L"Find Model Section Fail!!"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.what));
        const std::size_t before = MessageCount();
        CInfInfo inf;
        EXPECT_FALSE(inf.Init(c.path.c_str(), -1, L"Model"));
        const std::vector<std::wstring> logged = MessagesSince(before);
        ASSERT_FALSE(logged.empty());
        EXPECT_EQ(logged.front(), L"Load Inf ");
        for (const std::wstring& line : c.lines) {
            EXPECT_NE(std::find(logged.begin(), logged.end(), line), logged.end()) << Narrow(line);
        }
        EXPECT_EQ(inf.IsOpen(), c.leftOpen);
        if (c.leftOpen) {
            // The INF is open but no models section was found.
            EXPECT_EQ(inf.GetDriverIndex(L"Model"), -1);
            EXPECT_EQ(Messages().back(), L"GetDriverIndex (Model) : Model Section was invalid!!");
            wchar_t name[16] = {};
            EXPECT_FALSE(inf.GetDriverNameByIndex(0, name, 16));
            EXPECT_EQ(Messages().back(), L"GetDriverNameByIndex (0) : Model Section was invalid!!");
        }
        inf.Reset();
        EXPECT_FALSE(inf.IsOpen());
        EXPECT_STREQ(inf.GetInfClassName(), L"");
        EXPECT_STREQ(inf.GetManufacturer(), L"");
    }
    // The system's reason comes with the file that is missing.
    const std::vector<std::wstring> all = Messages();
    const auto open = std::find(all.begin(), all.end(), L"SetupOpenInfFile(" + missing + L")");
    ASSERT_NE(open, all.end());
    ASSERT_NE(open + 1, all.end());
    EXPECT_EQ((open + 1)->rfind(L"Error Code = 2 :", 0), 0u) << Narrow(*(open + 1));

    CInfInfo inf;
    EXPECT_FALSE(inf.Init(nullptr));
    EXPECT_FALSE(inf.Init(L""));
}

TEST_F(InfInfoTest, ADriverBuildsOnTheUniversalDriverWhenItIncludesNtprintAndNeedsSomething) {
    struct Case {
        const wchar_t* what;
        std::wstring install;  // the install section's lines
        std::wstring cls;
        bool uniDrv;
    };
    const Case cases[] = {
        {L"PostScript", L"Include=NTPRINT.INF\r\nNeeds=PSCRIPT.OEM\r\n", L"Printer", true},
        {L"universal, lower case", L"Include=ntprint.inf\r\nNeeds=UNIDRV.OEM,UNIDRV_DATA\r\n", L"Printer", true},
        {L"ntprint.inf among others", L"Include=qvextra.inf, ntprint.inf\r\nNeeds=UNIDRV.OEM\r\n", L"Printer", true},
        {L"no Needs", L"Include=NTPRINT.INF\r\n", L"Printer", false},
        {L"empty Needs", L"Include=NTPRINT.INF\r\nNeeds=\r\n", L"Printer", false},
        {L"another INF", L"Include=qvextra.inf\r\nNeeds=QV.OEM\r\n", L"Printer", false},
        {L"a name that only starts like it", L"Include=ntprint.inf2\r\nNeeds=X\r\n", L"Printer", false},
        {L"no Include", L"CopyFiles=X\r\nNeeds=PSCRIPT.OEM\r\n", L"Printer", false},
        {L"a scanner", L"Include=NTPRINT.INF\r\nNeeds=PSCRIPT.OEM\r\n", L"Image", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.what));
        const std::wstring path =
            Write(Inf(L"\"Quorvel\"=QV", L"[QV]\r\n\"Other\"=OTHER\r\n\"Model\"=INSTALL\r\n[INSTALL]\r\n" + c.install +
                                             L"[OTHER]\r\nInclude=NTPRINT.INF\r\nNeeds=PSCRIPT.OEM\r\n",
                      c.cls));
        CInfInfo inf;
        ASSERT_TRUE(inf.Init(path.c_str(), -1, L"Model"));
        EXPECT_EQ(inf.IsUniDrv(), c.uniDrv);
        inf.Reset();
        EXPECT_FALSE(inf.IsUniDrv());
    }

    // A model line without an install section.
    const std::wstring path = Write(Inf(L"\"Quorvel\"=QV", L"[QV]\r\n\"Model\"=\r\n"));
    CInfInfo inf;
    ASSERT_TRUE(inf.Init(path.c_str()));
    EXPECT_FALSE(inf.IsUniDrv());
    EXPECT_TRUE(Logged(L"Can not find DDInstall Section using index [0]"));
}

TEST_F(InfInfoTest, LooksUpDriversInTheModelsSectionInitFound) {
    const std::wstring path = Write(Inf(L"\"Quorvel\"=QV,NTamd64", L"[QV.NTamd64]\r\n"
                                                                    L"\"Quorvel Alpha\"=IA\r\n"
                                                                    L"\"Quorvel Beta\"=IB\r\n"
                                                                    L"\"Quorvel Gamma\"=IC\r\n"));
    CInfInfo inf;
    wchar_t name[260] = {};
    EXPECT_EQ(inf.GetDriverIndex(L"Quorvel Beta"), -1) << "nothing open yet";
    EXPECT_FALSE(inf.GetDriverNameByIndex(0, name, 260));
    ASSERT_TRUE(inf.Init(path.c_str()));

    EXPECT_EQ(inf.GetDriverIndex(L"QUORVEL BETA"), 1);
    EXPECT_EQ(inf.GetDriverIndex(L"Quorvel Gamma"), 2);
    EXPECT_EQ(inf.GetDriverIndex(L"Quorvel"), -1);
    EXPECT_EQ(inf.GetDriverIndex(L""), -1);
    EXPECT_EQ(inf.GetDriverIndex(nullptr), -1);

    const std::size_t before = MessageCount();
    wchar_t cut[5] = {L'x', L'x', L'x', L'x', L'x'};
    ASSERT_TRUE(inf.GetDriverNameByIndex(0, cut, 5));
    EXPECT_STREQ(cut, L"Quor");
    EXPECT_EQ(MessagesSince(before), (std::vector<std::wstring>{L"GetDriverNameByIndex (0) : Total Driver count is 3!!",
                                                                 L"GetDriverNameByIndex (0) : The driver is Quor"}));
    ASSERT_TRUE(inf.GetDriverNameByIndex(2, name, 260));
    EXPECT_STREQ(name, L"Quorvel Gamma");
    EXPECT_FALSE(inf.GetDriverNameByIndex(3, name, 260));
    EXPECT_EQ(Messages().back(), L"GetDriverNameByIndex (3) : Total Driver count is 3!!");
    EXPECT_FALSE(inf.GetDriverNameByIndex(-1, name, 260));
    EXPECT_FALSE(inf.GetDriverNameByIndex(0, nullptr, 260));
    EXPECT_FALSE(inf.GetDriverNameByIndex(0, name, 0));

    // The lookups stay with the INF Init opened, not with the selection.
    EXPECT_STREQ(inf.GetDriverName(), L"Quorvel Alpha");
    inf.Reset();
    EXPECT_EQ(inf.GetDriverIndex(L"Quorvel Beta"), -1);
}

TEST_F(InfInfoTest, GetClassReadsAnyInfWithoutTouchingTheObjectAndNeedsRoomForTheTerminator) {
    const std::wstring printer = Write(Inf(L"\"Quorvel\"=QV", L"[QV]\r\n\"Model\"=I\r\n"));
    const std::wstring ports = Write(Inf(L"\"Quorvel\"=QV", L"", L"Ports"));
    CInfInfo inf;
    ASSERT_TRUE(inf.Init(printer.c_str()));

    wchar_t cls[16] = {};
    EXPECT_TRUE(inf.GetClass(ports.c_str(), cls, 16));
    EXPECT_STREQ(cls, L"Ports");
    EXPECT_STREQ(inf.GetInfClassName(), L"Printer");
    EXPECT_TRUE(inf.IsOpen());
    EXPECT_EQ(inf.GetDriverIndex(L"Model"), 0);

    wchar_t exact[7] = {};
    EXPECT_FALSE(inf.GetClass(printer.c_str(), exact, 7)) << "\"Printer\" and its terminator need 8";
    wchar_t room[8] = {};
    EXPECT_TRUE(inf.GetClass(printer.c_str(), room, 8));
    EXPECT_STREQ(room, L"Printer");

    EXPECT_FALSE(inf.GetClass(nullptr, cls, 16));
    EXPECT_FALSE(inf.GetClass(L"", cls, 16));
    EXPECT_FALSE(inf.GetClass(printer.c_str(), nullptr, 16));
    EXPECT_FALSE(inf.GetClass(printer.c_str(), cls, 0));
}

TEST(IsInfFile, LooksAtTheTextAfterTheLastDot) {
    struct Case {
        const wchar_t* path;
        bool inf;
    };
    const Case cases[] = {
        {L"C:\\d\\QVLX3200.INF", true}, {L"a.b.INF", true},   {L"x.Inf", true},        {L"a.inf.bak", false},
        {L"inf", false},                {L"C:\\inf\\file", false}, {L"a.infx", false}, {L"a.", false},
        {L".inf", true},                {L"", false},          {nullptr, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsInfFile(c.path), c.inf) << (c.path ? Narrow(c.path) : "null");
    }
}

TEST_F(InfInfoTest, AFaultInsideAnOperationIsLoggedAndTheObjectStaysUsable) {
    const std::wstring path = Write(Inf(L"\"Quorvel\"=QV", L"[QV]\r\n\"Model\"=I\r\n"));
    CInfInfo inf;
    wchar_t out[260] = {};
    struct Case {
        const wchar_t* what;
        std::function<bool()> call;  // true when the operation gave its failure value
        std::wstring line;
    };
    const std::vector<Case> cases = {
        {L"CheckSection", [&] { return !inf.CheckSection(kBadInf, L"Models"); },
         L"GPF in  CInfInfo::CheckSection(Models)"},
        {L"GetString by position", [&] { return !inf.GetString(kBadInf, L"Models", 1, 2, out, 260); },
         L"GPF in  CInfInfo::GetString(Models,1,2)"},
        {L"GetString by key", [&] { return !inf.GetString(kBadInf, L"Version", L"Class", out, 260); },
         L"GPF in  CInfInfo::GetString(Version,Class)"},
        {L"GetClass", [&] { return !inf.GetClass(path.c_str(), kBadText, 260); }, L"GPF in  CInfInfo::GetClass()"},
        {L"Init", [&] { return !inf.Init(path.c_str(), -1, kBadText); }, L"GPF in  CInfInfo::Init(" + path + L")"},
        {L"GetInfo", [&] { return !inf.GetInfo(kBadInf, -1, kBadText); }, L"GPF in  CInfInfo::GetInfo()"},
        {L"CheckDriverNameAndIndex", [&] { return !inf.CheckDriverNameAndIndex(kBadInf, L"QV", -1, kBadText); },
         L"GPF in  CInfInfo::CheckDriverNameAndIndex()"},
        {L"GetDriverIndex", [&] { return inf.GetDriverIndex(kBadText) == -1; }, L"GPF in  CInfInfo::GetDriverIndex()"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.what));
        EXPECT_TRUE(c.call());
        EXPECT_EQ(Messages().back(), c.line);
    }

    // A fault in the Setup API under a reading operation is the reader's.
    EXPECT_FALSE(inf.GetInfo(kBadInf, -1, nullptr));
    EXPECT_TRUE(Logged(L"GPF in  CInfInfo::GetString(Manufacturer,0,0)"));
    EXPECT_EQ(Messages().back(), L"Get Maufacturer fail!!");

    // A lookup writing to a bad buffer, after a good Init.
    inf.Reset();
    ASSERT_TRUE(inf.Init(path.c_str()));
    EXPECT_FALSE(inf.GetDriverNameByIndex(0, kBadText, 260));
    EXPECT_EQ(Messages().back(), L"GPF in  CInfInfo::GetDriverIndex()");
    EXPECT_STREQ(inf.GetDriverName(), L"Model");
    EXPECT_EQ(inf.GetDriverIndex(L"Model"), 0);
}

}  // namespace
