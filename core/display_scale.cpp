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
