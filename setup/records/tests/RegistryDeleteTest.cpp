// Deleting keys: with and without sub-keys, emptied parents, the keys the
// system owns, and the retry after an access-denied answer (seen through a
// deleter of the test's own, since Wine never refuses a delete for rights).
#include <gtest/gtest.h>

#include <windows.h>

#include <aclapi.h>

#include <map>
#include <string>
#include <vector>

#include "APIFunction.h"
#include "Registry.h"
#include "RegistryKeyDeleter.h"
#include "RegistryTestKey.h"

namespace {

using namespace records_test;

class RegistryDeleteTest : public RegistryTestKey {};

// What a key's access list says, as far as these tests care.
struct DaclView {
    bool read = false;
    bool autoInherited = false;
    DWORD entries = 0;
    BYTE aceType = 0xFF;
    BYTE aceFlags = 0;
    DWORD mask = 0;
    bool everyone = false;
};

DaclView ReadDacl(HKEY root, const std::wstring& path) {
    DaclView view;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, READ_CONTROL, &key) != ERROR_SUCCESS) return view;
    DWORD size = 0;
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
    std::vector<BYTE> buffer(size);
    if (size != 0 && RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, buffer.data(), &size) == ERROR_SUCCESS) {
        SECURITY_DESCRIPTOR_CONTROL control = 0;
        DWORD revision = 0;
        GetSecurityDescriptorControl(buffer.data(), &control, &revision);
        view.autoInherited = (control & SE_DACL_AUTO_INHERITED) != 0;
        BOOL present = FALSE;
        BOOL defaulted = FALSE;
        PACL acl = nullptr;
        if (GetSecurityDescriptorDacl(buffer.data(), &present, &acl, &defaulted) && present && acl != nullptr) {
            view.read = true;
            view.entries = acl->AceCount;
            void* ace = nullptr;
            if (acl->AceCount > 0 && GetAce(acl, 0, &ace)) {
                const auto* header = static_cast<const ACE_HEADER*>(ace);
                view.aceType = header->AceType;
                view.aceFlags = header->AceFlags;
                if (header->AceType == ACCESS_ALLOWED_ACE_TYPE) {
                    const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
                    view.mask = allowed->Mask;
                    SID_IDENTIFIER_AUTHORITY world = {SECURITY_WORLD_SID_AUTHORITY};
                    PSID everyone = nullptr;
                    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
                    view.everyone = EqualSid(const_cast<DWORD*>(&allowed->SidStart), everyone) != FALSE;
                    FreeSid(everyone);
                }
            }
        }
    }
    RegCloseKey(key);
    return view;
}

// Refuses the delete of chosen keys with access denied, a given number of
// times each, and notes every call; otherwise deletes as the platform does.
class RefusingDeleter : public CRegistryKeyDeleter {
public:
    RefusingDeleter() { SetRegistryKeyDeleter(this); }
    ~RefusingDeleter() override { SetRegistryKeyDeleter(nullptr); }
    RefusingDeleter(const RefusingDeleter&) = delete;
    RefusingDeleter& operator=(const RefusingDeleter&) = delete;

    LSTATUS Delete(HKEY root, const wchar_t* keyPath) override {
        const std::wstring path(keyPath);
        calls.push_back(path);
        auto refusal = refusals.find(path);
        if (refusal != refusals.end() && refusal->second > 0) {
            --refusal->second;
            return ERROR_ACCESS_DENIED;
        }
        if (refusal != refusals.end()) daclAtLastTry[path] = ReadDacl(root, path);
        return CRegistryKeyDeleter::Delete(root, keyPath);
    }
    std::size_t CallsFor(const std::wstring& path) const {
        std::size_t count = 0;
        for (const std::wstring& call : calls) count += call == path ? 1 : 0;
        return count;
    }

    std::map<std::wstring, int> refusals;  // path -> how many more times to refuse
    std::vector<std::wstring> calls;
    std::map<std::wstring, DaclView> daclAtLastTry;
};

TEST_F(RegistryDeleteTest, KeyWithSubKeysAndEmptiedParents) {
    // Software\A\B\C where B holds nothing else and A holds another key.
    PutText(root_, Path(L"A\\B\\C"), L"V", L"1");
    PutText(root_, Path(L"A\\B\\C\\D\\E"), L"V", L"2");
    PutRaw(root_, Path(L"A\\Other"));
    ASSERT_EQ(CRegistry::DeleteKey(Path(L"A\\B\\C").c_str(), false, root_), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(root_, Path(L"A\\B\\C")));
    EXPECT_FALSE(KeyExists(root_, Path(L"A\\B")));
    EXPECT_TRUE(KeyExists(root_, Path(L"A")));
    EXPECT_TRUE(KeyExists(root_, Path(L"A\\Other")));

    // A parent with a value of its own stays too.
    PutText(root_, Path(L"P"), L"Keep", L"1");
    PutRaw(root_, Path(L"P\\Q\\R"));
    ASSERT_EQ(CRegistry::DeleteKey(Path(L"P\\Q\\R").c_str(), false, root_), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(root_, Path(L"P\\Q")));
    EXPECT_TRUE(KeyExists(root_, Path(L"P")));
}

TEST_F(RegistryDeleteTest, EmptiedParentsGoUpToTheKeyUnderTheRoot) {
    // The product's own chain goes entirely; Software, directly under the root, stays.
    const std::wstring own = OwnKeyUnder(root_, L"Software");
    PutText(root_, own + L"\\Maker\\Program\\Installing", L"V", L"1");
    ASSERT_EQ(CRegistry::DeleteKey((own + L"\\Maker\\Program\\Installing").c_str(), false, root_), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(root_, own));
    EXPECT_TRUE(KeyExists(root_, L"Software"));

    // A key directly under the root is never taken as an emptied parent.
    const std::wstring top = L"QsTestTop-" + std::to_wstring(GetCurrentProcessId());
    extra_.emplace_back(root_, top);
    PutRaw(root_, top + L"\\Leaf");
    ASSERT_EQ(CRegistry::DeleteKey((top + L"\\Leaf").c_str(), false, root_), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(root_, top + L"\\Leaf"));
    EXPECT_TRUE(KeyExists(root_, top));
}

struct OwnedParentCase {
    HKEY root;
    const wchar_t* parent;  // a key the system owns, or one under it
};

TEST_F(RegistryDeleteTest, ParentsTheSystemOwnsStay) {
    const std::vector<OwnedParentCase> cases = {
        // A fresh system's empty list of installed products.
        {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
        {HKEY_CURRENT_USER, L"Software\\Microsoft"},
        {HKEY_CURRENT_USER, L"Software\\Classes"},
        {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control"},
        {HKEY_LOCAL_MACHINE, L"Software\\Wow6432Node\\Microsoft"},
    };
    for (const OwnedParentCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.parent, c.parent + wcslen(c.parent)));
        // The last product entry under the owned key goes; the emptied owned key stays.
        const std::wstring product = OwnKeyUnder(c.root, c.parent);
        PutText(c.root, product, L"DisplayName", L"Printer");
        ASSERT_EQ(CRegistry::DeleteKey(product.c_str(), false, c.root), ERROR_SUCCESS);
        EXPECT_FALSE(KeyExists(c.root, product));
        EXPECT_TRUE(KeyExists(c.root, c.parent));
        // So does a key of ours under it, emptied.
        const std::wstring ours = OwnKeyUnder(c.root, c.parent);
        PutRaw(c.root, ours + L"\\Product");
        ASSERT_EQ(CRegistry::DeleteKey((ours + L"\\Product").c_str(), false, c.root), ERROR_SUCCESS);
        EXPECT_TRUE(KeyExists(c.root, ours));
    }
    // Under the 32-bit view's Software, a maker's own emptied keys go, the view's key stays.
    const std::wstring maker = OwnKeyUnder(HKEY_LOCAL_MACHINE, L"Software\\Wow6432Node");
    PutRaw(HKEY_LOCAL_MACHINE, maker + L"\\Program\\Installed");
    ASSERT_EQ(CRegistry::DeleteKey((maker + L"\\Program\\Installed").c_str(), false, HKEY_LOCAL_MACHINE),
              ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, maker));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Wow6432Node"));
}

TEST_F(RegistryDeleteTest, OnlyThisKey) {
    PutRaw(root_, Path(L"Parent\\Leaf"));
    PutRaw(root_, Path(L"Parent\\Busy\\Child"));
    // The platform refuses a key that has sub-keys; it is opened to everyone and tried once more.
    EXPECT_NE(CRegistry::DeleteKey(Path(L"Parent\\Busy").c_str(), true, root_), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_TRUE(KeyExists(root_, Path(L"Parent\\Busy\\Child")));
    // A key without sub-keys goes; its emptied parent is not looked at.
    EXPECT_EQ(CRegistry::DeleteKey(Path(L"Parent\\Busy\\Child").c_str(), true, root_), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(root_, Path(L"Parent\\Busy\\Child")));
    EXPECT_TRUE(KeyExists(root_, Path(L"Parent\\Busy")));
    EXPECT_EQ(CRegistry::DeleteKey(Path(L"Parent\\Missing").c_str(), true, root_), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(CRegistry::DeleteKey(Path(L"Parent\\Missing").c_str(), false, root_), ERROR_FILE_NOT_FOUND);
}

struct RetryCase {
    const char* what;
    bool onlyThisKey;
    const wchar_t* refused;  // relative to the test key
    int refusals;
    DWORD expected;
    std::size_t callsForRefused;
    std::vector<const wchar_t*> gone;
    std::vector<const wchar_t*> kept;
};

TEST_F(RegistryDeleteTest, AccessDeniedIsRetriedOnceAfterOpeningTheKey) {
    const std::vector<RetryCase> cases = {
        {"only this key, refused once", true, L"X\\Y\\Z", 1, ERROR_SUCCESS, 2, {L"X\\Y\\Z"}, {L"X\\Y"}},
        {"only this key, always refused", true, L"X\\Y\\Z", 9, ERROR_ACCESS_DENIED, 2, {}, {L"X\\Y\\Z"}},
        {"sub-key refused once", false, L"X\\Y\\Z", 1, ERROR_SUCCESS, 2, {L"X"}, {}},
        {"sub-key always refused", false, L"X\\Y\\Z", 9, ERROR_ACCESS_DENIED, 2, {L"X\\Y\\Z\\W"}, {L"X\\Y\\Z"}},
        {"missing key: nothing to open, no retry", true, L"X\\None", 9, ERROR_ACCESS_DENIED, 1, {}, {L"X\\Y\\Z"}},
    };
    for (const RetryCase& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteTree(root_, Path(L"X"));
        PutText(root_, Path(L"X\\Y\\Z\\W"), L"V", L"1");
        RefusingDeleter deleter;
        const std::wstring refused = Path(c.refused);
        deleter.refusals[refused] = c.refusals;
        const std::wstring target = c.onlyThisKey ? refused : Path(L"X\\Y");
        if (c.onlyThisKey && c.refusals < 9) DeleteTree(root_, Path(L"X\\Y\\Z\\W"));  // a key without sub-keys
        EXPECT_EQ(CRegistry::DeleteKey(target.c_str(), c.onlyThisKey, root_), c.expected);
        EXPECT_EQ(deleter.CallsFor(refused), c.callsForRefused);
        for (const wchar_t* key : c.gone) EXPECT_FALSE(KeyExists(root_, Path(key))) << Path(key).c_str();
        for (const wchar_t* key : c.kept) EXPECT_TRUE(KeyExists(root_, Path(key)));
        if (c.callsForRefused == 2 && c.expected == ERROR_SUCCESS) {
            // Before the second try the key was opened to everyone.
            const DaclView dacl = deleter.daclAtLastTry[refused];
            EXPECT_TRUE(dacl.everyone);
            EXPECT_EQ(dacl.mask, static_cast<DWORD>(KEY_ALL_ACCESS));
        }
    }
}

class DaclProbe : public CRegistry {
public:
    using CRegistry::SetDaclPermission;
};

TEST_F(RegistryDeleteTest, OpeningAKeyToEveryone) {
    PutRaw(root_, Path(L"Locked"));
    const DaclView before = ReadDacl(root_, Path(L"Locked"));

    // Without the security functions nothing changes.
    const CAPIFunction unloaded;
    EXPECT_EQ(DaclProbe::SetDaclPermission(Path(L"Locked").c_str(), root_, unloaded),
              static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    const DaclView unchanged = ReadDacl(root_, Path(L"Locked"));
    EXPECT_EQ(unchanged.entries, before.entries);
    EXPECT_EQ(unchanged.everyone, before.everyone);

    ASSERT_EQ(DaclProbe::SetDaclPermission(Path(L"Locked").c_str(), root_), ERROR_SUCCESS);
    const DaclView after = ReadDacl(root_, Path(L"Locked"));
    ASSERT_TRUE(after.read);
    EXPECT_EQ(after.entries, 1u);
    EXPECT_EQ(after.aceType, ACCESS_ALLOWED_ACE_TYPE);
    EXPECT_EQ(after.aceFlags, CONTAINER_INHERIT_ACE | INHERITED_ACE);
    EXPECT_EQ(after.mask, static_cast<DWORD>(KEY_ALL_ACCESS));
    EXPECT_TRUE(after.everyone);
    EXPECT_TRUE(after.autoInherited);

    EXPECT_EQ(DaclProbe::SetDaclPermission(Path(L"Missing").c_str(), root_), ERROR_FILE_NOT_FOUND);
}

}  // namespace
