// Styled labels on real windows: registration, repaint, update, the table's
// limits, teardown, the text rectangle and the font description, and what
// happens when memory runs out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "label_support.h"
#include "paint/styled_label.h"
#include "win32_support.h"

namespace {

const COLORREF White = RGB(255, 255, 255);
const COLORREF Black = RGB(0, 0, 0);
const COLORREF Green = RGB(10, 200, 30);

class StyledLabel : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_ = MakeProbeHost(400, 300);
        ASSERT_NE(nullptr, host_);
        ASSERT_EQ(0, CountLabelSlots());
    }
    void TearDown() override
    {
        DestroyWindow(host_);
        EXPECT_EQ(0, CountLabelSlots()) << "a destroyed window kept its slot";
    }
    HWND Probe(int width = 60, int height = 20) { return MakeProbe(host_, 5, 5, width, height); }
    static const LabelSlot& SlotOf(HWND window)
    {
        return *LabelSlots[FindLabelSlot(window)];
    }
    static WNDPROC ProcOf(HWND window)
    {
        return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    }
    static void Scribble(HWND window)
    {
        HDC dc = GetDC(window);
        RECT all = { 0, 0, 1000, 1000 };
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ReleaseDC(window, dc);
    }
    static void Repaint(HWND window)
    {
        InvalidateRect(window, 0, TRUE);
        UpdateWindow(window);
    }
    HWND host_;
};

TEST_F(StyledLabel, TheFirstCallPaintsAtOnceAndLaterPaintsComeFromTheSlot)
{
    HWND probe = Probe();
    ASSERT_EQ(White, PixelOf(probe, 0, 0));
    EXPECT_EQ(1, SetStyledLabel(probe, "", LabelNoColor, LabelNoColor, Green, 0, LabelNoMode, 0,
                                0));
    // Painted before any message was dispatched, and subclassed.
    EXPECT_EQ(Green, PixelOf(probe, 0, 0));
    EXPECT_EQ(Green, PixelOf(probe, 59, 19));
    EXPECT_EQ(LabelWndProc, ProcOf(probe));
    EXPECT_EQ(1, SlotOf(probe).paintOnly);

    Scribble(probe);
    Repaint(probe);
    EXPECT_EQ(Green, PixelOf(probe, 30, 10));
    EXPECT_EQ(0, ProbeSeen(probe).paints) << "the window's own procedure saw WM_PAINT";
    EXPECT_EQ(nullptr, SlotOf(probe).paintDc) << "an ended paint's device context was kept";
}

TEST_F(StyledLabel, OnlyTheNoColourValueMeansNoFill)
{
    HWND unfilled = Probe();
    HWND black = MakeProbe(host_, 100, 5, 60, 20);
    SetStyledLabel(unfilled, "", White, Black, LabelNoColor, 0, OPAQUE, 0, 0);
    SetStyledLabel(black, "", White, White, Black, 0, OPAQUE, 0, 0);
    EXPECT_EQ(White, PixelOf(unfilled, 30, 10));
    EXPECT_EQ(Black, PixelOf(black, 30, 10)) << "an empty text still gets its fill";
}

TEST_F(StyledLabel, AnUpdateKeepsWhatItIsNotGivenAndTakesTheRest)
{
    HWND probe = Probe();
    const LOGFONTA* font = MakeFontSpec("Arial", 12, 1, 0, 0, 0, probe);
    ASSERT_NE(nullptr, font);
    ASSERT_EQ(1, SetStyledLabel(probe, "first", RGB(200, 0, 0), RGB(0, 0, 200), Green, 1, OPAQUE,
                                DT_CENTER, font));
    LONG firstHeight = font->lfHeight;
    MakeFontSpec("Courier New", 30, 0, 0, 0, 0, probe);   // the caller's description changes

    std::string second = "second";
    ASSERT_EQ(1, SetStyledLabel(probe, second.c_str(), LabelNoColor, LabelNoColor,
                                RGB(250, 250, 0), 4, LabelNoMode, DT_RIGHT, 0));
    second = "SCRIBBLED";                                 // the label keeps its own copy
    const LabelSlot& slot = SlotOf(probe);
    EXPECT_EQ(RGB(200, 0, 0), slot.textColor);
    EXPECT_EQ(RGB(0, 0, 200), slot.backColor);
    EXPECT_EQ(OPAQUE, slot.backMode);
    EXPECT_STREQ("second", slot.text);
    EXPECT_EQ(RGB(250, 250, 0), slot.fillColor);
    EXPECT_EQ(4, slot.margin);
    EXPECT_EQ(static_cast<UINT>(DT_RIGHT), slot.format);
    ASSERT_NE(nullptr, slot.font) << "a null font dropped the first call's font";
    EXPECT_STREQ("Arial", slot.font->lfFaceName);
    EXPECT_EQ(firstHeight, slot.font->lfHeight);
    EXPECT_EQ(FW_BOLD, slot.font->lfWeight);
    EXPECT_EQ(RGB(250, 250, 0), PixelOf(probe, 0, 0));
}

TEST_F(StyledLabel, AFirstCallWithoutColoursTakesThoseOfAFreshDeviceContext)
{
    HWND probe = Probe();
    HDC dc = GetDC(probe);
    COLORREF text = GetTextColor(dc), back = GetBkColor(dc);
    int mode = GetBkMode(dc);
    ReleaseDC(probe, dc);
    ASSERT_EQ(1, SetStyledLabel(probe, "x", LabelNoColor, LabelNoColor, LabelNoColor, 0,
                                LabelNoMode, 0, 0));
    const LabelSlot& slot = SlotOf(probe);
    EXPECT_EQ(text, slot.textColor);
    EXPECT_EQ(back, slot.backColor);
    EXPECT_EQ(mode, slot.backMode);
    EXPECT_EQ(nullptr, slot.font);
}

TEST_F(StyledLabel, TheTableHoldsTwoHundredFiftySixWindowsAndReusesFreedEntries)
{
    std::vector<HWND> registered;
    for (int i = 0; i < LabelSlotCount; ++i) {
        HWND probe = MakeProbe(host_, i % 40, i / 40, 4, 4);
        ASSERT_EQ(1, SetStyledLabel(probe, "", White, Black, Green, 0, OPAQUE, 0, 0)) << i;
        ASSERT_EQ(i, FindLabelSlot(probe));
        registered.push_back(probe);
    }
    EXPECT_EQ(LabelSlotCount, FindFreeLabelSlot());
    HWND extra = MakeProbe(host_, 200, 100, 20, 20);
    EXPECT_EQ(0, SetStyledLabel(extra, "", White, Black, Green, 0, OPAQUE, 0, 0));
    EXPECT_EQ(ProbeProc(), ProcOf(extra));
    EXPECT_EQ(White, PixelOf(extra, 10, 10)) << "the 257th window lost its own look";
    EXPECT_EQ(LabelSlotCount, FindLabelSlot(extra));

    DestroyWindow(registered[200]);
    DestroyWindow(registered[10]);
    EXPECT_EQ(10, FindFreeLabelSlot());
    ASSERT_EQ(1, SetStyledLabel(extra, "", White, Black, Green, 0, OPAQUE, 0, 0));
    EXPECT_EQ(10, FindLabelSlot(extra));
    EXPECT_EQ(200, FindFreeLabelSlot());
}

TEST_F(StyledLabel, DestroyingALabelUndoesTheSubclassFirstAndFreesItsCopies)
{
    CheckedLabelHeap heap;
    HWND probe = Probe();
    const LOGFONTA* font = MakeFontSpec("Arial", 10, 0, 0, 0, 0, probe);
    ASSERT_EQ(1, SetStyledLabel(probe, "text", White, Black, Green, 0, OPAQUE, 0, font));
    EXPECT_EQ(3, heap.held());          // the slot, its text and its font
    DestroyWindow(probe);
    EXPECT_TRUE(ProbeSeen(probe).destroyedAsItself);
    EXPECT_EQ(0, heap.held());
    EXPECT_EQ(0, heap.badFrees());
    EXPECT_EQ(LabelSlotCount, FindLabelSlot(probe));
}

// The text area, seen on the screen: a letter drawn white on white marks where
// the text rectangle starts (left, top) or ends (right, bottom), on black.
class TextArea : public StyledLabel {
protected:
    void Mark(HWND probe, int margin, UINT corner)
    {
        SetStyledLabel(probe, "M", White, White, Black, margin, OPAQUE, DT_SINGLELINE | corner,
                       0);
    }
};

TEST_F(TextArea, SitsAHundredthInsideTheClientAreaWithoutAMargin)
{
    HWND probe = Probe(250, 40);
    Mark(probe, 0, DT_LEFT | DT_TOP);
    EXPECT_EQ(Black, PixelOf(probe, 1, 0));
    EXPECT_EQ(White, PixelOf(probe, 2, 0));
    Mark(probe, 0, DT_RIGHT | DT_BOTTOM);
    EXPECT_EQ(White, PixelOf(probe, 247, 39));
    EXPECT_EQ(Black, PixelOf(probe, 248, 39));
}

TEST_F(TextArea, KeepsOneMarginMoreAtTheRightAndBottom)
{
    HWND probe = Probe(200, 30);        // left 7, top 5, right 188, bottom 20
    Mark(probe, 5, DT_LEFT | DT_TOP);
    EXPECT_EQ(White, PixelOf(probe, 7, 5));
    EXPECT_EQ(Black, PixelOf(probe, 6, 5));
    EXPECT_EQ(Black, PixelOf(probe, 7, 4));
    Mark(probe, 5, DT_RIGHT | DT_BOTTOM);
    EXPECT_EQ(White, PixelOf(probe, 187, 19));
    EXPECT_EQ(Black, PixelOf(probe, 188, 19));
    EXPECT_EQ(Black, PixelOf(probe, 187, 20));
}

TEST(FontSpec, TakesThirtyOneCharactersAndRefusesThirtyTwoLeavingTheLastOne)
{
    HWND desktop = GetDesktopWindow();
    std::string face31(31, 'a'), face32(32, 'b');
    const LOGFONTA* made = MakeFontSpec(face31.c_str(), 10, 0, 0, 0, 0, desktop);
    ASSERT_EQ(&SharedFontSpec, made);
    EXPECT_EQ(face31, made->lfFaceName);
    LOGFONTA before = SharedFontSpec;
    EXPECT_EQ(nullptr, MakeFontSpec(face32.c_str(), 20, 1, 1, 1, 1, desktop));
    EXPECT_EQ(nullptr, MakeFontSpec(0, 20, 1, 1, 1, 1, desktop));
    EXPECT_EQ(0, memcmp(&before, &SharedFontSpec, sizeof before));
}

TEST(FontSpec, DescribesTheFontForTheWindowsDevice)
{
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDC(desktop);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(desktop, dc);
    const LOGFONTA* first = MakeFontSpec("Verdana", 7, 0, 0, 0, 0, desktop);
    EXPECT_EQ(-MulDiv(7, dpi, 72), first->lfHeight);
    const LOGFONTA* second = MakeFontSpec("Arial Black", 19, 1, 3, 1, 0, desktop);
    EXPECT_EQ(first, second) << "one shared description";
    EXPECT_EQ(-MulDiv(19, dpi, 72), second->lfHeight);
    if (dpi == 96) {
        EXPECT_EQ(-25, second->lfHeight);
        EXPECT_EQ(-13, MakeFontSpec("Arial", 10, 0, 0, 0, 0, desktop)->lfHeight);
        EXPECT_EQ(-9, MakeFontSpec("Arial", 7, 0, 0, 0, 0, desktop)->lfHeight);
    }
    second = MakeFontSpec("Arial Black", 19, 1, 3, 1, 0, desktop);
    EXPECT_EQ(FW_BOLD, second->lfWeight);
    EXPECT_EQ(3, second->lfItalic);
    EXPECT_EQ(1, second->lfUnderline);
    EXPECT_EQ(0, second->lfStrikeOut);
    EXPECT_EQ(DEFAULT_CHARSET, second->lfCharSet);
    EXPECT_EQ(PROOF_QUALITY, second->lfQuality);
    EXPECT_EQ(0, second->lfWidth);
    EXPECT_EQ(FW_NORMAL, MakeFontSpec("Arial", 10, 0, 0, 0, 0, desktop)->lfWeight);
}

// The height comes from the DPI of the window the font is for, as Windows tells
// it per window (a monitor of another scale), as far as the dialogs' layout grows
// there; where Windows cannot tell it (dpi 0 below: no GetDpiForWindow), from the
// screen's LOGPIXELSY. At 96 DPI, the point size at 96 DPI (height 0: that one).
TEST(FontSpec, TakesTheHeightFromTheWindowsDpi)
{
    struct Row { UINT dpi; int points; LONG height; };
    const Row rows[] = {
        { 96, 10, -13 }, { 96, 7, -9 }, { 96, 19, -25 }, { 120, 10, 0 }, { 144, 10, 0 },
        { 144, 22, 0 }, { 168, 10, 0 }, { 192, 7, 0 }, { 192, 19, 0 }, { 336, 6, 0 }, { 0, 10, 0 },
    };
    HWND desktop = GetDesktopWindow();
    for (const Row& row : rows) {
        DisplayAt display(row.dpi);
        UINT dpi = row.dpi != 0 ? row.dpi : ScreenDpi();
        LONG height = row.height != 0 ? row.height : -MulDiv(row.points, LayoutDpiAt(dpi), 72);
        EXPECT_EQ(height, MakeFontSpec("Verdana", row.points, 0, 0, 0, 0, desktop)->lfHeight)
            << row.points << " points at " << row.dpi << " DPI";
    }
}

// Memory running out: the allocations are, in order, the slot (at a first
// call), the font copy when a font is given, and the text copy.
class ShortOfMemory : public StyledLabel {
protected:
    // After a failure the window is its own again, paints itself, and nothing
    // is held or freed twice.
    void ExpectLeftAsItWas(HWND probe)
    {
        EXPECT_EQ(LabelSlotCount, FindLabelSlot(probe));
        EXPECT_EQ(ProbeProc(), ProcOf(probe));
        EXPECT_EQ(0, heap_.held());
        EXPECT_EQ(0, heap_.badFrees());
        Repaint(probe);
        EXPECT_EQ(1, ProbeSeen(probe).paints);
        EXPECT_EQ(White, PixelOf(probe, 30, 10));
    }
    int Label(HWND probe, const char* text, bool withFont)
    {
        const LOGFONTA* font = withFont ? MakeFontSpec("Arial", 10, 0, 0, 0, 0, probe) : 0;
        return SetStyledLabel(probe, text, White, Black, Green, 0, OPAQUE, 0, font);
    }
    CheckedLabelHeap heap_;
};

TEST_F(ShortOfMemory, AFailedRegistrationLeavesTheWindowAlone)
{
    for (int failing = 1; failing <= 3; ++failing) {
        HWND probe = Probe();
        heap_.FailAllocation(failing);
        EXPECT_EQ(0, Label(probe, "text", true)) << "allocation " << failing;
        ExpectLeftAsItWas(probe);
        DestroyWindow(probe);
    }
}

TEST_F(ShortOfMemory, AFailedUpdateDropsTheLabelWithoutFreeingTwice)
{
    struct Case { bool withFont; int failing; };
    for (Case c : { Case{ true, 1 }, Case{ true, 2 }, Case{ false, 1 } }) {
        HWND probe = Probe();
        ASSERT_EQ(1, Label(probe, "first", true));
        heap_.FailAllocation(c.failing);
        EXPECT_EQ(0, Label(probe, "second", c.withFont))
            << "font " << c.withFont << ", allocation " << c.failing;
        ExpectLeftAsItWas(probe);
        // Once memory is back, the window can be a label again.
        EXPECT_EQ(1, Label(probe, "third", true));
        EXPECT_EQ(Green, PixelOf(probe, 30, 10));
        DestroyWindow(probe);
        EXPECT_EQ(0, heap_.held());
        EXPECT_EQ(0, heap_.badFrees());
    }
}

TEST_F(StyledLabel, RequestsThatCannotBeServedAreRefusedSafely)
{
    CheckedLabelHeap heap;
    HWND probe = Probe();
    // A paint-only request for a window without a slot.
    LabelStyle request = {};
    request.window = probe;
    request.text = "x";
    request.paintOnly = 1;
    EXPECT_EQ(0, PaintStyledLabel(&request));
    // A message reaching the label procedure for a window without a slot.
    SetWindowTextA(probe, "four");
    EXPECT_EQ(4, LabelWndProc(probe, WM_GETTEXTLENGTH, 0, 0));
    // Windows that cannot be subclassed: not a window, another process's window.
    for (HWND window : { reinterpret_cast<HWND>(0x1234), GetDesktopWindow() }) {
        EXPECT_EQ(0, SetStyledLabel(window, "x", White, Black, Green, 0, OPAQUE, 0, 0));
        EXPECT_EQ(LabelSlotCount, FindLabelSlot(window));
    }
    EXPECT_EQ(0, heap.held());
    EXPECT_EQ(0, heap.badFrees());
}

}  // namespace
