// Tooltips shown when the pointer rests on a control of the dialog.
#include <commctrl.h>

#include "help/tooltip_texts.h"
#include "res/resource.h"
#include "tests/e2e/e2e_fixture.h"
#include "tests/e2e/real_input.h"

namespace {

using TooltipTest = QuilvexTest;

// The texts of the program's visible tooltip windows.
std::vector<std::string> ShownTips(const QuilvexProcess& quilvex)
{
    std::vector<std::string> tips;
    for (HWND window : quilvex.TopLevelWindows())
        if (IsWindowVisible(window) && QuilvexProcess::ClassOf(window) == "tooltips_class32")
            tips.push_back(QuilvexProcess::TextOf(window));
    return tips;
}

// The dialog's own tooltip: the one with tools; the automatic one holds at
// most the child under the pointer.
HWND OwnTooltip(const QuilvexProcess& quilvex, LRESULT* toolCount = nullptr)
{
    HWND own = nullptr;
    LRESULT tools = -1;
    for (HWND window : quilvex.TopLevelWindows()) {
        if (QuilvexProcess::ClassOf(window) != "tooltips_class32") continue;
        LRESULT count = QuilvexProcess::Send(window, TTM_GETTOOLCOUNT, 0, 0);
        if (count > tools) {
            own = window;
            tools = count;
        }
    }
    if (toolCount) *toolCount = tools;
    return own;
}

// Whether a tooltip has a tool at the centre of a window. The hit-test
// record goes through the program's own memory.
bool HasToolAt(const QuilvexProcess& quilvex, HWND toolTip, HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    TTHITTESTINFOA hit{};
    hit.hwnd = window;
    hit.pt = {client.right / 2, client.bottom / 2};
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ, FALSE, quilvex.processId());
    EXPECT_NE(process, nullptr);
    if (!process) return false;
    void* remote = VirtualAllocEx(process, nullptr, sizeof hit, MEM_COMMIT, PAGE_READWRITE);
    const bool written = remote && WriteProcessMemory(process, remote, &hit, sizeof hit, nullptr);
    EXPECT_TRUE(written);
    const bool found = written && QuilvexProcess::Send(toolTip, TTM_HITTESTA, 0, reinterpret_cast<LPARAM>(remote)) != 0;
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return found;
}

// Rests the pointer on a window; the tip with the text of id shows within 4 s.
// Returns the tooltip window that shows it, or null.
HWND ExpectTip(const QuilvexProcess& quilvex, HWND window, bool rightEdge, int id)
{
    RestPointerOn(window, rightEdge);
    const std::string expected = BuildTooltipText(id);
    std::vector<std::string> tips;
    HWND shownBy = nullptr;
    WaitUntil(
        [&] {
            tips.clear();
            for (HWND tip : quilvex.TopLevelWindows()) {
                if (!IsWindowVisible(tip) || QuilvexProcess::ClassOf(tip) != "tooltips_class32") continue;
                tips.push_back(QuilvexProcess::TextOf(tip));
                if (tips.back() == expected) shownBy = tip;
            }
            return shownBy != nullptr;
        },
        4000);
    EXPECT_NE(shownBy, nullptr) << "no tip for " << id << "; tips shown: " << tips.size()
                                << (tips.empty() ? "" : ", the first: " + tips[0]);
    return shownBy;
}

// Every control with a help text: the seventeen checkboxes show theirs
// through the dialog's own tooltip; the group box, registered nowhere, shows
// its through the automatic tips, at its right edge where no checkbox covers it.
struct TipCase {
    int id;
    bool ownTooltip;
};
const TipCase kTipCases[] = {
    {IDC_NTFS_LAST_ACCESS, true},
    {IDC_NTFS_8DOT3, true},
    {IDC_IRQ8_PRIORITY, true},
    {IDC_WIN32_PRIORITY_SEPARATION, true},
    {IDC_LARGE_SYSTEM_CACHE, true},
    {IDC_DISABLE_PAGING_EXECUTIVE, true},
    {IDC_IO_PAGE_LOCK_LIMIT, true},
    {IDC_CLASSIC_SHELL, true},
    {IDC_NO_ACTIVE_DESKTOP, true},
    {IDC_NO_CUSTOMIZE_WEB_VIEW, true},
    {IDC_NO_ACTIVE_DESKTOP_CHANGES, true},
    {IDC_DESKTOP_PROCESS, true},
    {IDC_ALWAYS_UNLOAD_DLL, true},
    {IDC_NO_SHARED_DOCUMENTS, true},
    {IDC_USE_SEARCH_ASST, true},
    {IDC_NO_RESOLVE_TRACK, true},
    {IDC_MAX_CACHED_ICONS, true},
    {IDC_SHELL_INTEGRATION_GROUP, false},
};

TEST_F(TooltipTest, EachOfTheEighteenTextsShowsAsItsTipAndNoTipShowsOverLink)
{
    ASSERT_TRUE(quilvex.Start());
    ASSERT_TRUE(BringToForeground(quilvex.dialog()));
    const HWND own = OwnTooltip(quilvex);
    ASSERT_NE(own, nullptr) << "no tooltip control";

    HWND automatic = nullptr;
    for (const TipCase& tip : kTipCases) {
        SCOPED_TRACE(testing::Message() << "control " << tip.id);
        HWND shownBy = ExpectTip(quilvex, quilvex.Item(tip.id), !tip.ownTooltip, tip.id);
        if (!shownBy) continue;
        if (tip.ownTooltip)
            EXPECT_EQ(shownBy, own) << "not shown by the dialog's own tooltip";
        else
            automatic = shownBy;
    }
    ASSERT_NE(automatic, nullptr);
    EXPECT_NE(automatic, own);

    // 1010 has no tip: the dialog's own tooltip has no tool there, and the
    // automatic one, whose tip is showing as the pointer leaves the group
    // box, keeps the text of its last attempt to show as its window text;
    // once that turns empty it has asked for the text of what is under the
    // pointer, and no tip may show.
    ASSERT_TRUE(IsWindowVisible(automatic)) << "no tip showing before the pointer moves on";
    RestPointerOn(quilvex.Item(IDC_LINK));
    EXPECT_FALSE(HasToolAt(quilvex, own, quilvex.Item(IDC_LINK)));
    EXPECT_TRUE(WaitUntil([&] { return QuilvexProcess::TextOf(automatic).empty(); }, 5000))
        << "the automatic tooltip asked for no text over 1010; it holds " << QuilvexProcess::TextOf(automatic);
    EXPECT_EQ(ShownTips(quilvex), std::vector<std::string>{}) << "tips over 1010";

    quilvex.PostButton(IDCANCEL);
    ExpectEndedWithoutQuestion();
}

TEST_F(TooltipTest, OwnTooltipShowsAlwaysWithItsDelaysNoWidthAndSeventeenTools)
{
    ASSERT_TRUE(quilvex.Start());
    LRESULT tools = -1;
    HWND own = OwnTooltip(quilvex, &tools);
    ASSERT_NE(own, nullptr) << "no tooltip control";
    EXPECT_EQ(tools, 17);
    EXPECT_EQ(GetWindow(own, GW_OWNER), quilvex.dialog());
    EXPECT_TRUE(GetWindowLongA(own, GWL_STYLE) & TTS_ALWAYSTIP);
    EXPECT_EQ(QuilvexProcess::Send(own, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 30000);
    EXPECT_EQ(QuilvexProcess::Send(own, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 1000);
    EXPECT_EQ(QuilvexProcess::Send(own, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 1000);
    EXPECT_EQ(QuilvexProcess::Send(own, TTM_GETMAXTIPWIDTH, 0, 0), 0);

    quilvex.PostButton(IDCANCEL);
    ExpectEndedWithoutQuestion();
}

}  // namespace
