// Cost of one owner-drawn button draw: two font descriptions for the button's
// DPI, a label update (text and font copied again) and a paint with a fresh
// font and brush, as the control window does on every WM_DRAWITEM. Also how the
// GDI object count moves over the run. bench/run.sh runs it at 96 and 192 DPI.
#include <windows.h>

#include <stdio.h>

#include "../tests/tools/gdi_count.h"
#include "core/display_scale.h"
#include "core/globals.h"
#include "paint/styled_label.h"
#include "ui/mainwnd.h"

static LARGE_INTEGER Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

int main()
{
    AppInstance = GetModuleHandleA(0);
    if (!CreateMainWindow())
        return 1;
    ShowWindow(MainWindow, SW_SHOW);
    UpdateWindow(MainWindow);
    HWND button = GetDlgItem(MainWindow, 101);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_BUTTON;
    draw.CtlID = 101;
    draw.hwndItem = button;
    draw.itemAction = ODA_FOCUS;
    const int draws = 2000;
    long gdiBefore = CountGdiObjects(GetCurrentProcess());
    LARGE_INTEGER frequency, start = Now();
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < draws; ++i) {
        draw.itemState = (i & 1) ? ODS_FOCUS : 0;
        SendMessageA(MainWindow, WM_DRAWITEM, 101, reinterpret_cast<LPARAM>(&draw));
    }
    double us = (Now().QuadPart - start.QuadPart) * 1e6 / frequency.QuadPart / draws;
    long gdiAfter = CountGdiObjects(GetCurrentProcess());
    printf("button draw at %u DPI: %.1f us per WM_DRAWITEM (%d draws); GDI objects %ld before, "
           "%ld after\n", WindowDpi(button), us, draws, gdiBefore, gdiAfter);
    DestroyWindow(MainWindow);
    return 0;
}
