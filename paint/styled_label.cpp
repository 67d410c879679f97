#include "styled_label.h"

#include <stdlib.h>

#include "label_rules.h"
#include "../core/display_scale.h"

LabelSlot* LabelSlots[LabelSlotCount];
bool LabelSlotsReady;
LOGFONTA SharedFontSpec;

static void* HeapAllocate(size_t size)
{
    return malloc(size);
}

static void HeapRelease(void* block)
{
    free(block);
}

LabelHeap LabelMemory = { HeapAllocate, HeapRelease };

int FindLabelSlot(HWND window)
{
    for (int i = 0; i < LabelSlotCount; ++i) {
        if (LabelSlots[i] != 0 && LabelSlots[i]->window == window)
            return i;
    }
    return LabelSlotCount;
}

int FindFreeLabelSlot()
{
    for (int i = 0; i < LabelSlotCount; ++i) {
        if (LabelSlots[i] == 0)
            return i;
    }
    return LabelSlotCount;
}

// Frees a copy and forgets it, so that no later free can reach it again.
static void ReleaseText(const char** text)
{
    if (*text != 0)
        LabelMemory.release(const_cast<char*>(*text));
    *text = 0;
}

static void ReleaseFont(const LOGFONTA** font)
{
    if (*font != 0)
        LabelMemory.release(const_cast<LOGFONTA*>(*font));
    *font = 0;
}

static void FreeSlot(int index)
{
    LabelSlot* slot = LabelSlots[index];
    ReleaseText(&slot->text);
    ReleaseFont(&slot->font);
    LabelMemory.release(slot);
    LabelSlots[index] = 0;
}

// The window goes back to its own procedure and its own painting.
static void DropSlot(int index)
{
    LabelSlot* slot = LabelSlots[index];
    SetWindowLongPtrA(slot->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(slot->savedProc));
    FreeSlot(index);
}

static char* CopyLabelText(const char* text)
{
    size_t size = static_cast<size_t>(lstrlenA(text)) + 1;
    char* copy = static_cast<char*>(LabelMemory.allocate(size));
    if (copy != 0)
        CopyMemory(copy, text, size);
    return copy;
}

static LOGFONTA* CopyLabelFont(const LOGFONTA* font)
{
    LOGFONTA* copy = static_cast<LOGFONTA*>(LabelMemory.allocate(sizeof(LOGFONTA)));
    if (copy != 0)
        *copy = *font;
    return copy;
}

// A new slot for a window: subclassed, with the colours and mode it was not
// given taken from a fresh device context of the window. Index, or
// LabelSlotCount when the table is full, memory is short or the window cannot be
// subclassed (not a window of this process).
static int RegisterLabel(const LabelStyle* request)
{
    int index = FindFreeLabelSlot();
    if (index == LabelSlotCount)
        return LabelSlotCount;
    LabelSlot* slot = static_cast<LabelSlot*>(LabelMemory.allocate(sizeof(LabelSlot)));
    if (slot == 0)
        return LabelSlotCount;
    ZeroMemory(slot, sizeof *slot);
    slot->window = request->window;
    slot->paintOnly = 1;
    LONG_PTR previous = SetWindowLongPtrA(request->window, GWLP_WNDPROC,
                                          reinterpret_cast<LONG_PTR>(LabelWndProc));
    if (previous == 0) {
        LabelMemory.release(slot);
        return LabelSlotCount;
    }
    slot->savedProc = reinterpret_cast<WNDPROC>(previous);
    LabelSlots[index] = slot;

    HDC dc = GetDC(request->window);
    slot->textColor = request->textColor != LabelNoColor ? request->textColor : GetTextColor(dc);
    slot->backColor = request->backColor != LabelNoColor ? request->backColor : GetBkColor(dc);
    slot->backMode = request->backMode != LabelNoMode ? request->backMode : GetBkMode(dc);
    ReleaseDC(request->window, dc);
    return index;
}

static void UpdateColors(LabelSlot* slot, const LabelStyle* request)
{
    if (request->textColor != LabelNoColor)
        slot->textColor = request->textColor;
    if (request->backColor != LabelNoColor)
        slot->backColor = request->backColor;
    if (request->backMode != LabelNoMode)
        slot->backMode = request->backMode;
}

// Takes the request's text, and its font when it has one. The new copies are made
// before the old ones go, so a request may even borrow the slot's own text. When
// memory is short the slot is dropped: a half-updated label is never painted.
static bool TakeCopies(int index, const LabelStyle* request)
{
    LabelSlot* slot = LabelSlots[index];
    LOGFONTA* font = 0;
    if (request->font != 0) {
        font = CopyLabelFont(request->font);
        if (font == 0) {
            DropSlot(index);
            return false;
        }
    }
    char* text = CopyLabelText(request->text);
    if (text == 0) {
        if (font != 0)
            LabelMemory.release(font);
        DropSlot(index);
        return false;
    }
    ReleaseText(&slot->text);
    slot->text = text;
    if (font != 0) {
        ReleaseFont(&slot->font);
        slot->font = font;
    }
    return true;
}

static void PaintSlot(LabelSlot* slot)
{
    HDC dc = slot->paintDc != 0 ? slot->paintDc : GetDC(slot->window);
    RECT client;
    GetClientRect(slot->window, &client);
    if (slot->fillColor != LabelNoColor) {
        HBRUSH fill = CreateSolidBrush(slot->fillColor);
        FillRect(dc, &client, fill);
        DeleteObject(fill);
    }
    LabelTextArea area = LabelInset(client.right, client.bottom, slot->margin);
    RECT textRect = { area.left, area.top, area.right, area.bottom };
    SetBkMode(dc, slot->backMode);
    SetBkColor(dc, slot->backColor);
    SetTextColor(dc, slot->textColor);
    HFONT font = 0;
    HGDIOBJ previousFont = 0;
    if (slot->font != 0) {
        font = CreateFontIndirectA(slot->font);
        if (font != 0)
            previousFont = SelectObject(dc, font);
    }
    // Long texts wrap at word boundaries, and an ampersand is drawn as itself.
    DrawTextA(dc, slot->text, lstrlenA(slot->text), &textRect,
              slot->format | DT_WORDBREAK | DT_NOPREFIX);
    if (font != 0) {
        SelectObject(dc, previousFont);
        DeleteObject(font);
    }
    if (slot->paintDc == 0)
        ReleaseDC(slot->window, dc);
}

int PaintStyledLabel(const LabelStyle* request)
{
    if (!LabelSlotsReady) {
        LabelSlotsReady = true;
        for (int i = 0; i < LabelSlotCount; ++i)
            LabelSlots[i] = 0;
    }
    int index = FindLabelSlot(request->window);
    if (request->paintOnly != 0) {
        if (index == LabelSlotCount)
            return 0;           // not a styled label: nothing of ours to paint
        PaintSlot(LabelSlots[index]);
        return 1;
    }
    if (index == LabelSlotCount) {
        index = RegisterLabel(request);
        if (index == LabelSlotCount)
            return 0;
    } else {
        UpdateColors(LabelSlots[index], request);
    }
    LabelSlot* slot = LabelSlots[index];
    slot->paintDc = 0;
    slot->margin = request->margin;
    if (!TakeCopies(index, request))
        return 0;
    slot->fillColor = request->fillColor;
    slot->format = request->format;
    PaintSlot(slot);
    return 1;
}

int SetStyledLabel(HWND window, const char* text, COLORREF textColor, COLORREF backColor,
                   COLORREF fillColor, int margin, int backMode, UINT format,
                   const LOGFONTA* font)
{
    LabelStyle request;
    ZeroMemory(&request, sizeof request);
    request.window = window;
    request.textColor = textColor;
    request.backColor = backColor;
    request.backMode = backMode;
    request.fillColor = fillColor;
    request.margin = margin;
    request.text = text;
    request.format = format;
    request.font = font;
    request.paintOnly = 0;
    return PaintStyledLabel(&request);
}

LRESULT CALLBACK LabelWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    int index = FindLabelSlot(window);
    if (index == LabelSlotCount)
        return DefWindowProcA(window, message, wParam, lParam);   // no slot, no procedure to call
    LabelSlot* slot = LabelSlots[index];
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        slot->paintDc = BeginPaint(window, &paint);
        PaintStyledLabel(slot);
        EndPaint(window, &paint);
        slot->paintDc = 0;      // an ended paint's device context is never used again
        return 0;
    }
    case WM_DESTROY: {
        // The window's own procedure gets WM_DESTROY with the subclass already undone.
        WNDPROC own = slot->savedProc;
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        FreeSlot(index);
        return CallWindowProcA(own, window, WM_DESTROY, wParam, lParam);
    }
    default:
        return CallWindowProcA(slot->savedProc, window, message, wParam, lParam);
    }
}

const LOGFONTA* MakeFontSpec(const char* faceName, int points, BYTE bold, BYTE italic,
                             BYTE underline, BYTE strikeOut, HWND window)
{
    if (faceName == 0 || lstrlenA(faceName) >= LF_FACESIZE)
        return 0;
    // The size grows with the layout of the window the font is for (its
    // monitor's DPI, as far as the dialog font's base units grow there), so
    // that the text takes as much of its control at every scale as at 100 %.
    SharedFontSpec.lfHeight = -MulDiv(points, static_cast<int>(LayoutDpiOf(window)), 72);
    SharedFontSpec.lfWidth = 0;
    SharedFontSpec.lfEscapement = 0;
    SharedFontSpec.lfOrientation = 0;
    SharedFontSpec.lfWeight = bold != 0 ? FW_BOLD : FW_NORMAL;
    SharedFontSpec.lfItalic = italic;
    SharedFontSpec.lfUnderline = underline;
    SharedFontSpec.lfStrikeOut = strikeOut;
    SharedFontSpec.lfCharSet = DEFAULT_CHARSET;
    SharedFontSpec.lfOutPrecision = OUT_DEFAULT_PRECIS;
    SharedFontSpec.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    SharedFontSpec.lfQuality = PROOF_QUALITY;
    SharedFontSpec.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpyA(SharedFontSpec.lfFaceName, faceName);
    return &SharedFontSpec;
}
