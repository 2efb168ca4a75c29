// The conformance suite against the platform's registry (Wine's, in the
// test runs), in scratch keys that are removed before and after each test.
#include <cstdint>
#include <set>

#include "registry/win32_registry_api.h"
#include "tests/registry/registry_backend.h"
#include "tests/support/forwarding_registry_api.h"
#include "tests/support/system_registry_view.h"

namespace {

// Counts the keys opened through it and not closed yet. The system's count
// cannot serve: Wine's GetProcessHandleCount answers 0 whatever is open.
class HandleCountingApi : public ForwardingRegistryApi {
public:
    explicit HandleCountingApi(RegistryApi& inner) : ForwardingRegistryApi(inner) {}

    LONG OpenKeyEx(HKEY root, const char* subKey, DWORD options, REGSAM access, HKEY* result) override
    {
        return Noted(ForwardingRegistryApi::OpenKeyEx(root, subKey, options, access, result), result);
    }
    LONG CreateKeyEx(HKEY root, const char* subKey, DWORD reserved, const char* keyClass, DWORD options, REGSAM access,
                     HKEY* result, DWORD* disposition) override
    {
        return Noted(
            ForwardingRegistryApi::CreateKeyEx(root, subKey, reserved, keyClass, options, access, result, disposition),
            result);
    }
    LONG CloseKey(HKEY key) override
    {
        const LONG status = ForwardingRegistryApi::CloseKey(key);
        const auto it = m_open.find(key);
        if (status == ERROR_SUCCESS && it != m_open.end()) m_open.erase(it);
        return status;
    }

    int OpenCount() const { return static_cast<int>(m_open.size()); }

private:
    // A predefined root handed back for an empty path is no handle to close.
    LONG Noted(LONG status, HKEY* result)
    {
        const uintptr_t value = result ? reinterpret_cast<uintptr_t>(*result) : 0;
        if (status == ERROR_SUCCESS && (value & 0xFFFFFFF0u) != 0x80000000u) m_open.insert(*result);
        return status;
    }

    std::multiset<HKEY> m_open;
};

class Win32RegistryBackend : public RegistryBackend {
public:
    Win32RegistryBackend() { RemoveScratchKeys(); }
    ~Win32RegistryBackend() override { RemoveScratchKeys(); }
    RegistryApi& Api() override { return m_counting; }
    REGSAM RawView() const override { return SystemView(); }
    int OpenHandleCount() const override { return m_counting.OpenCount(); }

private:
    static void RemoveScratchKeys()
    {
        DeleteTreeInView(HKEY_CURRENT_USER, kScratch, SystemView());
        DeleteTreeInView(HKEY_LOCAL_MACHINE, kScratch, SystemView());
    }

    Win32RegistryApi m_api;
    HandleCountingApi m_counting{m_api};
};

// Under WOW64, looks in one view (KEY_WOW64_64KEY or KEY_WOW64_32KEY) for the
// key or, given a name, for its value.
bool FoundInView(const char* keyPath, const char* valueName, REGSAM view)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) return false;
    const bool found =
        !valueName || RegQueryValueExA(key, valueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

}  // namespace

BackendParam Win32Backend()
{
    return {"Win32", [] { return std::unique_ptr<RegistryBackend>(new Win32RegistryBackend); }};
}

INSTANTIATE_TEST_SUITE_P(Win32, RegistryConformance, ::testing::Values(Win32Backend()));

// The system and the 64-bit Explorer read HKLM\SOFTWARE in the 64-bit view;
// the redirected copy of a 32-bit program is never read.
TEST(Win32RegistryApiUnderWow64, WritesAndDeletesInTheSystemsView)
{
    if (!RunsUnderWow64()) {
        ASSERT_FALSE(Wow64Expected()) << "this entry is meant to run under WOW64, and does not";
        GTEST_SKIP() << "not under WOW64: the registry has one view";
    }
    const char kKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\QuilvexTest";
    const auto removeScratch = [&] {
        DeleteTreeInView(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_64KEY);
        DeleteTreeInView(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_32KEY);
    };
    removeScratch();
    Win32RegistryApi api;
    RegistryAccess registry(api);

    EXPECT_EQ(1, registry.SetDwordValue(HKEY_LOCAL_MACHINE, kKey, "v", 7));
    EXPECT_TRUE(FoundInView(kKey, "v", KEY_WOW64_64KEY));
    EXPECT_FALSE(FoundInView(kKey, "v", KEY_WOW64_32KEY));

    // The key in both views: the delete is meant for the system's, and the
    // redirected copy stays.
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr,
                                                 &key, nullptr));
        RegCloseKey(key);
    }
    EXPECT_EQ(ERROR_SUCCESS, registry.DeleteKey(HKEY_LOCAL_MACHINE, kKey));
    EXPECT_FALSE(FoundInView(kKey, nullptr, KEY_WOW64_64KEY));
    EXPECT_TRUE(FoundInView(kKey, nullptr, KEY_WOW64_32KEY));
    removeScratch();
}
