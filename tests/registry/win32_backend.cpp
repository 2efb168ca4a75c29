// The conformance suite against the platform's registry (Wine's, in the
// test runs), in scratch keys that are removed before and after each test.
#include "registry/win32_registry_api.h"
#include "tests/registry/registry_backend.h"
#include "tests/support/system_registry_view.h"

namespace {

// The handles of the whole process, registry keys among them, as the system
// counts them (GetProcessHandleCount: XP SP1 and later); -1 without it.
int ProcessHandleCount()
{
    using GetProcessHandleCountFunction = BOOL(WINAPI*)(HANDLE, DWORD*);
    static const auto getProcessHandleCount = reinterpret_cast<GetProcessHandleCountFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetProcessHandleCount")));
    DWORD count = 0;
    return getProcessHandleCount && getProcessHandleCount(GetCurrentProcess(), &count) ? static_cast<int>(count) : -1;
}

class Win32RegistryBackend : public RegistryBackend {
public:
    // Counted from here on: removing the scratch keys has opened the roots,
    // whose handles the platform keeps for the rest of the process.
    Win32RegistryBackend() : m_handlesBefore((RemoveScratchKeys(), ProcessHandleCount())) {}
    ~Win32RegistryBackend() override { RemoveScratchKeys(); }
    RegistryApi& Api() override { return m_api; }
    REGSAM RawView() const override { return SystemView(); }
    int OpenHandleCount() const override
    {
        return m_handlesBefore < 0 ? -1 : ProcessHandleCount() - m_handlesBefore;
    }

private:
    static void RemoveScratchKeys()
    {
        DeleteTreeInView(HKEY_CURRENT_USER, kScratch, SystemView());
        DeleteTreeInView(HKEY_LOCAL_MACHINE, kScratch, SystemView());
    }

    Win32RegistryApi m_api;
    int m_handlesBefore;
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
        DeleteKeyInView(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_64KEY);
        DeleteKeyInView(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_32KEY);
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
