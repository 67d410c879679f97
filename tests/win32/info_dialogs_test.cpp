// The About and contest dialogs opened by the control window's commands, as the
// user opens them: looked at from inside their modal loops, then closed by their
// close box message. Their texts, fonts and pictures, their owners, and what
// a hundred openings leave behind.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "../tools/gdi_count.h"
#include "core/globals.h"
#include "hook/hook_contract.h"
#include "label_support.h"
#include "paint/styled_label.h"
#include "ui/about.h"
#include "ui/contest.h"
#include "ui/dialog_texts.h"
#include "ui/mainwnd.h"
#include "win32_support.h"

namespace {

const char AboutTitle[] = "About ClickPocket";
const char ContestTitle[] = "* * * The Tidelocker Pro Cipher Contest 2007 * * *";

// Runs `look` on the dialog titled `title` once its modal loop is running, then
// closes it with WM_CLOSE.
std::function<void(HWND)> pendingLook;
const char* pendingTitle;
bool looked;

void CALLBACK LookAndClose(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowA(0, pendingTitle);
    if (dialog == 0 || !IsWindowVisible(dialog))
        return;
    KillTimer(0, timer);
    UpdateWindow(dialog);
    if (pendingLook)
        pendingLook(dialog);
    looked = true;
    SendMessageA(dialog, WM_CLOSE, 0, 0);
}

void RunCommand(int command, const char* title, std::function<void(HWND)> look)
{
    pendingLook = look;
    pendingTitle = title;
    looked = false;
    SetTimer(0, 0, 10, LookAndClose);
    SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    EXPECT_TRUE(looked) << title << " never opened";
}

struct ExpectedLabel {
    int id;
    const char* text;
    const char* face;
    int points;
    LONG weight;
    COLORREF color;
    UINT format;
};

void ExpectLabels(HWND dialog, const ExpectedLabel* labels, int count)
{
    for (int i = 0; i < count; ++i) {
        const ExpectedLabel& want = labels[i];
        SCOPED_TRACE(testing::Message() << "label " << want.id);
        int index = FindLabelSlot(GetDlgItem(dialog, want.id));
        ASSERT_NE(LabelSlotCount, index);
        const LabelSlot& slot = *LabelSlots[index];
        EXPECT_STREQ(want.text, slot.text);
        EXPECT_EQ(want.color, slot.textColor);
        EXPECT_EQ(RGB(0, 0, 0), slot.backColor);
        EXPECT_EQ(RGB(0, 0, 0), slot.fillColor);
        EXPECT_EQ(OPAQUE, slot.backMode);
        EXPECT_EQ(0, slot.margin);
        EXPECT_EQ(want.format, slot.format);
        ASSERT_NE(nullptr, slot.font);
        EXPECT_STREQ(want.face, slot.font->lfFaceName);
        EXPECT_EQ(-MulDiv(want.points, 96, 72), slot.font->lfHeight);
        EXPECT_EQ(want.weight, slot.font->lfWeight);
    }
}

// The sizes of the SS_BITMAP pictures, in the controls' order, as "WxH WxH".
std::string PictureSizes(HWND dialog)
{
    std::string sizes;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != 0;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
            continue;
        HGDIOBJ picture = reinterpret_cast<HGDIOBJ>(SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP info = {};
        if (picture == 0 || GetObjectA(picture, sizeof info, &info) == 0) {
            sizes += "none ";
            continue;
        }
        sizes += std::to_string(info.bmWidth) + "x" + std::to_string(info.bmHeight) + " ";
    }
    return sizes;
}

class InfoDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(OpenControlWindow(folder_));
        SendMessageA(MainWindow, PrivateMessage, REQUEST_SHOW_WINDOW, 0);
        PumpMessages(100);
    }
    void TearDown() override { CloseControlWindow(); }
    // Opens and closes a dialog a hundred times: GDI objects, label slots and
    // label memory end where they started.
    void ExpectNothingLeftAfterAHundred(int command, const char* title)
    {
        CheckedLabelHeap heap;
        HANDLE self = GetCurrentProcess();
        RunCommand(command, title, 0);      // the first opening loads what stays loaded
        long gdiBefore = CountGdiObjects(self);
        int slotsBefore = CountLabelSlots();
        int heldBefore = heap.held();
        for (int i = 0; i < 100; ++i)
            RunCommand(command, title, 0);
        EXPECT_EQ(gdiBefore, CountGdiObjects(self));
        EXPECT_EQ(slotsBefore, CountLabelSlots());
        EXPECT_EQ(heldBefore, heap.held());
        EXPECT_EQ(0, heap.badFrees());
    }
    ScratchFolder folder_;
};

TEST_F(InfoDialogs, AboutIsOwnedByTheHiddenControlWindowAndPaintsItsTable)
{
    RunCommand(IdAbout, AboutTitle, [](HWND about) {
        EXPECT_EQ(MainWindow, GetWindow(about, GW_OWNER));
        EXPECT_FALSE(IsWindowVisible(MainWindow));
        EXPECT_FALSE(IsWindowEnabled(MainWindow)) << "the owner takes input while About is open";
        const ExpectedLabel labels[] = {
            { 100, ABOUT_TEXT_PRODUCT, "Verdana", 7, FW_NORMAL, RGB(255, 255, 255), 0 },
            { 101, "If you have any question or comment, please email:\nsupport@corvellan.example",
              "Verdana", 7, FW_NORMAL, RGB(255, 255, 255), 0 },
            { 102, "Visit ClickPocket Web page at:\nhttp://www.corvellan.example/clickpocket/",
              "Verdana", 7, FW_NORMAL, RGB(255, 255, 255), 0 },
            { 103, "Download more freeware by Corvellan International at:\n"
                   "http://www.corvellan.example/freeware/",
              "Verdana", 7, FW_NORMAL, RGB(255, 255, 255), 0 },
            { 104, ABOUT_TEXT_NOTICE, "Verdana", 6, FW_NORMAL, RGB(192, 192, 192), DT_CENTER },
        };
        ExpectLabels(about, labels, 5);
        EXPECT_EQ("100x100 62x46 ", PictureSizes(about));
        EXPECT_EQ(RGB(0, 0, 0), PixelOf(about, 5, 5)) << "the background is not black";
        EXPECT_NE(nullptr, AboutBrush);
        // Enter and Esc leave it open.
        SendMessageA(about, WM_COMMAND, IDOK, 0);
        SendMessageA(about, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(IsWindowVisible(about));
    });
    EXPECT_EQ(nullptr, AboutBrush);
    EXPECT_TRUE(IsWindowEnabled(MainWindow));
    EXPECT_EQ(nullptr, FindWindowA(0, AboutTitle));
}

TEST_F(InfoDialogs, TheContestHasNoOwnerAndLeavesTheControlWindowUsable)
{
    RunCommand(IdContest, ContestTitle, [](HWND contest) {
        EXPECT_EQ(contest, ContestWindow);
        EXPECT_EQ(nullptr, GetWindow(contest, GW_OWNER));
        EXPECT_TRUE(IsWindowEnabled(MainWindow));
        EXPECT_TRUE(GetWindowLongA(contest, GWL_STYLE) & WS_MINIMIZEBOX);
        const COLORREF white = RGB(255, 255, 255);
        const ExpectedLabel labels[] = {
            { 100, "The Tidelocker Pro Cipher Contest 2007", "Georgia", 22, FW_BOLD,
              RGB(0, 204, 255), DT_CENTER },
            { 101, "WIN $50,000 CASH", "Arial Black", 22, FW_BOLD, RGB(255, 255, 0), DT_CENTER },
            { 102, CONTEST_TEXT_OFFER, "Verdana", 10, FW_NORMAL, white, 0 },
            { 103, CONTEST_TEXT_PUZZLE, "Verdana", 10, FW_NORMAL, white, 0 },
            { 104, CONTEST_TEXT_RULES, "Verdana", 10, FW_NORMAL, white, 0 },
            { 105, "For details and download, please click the box picture above.", "Verdana", 7,
              FW_NORMAL, RGB(192, 192, 192), 0 },
        };
        ExpectLabels(contest, labels, 6);
        EXPECT_EQ("150x150 62x46 ", PictureSizes(contest));
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(contest, IdContestPicture), GWL_STYLE) & SS_NOTIFY);
        EXPECT_EQ(RGB(0, 0, 0), PixelOf(contest, 5, 300));

        // The contest command again, from the control window: no second dialog,
        // the open one restored and brought forward.
        ShowWindow(contest, SW_MINIMIZE);
        SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(IdContest, 0), 0);
        EXPECT_FALSE(IsIconic(contest));
        EXPECT_EQ(contest, ContestWindow);
        EXPECT_EQ(contest, FindWindowA(0, ContestTitle));
        EXPECT_EQ(nullptr, FindWindowExA(0, contest, 0, ContestTitle)) << "a second dialog";
    });
    EXPECT_EQ(nullptr, ContestWindow);
    EXPECT_EQ(nullptr, ContestBrush);
    // Closed, the command opens a new one.
    RunCommand(IdContest, ContestTitle, 0);
}

TEST_F(InfoDialogs, AHundredOpeningsOfAboutLeaveNothingBehind)
{
    ExpectNothingLeftAfterAHundred(IdAbout, AboutTitle);
}

TEST_F(InfoDialogs, AHundredOpeningsOfTheContestLeaveNothingBehind)
{
    ExpectNothingLeftAfterAHundred(IdContest, ContestTitle);
}

TEST_F(InfoDialogs, ExitingWithTheContestOpenClosesIt)
{
    RunCommand(IdContest, ContestTitle, [](HWND contest) {
        DestroyWindow(MainWindow);          // the Exit command's last step
        EXPECT_EQ(nullptr, ContestWindow);
        EXPECT_FALSE(IsWindowVisible(contest));
        // The program's loop would now end; give the modal loop a window to close.
        PostMessageA(contest, WM_CLOSE, 0, 0);
    });
    MainWindow = 0;
}

}  // namespace
