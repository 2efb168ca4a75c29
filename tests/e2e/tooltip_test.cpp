// Tooltips shown when the pointer rests on a control of the dialog.
#include "help/tooltip_texts.h"
#include "res/resource.h"
#include "tests/e2e/e2e_fixture.h"

namespace {

using TooltipTest = QuilvexTest;

// Moves the pointer as the mouse does: onto the centre of a window, or
// inside its right edge.
void RestPointerOn(HWND window, bool rightEdge = false) {
    RECT rect;
    ASSERT_TRUE(GetWindowRect(window, &rect));
    int x = rightEdge ? rect.right - 4 : (rect.left + rect.right) / 2;
    int y = (rect.top + rect.bottom) / 2;
    SetCursorPos(x, y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

// The texts of the program's visible tooltip windows.
std::vector<std::string> ShownTips(const QuilvexProcess& quilvex) {
    std::vector<std::string> tips;
    for (HWND window : quilvex.TopLevelWindows())
        if (IsWindowVisible(window) && QuilvexProcess::ClassOf(window) == "tooltips_class32")
            tips.push_back(QuilvexProcess::TextOf(window));
    return tips;
}

// Rests the pointer on a window; the tip with the text of id shows within 4 s.
void ExpectTip(const QuilvexProcess& quilvex, HWND window, bool rightEdge, int id) {
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

TEST_F(TooltipTest, TipsShowOverARegisteredCheckboxAndTheGroupBoxButNotOverLink) {
    ASSERT_TRUE(quilvex.Start());
    SetForegroundWindow(quilvex.dialog());

    // 1010 has no tip: after well over the one-second delay, none shows.
    RestPointerOn(quilvex.Item(IDC_LINK));
    Sleep(2500);
    for (const std::string& tip : ShownTips(quilvex))
        EXPECT_TRUE(tip.empty()) << "a tip over 1010: " << tip;

    ExpectTip(quilvex, quilvex.Item(IDC_NTFS_LAST_ACCESS), false, IDC_NTFS_LAST_ACCESS);
    // The group box is registered nowhere; the automatic tips answer for it
    // where no checkbox covers it.
    ExpectTip(quilvex, quilvex.Item(IDC_SHELL_INTEGRATION_GROUP), true,
              IDC_SHELL_INTEGRATION_GROUP);

    quilvex.PostButton(IDCANCEL);
    ExpectEndedWithoutQuestion();
}

}  // namespace
