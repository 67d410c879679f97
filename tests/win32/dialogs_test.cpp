// Dialog procedures driven directly, on a real dialog window, and the
// program's own resources as Windows reads them.
#include <gtest/gtest.h>

#include <string>

#include "../tools/gdi_count.h"

#include "core/globals.h"
#include "hook/hook_contract.h"
#include "label_support.h"
#include "ui/about.h"
#include "ui/contest.h"
#include "ui/welcome.h"
#include "win32_support.h"

namespace {

// Any dialog of the program serves as the window the procedures work on.
HWND MakeDialog()
{
    return CreateDialogParamA(AppInstance, RELAY_TEMPLATE_NAME, 0, 0, 0);
}

TEST(AboutDialog, TheBrushIsNeverHandedBackOnceDeleted)
{
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(AboutDlgProc(dialog, WM_INITDIALOG, 0, 0));
    HDC dc = GetDC(dialog);
    INT_PTR brush = AboutDlgProc(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_NE(0, brush);
    EXPECT_EQ(RGB(255, 255, 255), GetTextColor(dc));
    EXPECT_EQ(RGB(0, 0, 0), GetBkColor(dc));
    EXPECT_TRUE(AboutDlgProc(dialog, WM_CLOSE, 0, 0));
    EXPECT_EQ(nullptr, AboutBrush);
    EXPECT_EQ(0, AboutDlgProc(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), 0));
    ReleaseDC(dialog, dc);
    // Enter and Esc are not handled.
    EXPECT_FALSE(AboutDlgProc(dialog, WM_COMMAND, IDOK, 0));
    EXPECT_FALSE(AboutDlgProc(dialog, WM_COMMAND, IDCANCEL, 0));
    DestroyWindow(dialog);
}

TEST(ContestDialog, TracksItsWindowAndReleasesItsBrush)
{
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    ContestDlgProc(dialog, WM_INITDIALOG, 0, 0);
    EXPECT_EQ(dialog, ContestWindow);
    EXPECT_NE(nullptr, ContestBrush);
    // A double click on the picture, or another control, is not the click.
    EXPECT_FALSE(ContestDlgProc(dialog, WM_COMMAND, MAKEWPARAM(IdContestPicture, STN_DBLCLK), 0));
    EXPECT_FALSE(ContestDlgProc(dialog, WM_COMMAND, MAKEWPARAM(100, STN_CLICKED), 0));
    EXPECT_TRUE(ContestDlgProc(dialog, WM_CLOSE, 0, 0));
    EXPECT_EQ(nullptr, ContestWindow);
    EXPECT_EQ(nullptr, ContestBrush);
    DestroyWindow(dialog);
}

int IconWidth(HWND window, WPARAM which)
{
    return IconWidth(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, which, 0)));
}

// The welcome dialog at the DPI the tests run at: every text fits its control.
TEST(WelcomeDialog, EveryTextFitsItsControlAtTheDisplayDpi)
{
    HWND welcome = CreateDialogParamA(AppInstance, "welcome", 0, WelcomeDlgProc, 0);
    ASSERT_NE(nullptr, welcome);
    EXPECT_EQ("", TextsThatDoNotFit(welcome));
    DestroyWindow(welcome);
}

// A dialog's icons, big and small, come from the icon group at the sizes of the
// dialog's DPI (the group's nearest image scaled), also where Windows has no
// GetSystemMetricsForDpi (the system's sizes scaled), and follow a change of
// DPI; each replaced one is destroyed, and the last ones with the dialog.
TEST(DialogIcons, AreTakenAtTheSizesOfTheDialogsDpi)
{
    struct Row { UINT dpi; bool newerCalls; int big, small; };
    const Row rows[] = {
        { 96, true, 32, 16 }, { 120, true, 40, 20 }, { 144, true, 48, 24 },
        { 192, true, 64, 32 }, { 192, false, 64, 32 }, { 288, false, 96, 48 },
    };
    long gdiBefore = -1;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.dpi << " DPI" << (row.newerCalls ? "" : ", older Windows"));
        DisplayAt display(row.dpi);
        if (!row.newerCalls)
            display.WithoutNewerCalls();
        HWND welcome = CreateDialogParamA(AppInstance, "welcome", 0, WelcomeDlgProc, 0);
        ASSERT_NE(nullptr, welcome);
        if (gdiBefore < 0)
            gdiBefore = CountGdiObjects(GetCurrentProcess());
        EXPECT_EQ(row.big, IconWidth(welcome, ICON_BIG));
        EXPECT_EQ(row.small, IconWidth(welcome, ICON_SMALL));
        display.Play(96);
        SendDpiChange(welcome, row.dpi, 96);
        PumpMessages(30);
        EXPECT_EQ(32, IconWidth(welcome, ICON_BIG));
        EXPECT_EQ(16, IconWidth(welcome, ICON_SMALL));
        DestroyWindow(welcome);
    }
    HWND welcome = CreateDialogParamA(AppInstance, "welcome", 0, WelcomeDlgProc, 0);
    EXPECT_EQ(gdiBefore, CountGdiObjects(GetCurrentProcess())) << "icons left behind";
    DestroyWindow(welcome);
}

// The icon group: six images, ids 1 to 6, in the order of sizes and depths.
TEST(Resources, TheIconGroupHoldsSixImagesInOrder)
{
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colorCount, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
    struct GroupHeader {
        WORD reserved, type, count;
    };
#pragma pack(pop)
    HRSRC found = FindResourceA(AppInstance, "CLICKPOCKET", reinterpret_cast<LPCSTR>(RT_GROUP_ICON));
    ASSERT_NE(nullptr, found);
    const GroupHeader* header = static_cast<const GroupHeader*>(
        LockResource(LoadResource(AppInstance, found)));
    ASSERT_EQ(6, header->count);
    const GroupEntry* entries = reinterpret_cast<const GroupEntry*>(header + 1);
    const int sizes[6] = { 16, 16, 32, 32, 48, 48 };
    const int depths[6] = { 8, 32, 8, 32, 8, 32 };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(sizes[i], entries[i].width) << i;
        EXPECT_EQ(depths[i], entries[i].bitCount) << i;
        EXPECT_EQ(1, entries[i].planes) << i;
        EXPECT_EQ(0, entries[i].colorCount) << i;
        EXPECT_EQ(i + 1, entries[i].id) << i;
    }
    EXPECT_NE(nullptr, LoadIconA(AppInstance, "clickpocket"));
}

TEST(Resources, TheVersionBlockNamesTheProduct)
{
    HRSRC found = FindResourceA(AppInstance, MAKEINTRESOURCEA(1), reinterpret_cast<LPCSTR>(RT_VERSION));
    ASSERT_NE(nullptr, found);
    const char* data = static_cast<const char*>(LockResource(LoadResource(AppInstance, found)));
    std::string block(data, SizeofResource(AppInstance, found));
    // Version strings are stored as UTF-16: look for each value's wide form.
    auto wide = [](const char* text) {
        std::string w;
        for (const char* p = text; *p != '\0'; ++p) {
            w += *p;
            w += '\0';
        }
        return w;
    };
    for (const char* text : { "040904e4", "ClickPocket Executable", "1, 0, 0, 0", "ClickPocket.exe",
                              "For Microsoft Windows 98, ME, NT, 2K, 2K3, XP", "Translation" })
        EXPECT_NE(std::string::npos, block.find(wide(text))) << text;
    const VS_FIXEDFILEINFO* fixed = 0;
    for (size_t at = 0; at + sizeof(VS_FIXEDFILEINFO) <= block.size(); at += 4) {
        const VS_FIXEDFILEINFO* candidate = reinterpret_cast<const VS_FIXEDFILEINFO*>(data + at);
        if (candidate->dwSignature == 0xFEEF04BD) {
            fixed = candidate;
            break;
        }
    }
    ASSERT_NE(nullptr, fixed);
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VOS_NT_WINDOWS32), fixed->dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
}

}  // namespace
