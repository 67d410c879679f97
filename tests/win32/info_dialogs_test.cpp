// The About and contest dialogs opened by the control window's commands, as the
// user opens them: looked at from inside their modal loops, then closed by their
// close box message. Their texts, fonts and pictures, their owners, and what
// a hundred openings leave behind.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../tools/gdi_count.h"
#include "core/display_scale.h"
#include "core/globals.h"
#include "hook/hook_contract.h"
#include "label_support.h"
#include "paint/styled_label.h"
#include "ui/about.h"
#include "ui/contest.h"
#include "ui/dialog_scale.h"
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

void ExpectLabels(HWND dialog, const ExpectedLabel* labels, int count, UINT dpi = 96)
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
        EXPECT_EQ(-MulDiv(want.points, dpi, 72), slot.font->lfHeight);
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

// The pictures for a DPI, as PictureSizes gives them: each at its size times
// the scale, the control taking the size of the picture it shows.
std::string ScaledSizes(UINT dpi, int firstSide, int logoWidth, int logoHeight)
{
    return std::to_string(ScaleToDpi(firstSide, dpi)) + "x" + std::to_string(ScaleToDpi(firstSide, dpi))
        + " " + std::to_string(ScaleToDpi(logoWidth, dpi)) + "x"
        + std::to_string(ScaleToDpi(logoHeight, dpi)) + " ";
}

std::string IconSizes(HWND window)
{
    std::string sizes;
    for (WPARAM which : { WPARAM(ICON_BIG), WPARAM(ICON_SMALL) })
        sizes += std::to_string(IconWidth(reinterpret_cast<HICON>(
                     SendMessageA(window, WM_GETICON, which, 0)))) + " ";
    return sizes;
}

struct InfoDialog {
    int command;
    const char* title;
    int firstPicture;       // the side of the square picture at 100 %
    int labels[6];          // the styled labels, 0 ending the list
    int points[6];
};
const InfoDialog InfoDialogTable[] = {
    { IdAbout, AboutTitle, 100, { 100, 101, 102, 103, 104, 0 }, { 7, 7, 7, 7, 6 } },
    { IdContest, ContestTitle, 150, { 100, 101, 102, 103, 104, 105 }, { 22, 22, 10, 10, 10, 7 } },
};

// At the DPI the tests run at (96, and every scale to 350 % in the runs at those
// scales): the pictures and label fonts grown as the dialog manager grew the
// layout (its base units against 6 x 13), the icons made for the DPI, and every
// text fits its control.
TEST_F(InfoDialogs, PicturesFontsAndTextsAtTheDisplayDpi)
{
    UINT dpi = ScreenDpi();
    for (const InfoDialog& dialog : InfoDialogTable) {
        RunCommand(dialog.command, dialog.title, [&](HWND opened) {
            SCOPED_TRACE(dialog.title);
            EXPECT_EQ(dpi, WindowDpi(opened));
            RECT units = { 0, 0, 4, 8 };
            MapDialogRect(opened, &units);
            UINT layout = dpi == BaseDpi ? BaseDpi : LayoutDpi(units.right, units.bottom);
            EXPECT_EQ(layout, LayoutDpiAt(dpi)) << units.right << "x" << units.bottom;
            EXPECT_EQ(ScaledSizes(layout, dialog.firstPicture, 62, 46), PictureSizes(opened));
            for (int i = 0; i < 6 && dialog.labels[i] != 0; ++i) {
                int index = FindLabelSlot(GetDlgItem(opened, dialog.labels[i]));
                ASSERT_NE(LabelSlotCount, index);
                EXPECT_EQ(-MulDiv(dialog.points[i], layout, 72), LabelSlots[index]->font->lfHeight);
            }
            EXPECT_EQ(std::to_string(ScaleToDpi(32, dpi)) + " " + std::to_string(ScaleToDpi(16, dpi))
                          + " ", IconSizes(opened));
            EXPECT_EQ("", TextsThatDoNotFit(opened));
        });
    }
}

// What SetDialogControlDpiChangeBehavior was asked, control by control.
std::vector<std::string> controlBehaviors;

BOOL WINAPI RecordControlBehavior(HWND control, int mask, int values)
{
    controlBehaviors.push_back(std::to_string(GetDlgCtrlID(control)) + ":" + std::to_string(mask)
                               + "=" + std::to_string(values));
    return TRUE;
}

// Moved to monitors of other scales, the dialog manager lays an open dialog out
// (its labels keep their fonts: the dialog manager is told so), and then, from
// a posted message, the dialog swaps in its pictures, label fonts and icons for
// the new DPI, deleting the old ones. Also without the newer calls of Windows 10.
TEST_F(InfoDialogs, ADpiChangeBringsPicturesFontsAndIconsForTheNewScale)
{
    for (bool newerCalls : { true, false }) {
        for (const InfoDialog& dialog : InfoDialogTable) {
            DisplayAt display(96);
            if (!newerCalls)
                display.WithoutNewerCalls();
            else
                DisplayScale.setDialogControlDpiChangeBehavior = RecordControlBehavior;
            controlBehaviors.clear();
            RunCommand(dialog.command, dialog.title, [&](HWND opened) {
                SCOPED_TRACE(testing::Message() << dialog.title << (newerCalls ? "" : ", older Windows"));
                if (newerCalls) {
                    std::vector<std::string> keepFonts;
                    for (int i = 0; i < 6 && dialog.labels[i] != 0; ++i)
                        keepFonts.push_back(std::to_string(dialog.labels[i]) + ":1=1");
                    EXPECT_EQ(keepFonts, controlBehaviors);
                }
                HANDLE self = GetCurrentProcess();
                long gdiBefore = CountGdiObjects(self);
                UINT from = 96;
                for (UINT to : { 192u, 144u, 336u, 120u, 480u, 96u }) {
                    SCOPED_TRACE(testing::Message() << from << " to " << to << " DPI");
                    display.Play(to);
                    std::string before = PictureSizes(opened);
                    SendDpiChange(opened, from, to);
                    EXPECT_EQ(before, PictureSizes(opened)) << "swapped before the dialog manager";
                    PumpMessages(30);
                    UINT layout = LayoutDpiAt(to);
                    EXPECT_EQ(ScaledSizes(layout, dialog.firstPicture, 62, 46), PictureSizes(opened));
                    for (int i = 0; i < 6 && dialog.labels[i] != 0; ++i) {
                        const LabelSlot* slot = LabelSlots[FindLabelSlot(GetDlgItem(opened, dialog.labels[i]))];
                        EXPECT_EQ(-MulDiv(dialog.points[i], layout, 72), slot->font->lfHeight);
                    }
                    EXPECT_EQ(std::to_string(ScaleToDpi(32, to)) + " "
                                  + std::to_string(ScaleToDpi(16, to)) + " ", IconSizes(opened));
                    from = to;
                }
                EXPECT_EQ(gdiBefore, CountGdiObjects(self)) << "pictures or icons left behind";
            });
        }
    }
}

// A picture made for 200 % is the 200 % master itself, not the 100 % one stretched.
TEST_F(InfoDialogs, At200PercentThePictureIsItsMaster)
{
    RunCommand(IdAbout, AboutTitle, [](HWND) {
        HBITMAP shown = MakePictureForDpi(DialogPicture{ "ABOUT", 100, 100 }, 192);
        HBITMAP master = static_cast<HBITMAP>(
            LoadImageA(AppInstance, "ABOUT_200", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(nullptr, master);
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = 200;
        format.bmiHeader.biHeight = 200;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        std::vector<DWORD> shownBits(200 * 200), masterBits(200 * 200);
        HDC dc = GetDC(0);
        EXPECT_EQ(200, GetDIBits(dc, shown, 0, 200, shownBits.data(), &format, DIB_RGB_COLORS));
        EXPECT_EQ(200, GetDIBits(dc, master, 0, 200, masterBits.data(), &format, DIB_RGB_COLORS));
        ReleaseDC(0, dc);
        DeleteObject(master);
        DeleteObject(shown);
        EXPECT_TRUE(shownBits == masterBits);
    });
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
