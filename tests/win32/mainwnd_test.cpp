// The control window from its template, its requests and its keyboard handling.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/globals.h"
#include "hook/hook_contract.h"
#include "ui/mainwnd.h"
#include "win32_support.h"

namespace {

class ControlWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(OpenControlWindow(folder_));
    }
    void TearDown() override { CloseControlWindow(); }
    int FocusedId() { return GetDlgCtrlID(GetFocus()); }
    void Show() { SendMessageA(MainWindow, PrivateMessage, REQUEST_SHOW_WINDOW, 0); }
    ScratchFolder folder_;
};

TEST_F(ControlWindow, IsCreatedHiddenTopmostFromItsTemplate)
{
    EXPECT_FALSE(IsWindowVisible(MainWindow));
    LONG exStyle = GetWindowLongA(MainWindow, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(GetWindowLongA(MainWindow, GWL_STYLE) & WS_SYSMENU);
    char text[64];
    GetWindowTextA(MainWindow, text, sizeof text);
    EXPECT_STREQ("ClickPocket 1.0", text);
    GetClassNameA(MainWindow, text, sizeof text);
    EXPECT_STREQ("clickpocket", text);
    for (int id : { 100, 101, 102, 103, 104, 105, 106, 500 })
        EXPECT_NE(nullptr, GetDlgItem(MainWindow, id)) << id;
    GetDlgItemTextA(MainWindow, IdShiftOption, text, sizeof text);
    EXPECT_STREQ("If the Left Shift key is pressed", text);
}

TEST_F(ControlWindow, AnyNonZeroRequestShowsItWithTheFocusOnHide)
{
    for (WPARAM request : { WPARAM(1), WPARAM(2), ~WPARAM(0) }) {
        ShowWindow(MainWindow, SW_HIDE);
        SetFocus(GetDlgItem(MainWindow, IdExit));
        SendMessageA(MainWindow, PrivateMessage, request, 0);
        EXPECT_TRUE(IsWindowVisible(MainWindow)) << request;
        EXPECT_EQ(IdHide, FocusedId()) << request;
    }
}

TEST_F(ControlWindow, NoMessageIsTakenForTheRequestBeforeItIsRegistered)
{
    PrivateMessage = 0;
    SendMessageA(MainWindow, 0, REQUEST_SHOW_WINDOW, 0);    // WM_NULL stays WM_NULL
    EXPECT_FALSE(IsWindowVisible(MainWindow));
}

TEST_F(ControlWindow, HideCommandAndHideMainWindowBothHide)
{
    Show();
    SendMessageA(MainWindow, WM_COMMAND, IdHide, 0);
    EXPECT_FALSE(IsWindowVisible(MainWindow));
    Show();
    SetFocus(GetDlgItem(MainWindow, IdExit));
    HideMainWindow(MainWindow);
    EXPECT_FALSE(IsWindowVisible(MainWindow));
}

TEST_F(ControlWindow, TabWalksTheControlsInTemplateOrder)
{
    Show();
    SetFocus(GetDlgItem(MainWindow, IdDownload));
    const int order[] = { 101, 102, 103, 104, 105, 500, 106, 100 };
    for (int expected : order) {
        MSG tab = { GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, { 0, 0 } };
        ASSERT_TRUE(IsDialogMessageA(MainWindow, &tab));
        EXPECT_EQ(expected, FocusedId());
    }
    SendMessageA(MainWindow, WM_NEXTDLGCTL, 1, 0);             // Shift+Tab goes back
    EXPECT_EQ(106, FocusedId());
}

TEST_F(ControlWindow, EnterRunsTheFocusedCommandAndEscapeDoesNothing)
{
    Show();
    SendMessageA(MainWindow, WM_COMMAND, IDCANCEL, 0);
    PumpMessages(50);
    EXPECT_TRUE(IsWindowVisible(MainWindow));
    SetFocus(GetDlgItem(MainWindow, IdHide));
    SendMessageA(MainWindow, WM_COMMAND, IDOK, 0);
    PumpMessages(50);
    EXPECT_FALSE(IsWindowVisible(MainWindow));
}

TEST_F(ControlWindow, ClosingAsksFirstAndNoKeepsEverything)
{
    MessageBoxWatcher watcher(IDNO);
    SetFocus(GetDlgItem(MainWindow, IdExit));
    SendMessageA(MainWindow, WM_CLOSE, 0, 0);           // hidden, and still asks
    ASSERT_TRUE(IsWindow(MainWindow));
    EXPECT_EQ(IdHide, FocusedId());
    std::vector<SeenMessageBox> seen = watcher.seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Your attention please!", seen[0].caption);
    EXPECT_EQ(MainWindow, seen[0].owner);
    std::string folder = folder_.path().substr(0, folder_.path().size() - 1);
    EXPECT_NE(std::string::npos, seen[0].text.find("folder:\n\n" + folder + "\n\nAre you sure"));
}

}  // namespace
