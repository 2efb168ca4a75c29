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

// Rests the pointer on a window; the tip with the text of id shows within 4 s.
void ExpectTip(const QuilvexProcess& quilvex, HWND window, bool rightEdge, int id)
{
    RestPointerOn(window, rightEdge);
    const std::string expected = BuildTooltipText(id);
    std::vector<std::string> tips;
    bool shown = WaitUntil(
        [&] {
            tips = ShownTips(quilvex);
            for (const std::string& tip : tips)
                if (tip == expected) return true;
            return false;
        },
        4000);
    EXPECT_TRUE(shown) << "no tip for " << id << "; tips shown: " << tips.size()
                       << (tips.empty() ? "" : ", the first: " + tips[0]);
}

TEST_F(TooltipTest, TipsShowOverARegisteredCheckboxAndTheGroupBoxButNotOverLink)
{
    ASSERT_TRUE(quilvex.Start());
    SetForegroundWindow(quilvex.dialog());

    // 1010 has no tip: after well over the one-second delay, none shows.
    RestPointerOn(quilvex.Item(IDC_LINK));
    Sleep(2500);
    for (const std::string& tip : ShownTips(quilvex)) EXPECT_TRUE(tip.empty()) << "a tip over 1010: " << tip;

    ExpectTip(quilvex, quilvex.Item(IDC_NTFS_LAST_ACCESS), false, IDC_NTFS_LAST_ACCESS);
    // The group box is registered nowhere; the automatic tips answer for it
    // where no checkbox covers it.
    ExpectTip(quilvex, quilvex.Item(IDC_SHELL_INTEGRATION_GROUP), true, IDC_SHELL_INTEGRATION_GROUP);

    quilvex.PostButton(IDCANCEL);
    ExpectEndedWithoutQuestion();
}

TEST_F(TooltipTest, OwnTooltipShowsAlwaysWithItsDelaysNoWidthAndSeventeenTools)
{
    ASSERT_TRUE(quilvex.Start());
    // The dialog's own tooltip is the one with tools; the automatic one holds
    // at most the child under the pointer.
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
