#include "display_scale.h"

#include "system_calls.h"

template <typename Call>
static Call FindUserCall(const char* name)
{
    return reinterpret_cast<Call>(FindSystemCall("user32.dll", name));
}

DisplayScaleCalls DisplayScale = {
    FindUserCall<UINT (WINAPI *)(HWND)>("GetDpiForWindow"),
    FindUserCall<int (WINAPI *)(int, UINT)>("GetSystemMetricsForDpi"),
    FindUserCall<BOOL (WINAPI *)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi"),
    FindUserCall<BOOL (WINAPI *)(HWND, int, int)>("SetDialogControlDpiChangeBehavior"),
};

static UINT DeviceDpi(HWND window)
{
    HDC dc = GetDC(window);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : static_cast<UINT>(BaseDpi);
}

UINT WindowDpi(HWND window)
{
    if (DisplayScale.dpiForWindow != 0) {
        UINT dpi = DisplayScale.dpiForWindow(window);
        if (dpi != 0)       // 0: not a window (of this process)
            return dpi;
    }
    return DeviceDpi(window);
}

int MetricForDpi(int index, UINT dpi)
{
    if (DisplayScale.systemMetricsForDpi != 0)
        return DisplayScale.systemMetricsForDpi(index, dpi);
    // Without per-monitor DPI every window is at the system's DPI, for which
    // GetSystemMetrics answers; other DPIs come only from tests.
    return MulDiv(GetSystemMetrics(index), dpi, DeviceDpi(0));
}

void AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, UINT dpi)
{
    if (DisplayScale.adjustWindowRectExForDpi == 0
        || !DisplayScale.adjustWindowRectExForDpi(rect, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(rect, style, FALSE, exStyle);
}

HFONT MakeDialogFont(const char* face, int points, int weight, BYTE italic, BYTE charset,
                     UINT dpi)
{
    LOGFONTA font;
    ZeroMemory(&font, sizeof font);
    font.lfHeight = -MulDiv(points, static_cast<int>(dpi), 72);
    font.lfWeight = weight;
    font.lfItalic = italic;
    font.lfCharSet = charset;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

SIZE FontBaseUnits(HFONT font)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    HDC dc = GetDC(0);
    HGDIOBJ before = SelectObject(dc, font);
    TEXTMETRICA metrics;
    SIZE extent = { 0, 0 };
    if (!GetTextMetricsA(dc, &metrics))
        metrics.tmHeight = 0;
    GetTextExtentPoint32A(dc, letters, sizeof letters - 1, &extent);
    SelectObject(dc, before);
    ReleaseDC(0, dc);
    SIZE units = { (extent.cx / 26 + 1) / 2, metrics.tmHeight };
    return units;
}

SIZE DialogBaseUnits(UINT dpi)
{
    // Asked at every draw of a styled button: the last DPI's are kept (the
    // fonts of a process never change their sizes).
    static UINT lastDpi;
    static SIZE lastUnits;
    if (dpi == lastDpi && lastUnits.cy != 0)
        return lastUnits;
    SIZE units = { 0, 0 };
    HFONT font = MakeDialogFont(DIALOG_FONT_FACE, DialogFontPoints, FW_NORMAL, FALSE,
                                DEFAULT_CHARSET, dpi);
    if (font != 0) {
        units = FontBaseUnits(font);
        DeleteObject(font);
    }
    lastDpi = dpi;
    lastUnits = units;
    return units;
}

UINT LayoutDpiAt(UINT dpi)
{
    if (dpi == BaseDpi)
        return BaseDpi;     // the sizes as made, whatever the raster set
    SIZE units = DialogBaseUnits(dpi);
    return static_cast<UINT>(LayoutDpi(units.cx, units.cy));
}

UINT LayoutDpiOf(HWND window)
{
    return LayoutDpiAt(WindowDpi(window));
}
