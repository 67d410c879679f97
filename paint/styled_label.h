// Styled labels: child windows (static texts, owner-drawn buttons) whose client
// area the program paints itself with its own text, colours, fill and font. The
// first request for a window subclasses it and keeps its look in a slot of
// LabelSlots; from then on its WM_PAINT is answered from the slot until the
// window is destroyed.
#ifndef CLICKPOCKET_STYLED_LABEL_H
#define CLICKPOCKET_STYLED_LABEL_H

#include <windows.h>

#include <stddef.h>

// "No colour given" for the text and background colours, "no fill" for the fill.
const COLORREF LabelNoColor = 0x01000000;
// "No mode given": neither TRANSPARENT (1) nor OPAQUE (2).
const int LabelNoMode = 3;
const int LabelSlotCount = 256;

// A request, and the same record kept per registered window. In a slot, text and
// font are the slot's own copies; in a request they are borrowed for the call.
struct LabelStyle {
    HWND window;
    HDC paintDc;            // the device context of a WM_PAINT being served
    WNDPROC savedProc;      // the window's procedure before it was subclassed
    COLORREF textColor;
    COLORREF backColor;
    int backMode;
    COLORREF fillColor;     // LabelNoColor: no fill
    int margin;
    const char* text;       // never null
    UINT format;            // DrawText flags; word break and no prefix are added
    const LOGFONTA* font;   // null: the device context's current font
    int paintOnly;          // nonzero: only repaint the window's stored label
};
typedef LabelStyle LabelSlot;

extern LabelSlot* LabelSlots[LabelSlotCount];
extern bool LabelSlotsReady;
extern LOGFONTA SharedFontSpec;

// Where the slots and their copies come from. Tests replace these to make an
// allocation fail or to count what is held.
struct LabelHeap {
    void* (*allocate)(size_t size);
    void (*release)(void* block);
};
extern LabelHeap LabelMemory;

int FindLabelSlot(HWND window);     // LabelSlotCount when the window has none
int FindFreeLabelSlot();            // LabelSlotCount when the table is full

// 1 when painted; 0 when the window could not be registered or updated.
int PaintStyledLabel(const LabelStyle* request);
int SetStyledLabel(HWND window, const char* text, COLORREF textColor, COLORREF backColor,
                   COLORREF fillColor, int margin, int backMode, UINT format,
                   const LOGFONTA* font);
LRESULT CALLBACK LabelWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Fills SharedFontSpec for `window`, at the DPI its layout grows to (LayoutDpiOf),
// and returns it, or returns null (leaving it untouched) for a face name that is
// null or does not fit LF_FACESIZE. The next call overwrites it.
const LOGFONTA* MakeFontSpec(const char* faceName, int points, BYTE bold, BYTE italic,
                             BYTE underline, BYTE strikeOut, HWND window);

#endif
