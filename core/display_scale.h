// The DPI each window is shown at, and the sizes Windows gives things there. The
// program declares itself Per-Monitor V2 aware (res/clickpocket.manifest): each
// window is drawn for its own monitor's scale, and Windows stretches nothing.
#ifndef CLICKPOCKET_DISPLAY_SCALE_H
#define CLICKPOCKET_DISPLAY_SCALE_H

#include <windows.h>

#include "scale_rules.h"

// Sent by Windows 10 1703 and later to Per-Monitor V2 windows; defined here for
// headers that predate them.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

// The calls of Windows 10 (versions 1607 and 1703) that tell and set what is done
// per DPI, looked up by name so that the program still starts where they are
// missing: Windows 7 and 8.1 have none of them, Wine 8 all but the dialog one.
// A missing call is null. Tests put in their own, to play a window on a monitor
// of another scale, or a Windows without them.
struct DisplayScaleCalls {
    UINT (WINAPI *dpiForWindow)(HWND window);                       // GetDpiForWindow
    int (WINAPI *systemMetricsForDpi)(int index, UINT dpi);         // GetSystemMetricsForDpi
    BOOL (WINAPI *adjustWindowRectExForDpi)(RECT* rect, DWORD style, BOOL menu, DWORD exStyle,
                                            UINT dpi);              // AdjustWindowRectExForDpi
    BOOL (WINAPI *setDialogControlDpiChangeBehavior)(HWND control, int mask, int values);
};
extern DisplayScaleCalls DisplayScale;

// DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS' DCDC_DISABLE_FONT_UPDATE: on a change of
// DPI the dialog manager sends the control no font of its own.
enum { DialogControlKeepsFont = 0x0001 };

// The DPI of the window's monitor; where Windows does not tell it per window,
// the system's (LOGPIXELSY of the window's device context).
UINT WindowDpi(HWND window);

// GetSystemMetrics at a DPI; where Windows cannot tell it, the system's metric
// scaled from the system's DPI.
int MetricForDpi(int index, UINT dpi);

// AdjustWindowRectEx at a DPI; where Windows cannot tell it, at the system's.
void AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, UINT dpi);

// A template's font at a DPI, as the dialog manager makes it (the caller's to
// delete): the point size at that DPI, the face, weight, slant and character set.
HFONT MakeDialogFont(const char* face, int points, int weight, BYTE italic, BYTE charset,
                     UINT dpi);

// The dialog base units of a font, as the dialog manager measures them: the
// average width of the 52 letters, rounded, and the character height.
SIZE FontBaseUnits(HFONT font);

// The font of every template of the program (res/clickpocket.rc).
#define DIALOG_FONT_FACE "MS Sans Serif"
enum { DialogFontPoints = 8 };

// The base units of that font at a DPI: those that the dialog manager lays the
// program's windows out in there.
SIZE DialogBaseUnits(UINT dpi);

// The DPI that the fonts and pictures of a window laid out at `dpi` are made
// for: as far as the layout of the templates grows there (LayoutDpi of the
// dialog font's base units); at 96 DPI, 96.
UINT LayoutDpiAt(UINT dpi);
UINT LayoutDpiOf(HWND window);      // LayoutDpiAt the window's DPI

#endif
