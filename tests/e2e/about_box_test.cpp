// The system menu's About entry and the About box it opens.
#include "res/resource.h"
#include "tests/e2e/e2e_fixture.h"
#include "tests/e2e/real_input.h"

namespace {

using AboutBoxTest = QuilvexTest;

struct Child {
    std::string windowClass;
    DWORD style;
    std::string text;
};

std::vector<Child> ChildrenOf(HWND window)
{
    std::vector<Child> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back({QuilvexProcess::ClassOf(child), static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)),
                            QuilvexProcess::TextOf(child)});
    return children;
}

TEST_F(AboutBoxTest, SystemCommandOpensTheAboutBoxAndClosingLeavesTheDialogUnchanged)
{
    ASSERT_TRUE(quilvex.Start());
    std::vector<ControlState> opened = ControlStates(quilvex);

    struct Opening {
        WPARAM command;
        const char* closedBy;
    };
    // Any command that differs from IDM_ABOUTBOX in its low four bits only.
    for (Opening opening : {Opening{IDM_ABOUTBOX, "OK"}, Opening{IDM_ABOUTBOX | 0xF, "Escape"},
                            Opening{IDM_ABOUTBOX | 0x5, "close box"}}) {
        SCOPED_TRACE(opening.closedBy);
        quilvex.Post(WM_SYSCOMMAND, opening.command, 0);
        HWND about = quilvex.WaitForWindow(kAboutCaption, 5000);
        ASSERT_NE(about, nullptr) << "no About box for command " << opening.command;
        EXPECT_EQ(GetWindow(about, GW_OWNER), quilvex.dialog());
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(quilvex.dialog()); }, 2000))
            << "the main dialog takes input while the About box is open";

        std::vector<Child> children = ChildrenOf(about);
        ASSERT_EQ(children.size(), 4u);
        EXPECT_EQ(children[0].windowClass, "Static");
        EXPECT_EQ(children[0].style & SS_TYPEMASK, static_cast<DWORD>(SS_ICON));
        EXPECT_EQ(children[1].text, "Quilvex !  Version 1.1");
        EXPECT_FALSE(children[2].text.empty()) << "no author's notice";
        EXPECT_EQ(children[3].windowClass, "Button");
        EXPECT_EQ(children[3].text, "OK");

        if (opening.command == IDM_ABOUTBOX) {
            PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(about, IDOK)));
        } else if (opening.command == (IDM_ABOUTBOX | 0xF)) {
            HWND focus = quilvex.Focus();
            PostMessageA(focus ? focus : about, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        } else {
            PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 5000)) << "the About box stays";
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(quilvex.dialog()) != FALSE; }, 2000));
        EXPECT_TRUE(quilvex.Running());
    }

    EXPECT_EQ(ControlStates(quilvex), opened) << "the About box changed the dialog";
    // Nothing was counted: OK saves and asks nothing.
    quilvex.PostButton(IDOK);
    ExpectEndedWithoutQuestion();
}

// Wine keeps a window's menus in its own process (GetSystemMenu of another
// process's window gives NULL), so the menu is read the way a user reads it:
// Alt+Space opens it, Up from the first entry wraps to the last one, Enter
// chooses it.
TEST_F(AboutBoxTest, AltSpaceAndTheLastEntryOfTheSystemMenuOpenTheAboutBoxEnterClosesIt)
{
    ASSERT_TRUE(quilvex.Start());
    std::vector<ControlState> opened = ControlStates(quilvex);
    ASSERT_TRUE(BringToForeground(quilvex.dialog()));

    PressKey(VK_SPACE, {VK_MENU});
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (HWND window : quilvex.TopLevelWindows())
                if (IsWindowVisible(window) && QuilvexProcess::ClassOf(window) == "#32768") return true;
            return false;
        },
        5000))
        << "Alt+Space did not open the system menu";
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    HWND about = quilvex.WaitForWindow(kAboutCaption, 5000);
    ASSERT_NE(about, nullptr) << "the last entry of the system menu did not open the About box";

    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == about; }, 5000));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 5000)) << "Enter left the About box open";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(quilvex.dialog()) != FALSE; }, 2000));
    EXPECT_EQ(ControlStates(quilvex), opened) << "the About box changed the dialog";
    // The keyboard still reaches the main dialog: Escape is Cancel.
    PressKey(VK_ESCAPE);
    ExpectEndedWithoutQuestion();
}

}  // namespace
