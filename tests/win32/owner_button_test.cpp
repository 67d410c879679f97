// The control window's owner-drawn buttons on the real window: their looks in
// each state, read back as pixels and from their label slots, repaints without
// a new draw request, and no GDI object or label memory left behind.
#include <gtest/gtest.h>

#include "../tools/gdi_count.h"
#include "core/globals.h"
#include "hook/hook_contract.h"
#include "label_support.h"
#include "paint/owner_button.h"
#include "paint/styled_label.h"
#include "ui/mainwnd.h"
#include "win32_support.h"

namespace {

const COLORREF DarkGrey = RGB(51, 51, 51);
const COLORREF Orange = RGB(255, 102, 0);
const COLORREF Brown = RGB(153, 51, 0);
const COLORREF Yellow = RGB(255, 255, 0);
const COLORREF White = RGB(255, 255, 255);
const COLORREF Silver = RGB(192, 192, 192);

int drawRequests;
WNDPROC mainProc;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM)
        ++drawRequests;
    return CallWindowProcA(mainProc, window, message, wParam, lParam);
}

class OwnerButtons : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(OpenControlWindow(folder_));
        mainProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            MainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
    }
    void TearDown() override
    {
        CloseControlWindow();
        EXPECT_EQ(0, CountLabelSlots());
    }
    void Show()
    {
        SendMessageA(MainWindow, PrivateMessage, REQUEST_SHOW_WINDOW, 0);
        PumpMessages(150);
    }
    static HWND Button(int id) { return GetDlgItem(MainWindow, id); }
    static const LabelSlot* SlotOf(int id)
    {
        int index = FindLabelSlot(Button(id));
        return index == LabelSlotCount ? 0 : LabelSlots[index];
    }
    static COLORREF Corner(int id) { return PixelOf(Button(id), 1, 1); }
    // A draw request as a button sends it, for button id.
    static void Draw(int id, UINT action, UINT state)
    {
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_BUTTON;
        draw.CtlID = id;
        draw.itemAction = action;
        draw.itemState = state;
        draw.hwndItem = Button(id);
        SendMessageA(MainWindow, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&draw));
    }
    ScratchFolder folder_;
};

TEST_F(OwnerButtons, ShowPaintsEveryButtonWithItsOwnLabelAndLook)
{
    Show();
    for (int id = 100; id <= 106; ++id) {
        const LabelSlot* slot = SlotOf(id);
        ASSERT_NE(nullptr, slot) << id;
        EXPECT_STREQ(ButtonLabels[id - 100], slot->text) << id;
        EXPECT_EQ(OPAQUE, slot->backMode);
        EXPECT_EQ(slot->backColor, slot->fillColor) << "fill and text background differ";
    }
    EXPECT_STREQ("HIDE", SlotOf(105)->text);
    for (int id = 100; id <= 104; ++id) {
        EXPECT_EQ(DarkGrey, Corner(id)) << id;
        EXPECT_EQ(White, SlotOf(id)->textColor) << id;
    }
    // The window is shown with the focus on Hide.
    EXPECT_EQ(Brown, Corner(105));
    EXPECT_EQ(Yellow, SlotOf(105)->textColor);
    EXPECT_EQ(Orange, Corner(106));
    EXPECT_EQ(White, SlotOf(106)->textColor);

    EXPECT_STREQ("Arial Narrow", SlotOf(101)->font->lfFaceName);
    EXPECT_EQ(FW_BOLD, SlotOf(101)->font->lfWeight);
    EXPECT_EQ(-MulDiv(10, 96, 72), SlotOf(101)->font->lfHeight);
    EXPECT_STREQ("Arial Black", SlotOf(106)->font->lfFaceName);
    EXPECT_EQ(FW_NORMAL, SlotOf(106)->font->lfWeight);
    EXPECT_EQ(-MulDiv(19, 96, 72), SlotOf(106)->font->lfHeight);
    // Button 100's three lines wrap inside the button; the others are single lines.
    EXPECT_EQ(static_cast<UINT>(DT_CENTER | DT_VCENTER), SlotOf(100)->format);
    EXPECT_EQ(static_cast<UINT>(DT_CENTER | DT_VCENTER | DT_SINGLELINE), SlotOf(101)->format);
}

TEST_F(OwnerButtons, EachStateHasItsLook)
{
    Show();
    // dpi: the button's, as Windows tells it (0: a Windows that does not, where
    // the screen's LOGPIXELSY counts); its fonts are made for the layout there.
    struct Case { int id; UINT action, state; COLORREF text, back; int points; UINT dpi; };
    const Case cases[] = {
        { 101, ODA_SELECT, ODS_SELECTED, Yellow, RGB(0, 0, 0), 7, 96 },     // pressed
        { 100, ODA_SELECT, ODS_SELECTED, Yellow, RGB(0, 0, 0), 9, 96 },
        { 106, ODA_SELECT, ODS_SELECTED, Yellow, RGB(0, 0, 0), 15, 96 },
        { 101, ODA_SELECT, 0, Yellow, Brown, 10, 96 },                      // released
        { 101, ODA_SELECT, ODS_FOCUS, Yellow, Brown, 10, 96 },
        { 101, ODA_FOCUS, ODS_FOCUS, Yellow, Brown, 10, 96 },
        { 101, ODA_FOCUS, 0, White, DarkGrey, 10, 96 },
        { 106, ODA_FOCUS, 0, White, Orange, 19, 96 },
        { 102, ODA_SELECT, ODS_DISABLED | ODS_SELECTED, Silver, DarkGrey, 10, 96 },
        { 102, ODA_FOCUS, ODS_DISABLED | ODS_FOCUS, Silver, DarkGrey, 10, 96 },
        { 102, ODA_DRAWENTIRE, ODS_DISABLED, Silver, DarkGrey, 10, 96 },
        { 101, ODA_FOCUS, 0, White, DarkGrey, 10, 144 },                    // other scales
        { 101, ODA_SELECT, ODS_SELECTED, Yellow, RGB(0, 0, 0), 7, 192 },
        { 100, ODA_SELECT, ODS_SELECTED, Yellow, RGB(0, 0, 0), 9, 120 },
        { 106, ODA_FOCUS, 0, White, Orange, 19, 192 },
        { 106, ODA_SELECT, ODS_SELECTED, Yellow, RGB(0, 0, 0), 15, 336 },
        { 104, ODA_FOCUS, ODS_FOCUS, Yellow, Brown, 10, 0 },
    };
    for (const Case& c : cases) {
        DisplayAt display(c.dpi);
        Draw(c.id, c.action, c.state);
        const LabelSlot* slot = SlotOf(c.id);
        SCOPED_TRACE(testing::Message() << "button " << c.id << " action " << c.action
                                        << " state " << c.state << " at " << c.dpi << " DPI");
        UINT dpi = c.dpi != 0 ? c.dpi : ScreenDpi();
        EXPECT_EQ(c.text, slot->textColor);
        EXPECT_EQ(c.back, slot->backColor);
        EXPECT_EQ(c.back, Corner(c.id));
        EXPECT_EQ(-MulDiv(c.points, LayoutDpiAt(dpi), 72), slot->font->lfHeight);
        EXPECT_EQ(c.points >= 10 && c.id != 106 ? FW_BOLD : FW_NORMAL, slot->font->lfWeight);
    }
}

TEST_F(OwnerButtons, AFullRedrawAsksTheButtonForItsFocusAndNoActionPaintsNothing)
{
    Show();
    SetFocus(Button(103));
    Draw(103, ODA_DRAWENTIRE, 0);       // itemState says nothing of the focus
    EXPECT_EQ(Brown, Corner(103));
    Draw(104, ODA_DRAWENTIRE, ODS_FOCUS);   // itemState claims a focus it lacks
    EXPECT_EQ(DarkGrey, Corner(104));
    Draw(104, 0, ODS_SELECTED);
    EXPECT_EQ(DarkGrey, Corner(104));
    EXPECT_EQ(White, SlotOf(104)->textColor);
}

TEST_F(OwnerButtons, AButtonDisabledBeforeItsFirstPaintShowsTheDisabledLook)
{
    EnableWindow(Button(102), FALSE);
    Show();
    EXPECT_EQ(DarkGrey, Corner(102));
    EXPECT_EQ(Silver, SlotOf(102)->textColor);
}

TEST_F(OwnerButtons, CoveringAndUncoveringRepaintsTheLastLookWithoutADrawRequest)
{
    Show();
    Draw(101, ODA_SELECT, ODS_SELECTED);
    drawRequests = 0;
    RedrawWindow(MainWindow, 0, 0, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages(100);
    EXPECT_EQ(0, drawRequests);
    EXPECT_EQ(RGB(0, 0, 0), Corner(101));
    EXPECT_EQ(Brown, Corner(105));
    EXPECT_EQ(Orange, Corner(106));
}

TEST_F(OwnerButtons, ShowingHidingAndPressingLeaveNoGdiObjectOrLabelMemoryBehind)
{
    CheckedLabelHeap heap;
    HANDLE self = GetCurrentProcess();
    Show();
    ShowWindow(MainWindow, SW_HIDE);
    long gdiBefore = CountGdiObjects(self);
    int heldBefore = heap.held();
    ASSERT_GT(gdiBefore, 0);
    for (int round = 0; round < 200; ++round) {
        SendMessageA(MainWindow, PrivateMessage, REQUEST_SHOW_WINDOW, 0);
        RedrawWindow(MainWindow, 0, 0, RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpMessages(0);
        for (int id = 100; id <= 106; ++id) {
            SetFocus(Button(id));
            SendMessageA(Button(id), BM_SETSTATE, TRUE, 0);
            SendMessageA(Button(id), BM_SETSTATE, FALSE, 0);
        }
        ShowWindow(MainWindow, SW_HIDE);
    }
    PumpMessages(50);
    EXPECT_EQ(gdiBefore, CountGdiObjects(self));
    EXPECT_EQ(heldBefore, heap.held());
    EXPECT_EQ(0, heap.badFrees());
}

TEST(GdiCount, SeesObjectsComeAndGo)
{
    HANDLE self = GetCurrentProcess();
    long before = CountGdiObjects(self);
    ASSERT_GT(before, 0);
    HBRUSH brushes[16];
    for (HBRUSH& brush : brushes)
        brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(before + 16, CountGdiObjects(self));
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    EXPECT_EQ(before, CountGdiObjects(self));
}

}  // namespace
