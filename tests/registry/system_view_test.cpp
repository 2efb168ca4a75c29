// The choice of registry view from what IsWow64Process answers: only a
// process that it says runs under WOW64 asks for the 64-bit view, since
// Windows 2000 denies access to every key opened with the flag.
#include <gtest/gtest.h>

#include "registry/system_view.h"

namespace {

BOOL WINAPI AnswersTrue(HANDLE, BOOL* wow64)
{
    *wow64 = TRUE;
    return TRUE;
}

BOOL WINAPI AnswersFalse(HANDLE, BOOL* wow64)
{
    *wow64 = FALSE;
    return TRUE;
}

// A failed call leaves its answer undefined; here it says "yes".
BOOL WINAPI Fails(HANDLE, BOOL* wow64)
{
    *wow64 = TRUE;
    return FALSE;
}

TEST(SystemViewAccess, OnlyATrueAnswerAsksForThe64BitView)
{
    const struct {
        const char* system;
        IsWow64ProcessFunction isWow64Process;
        REGSAM access;
    } cases[] = {
        {"Windows 2000, XP before SP2: no IsWow64Process", nullptr, 0},
        {"32-bit Windows", AnswersFalse, 0},
        {"IsWow64Process failing", Fails, 0},
        {"64-bit Windows (WOW64)", AnswersTrue, KEY_WOW64_64KEY},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.access, SystemViewAccess(c.isWow64Process, reinterpret_cast<HANDLE>(-1))) << c.system;
    }
}

}  // namespace
