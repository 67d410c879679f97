// The control window on a monitor of another scale. It is a window of the
// program's own class, whose procedure hands what it does not handle to
// DefWindowProc: the dialog manager creates it from its template but never sees
// it again, so it never lays it out anew when its DPI changes, as it does the
// dialogs. The window does that itself, from the same template and the way the
// dialog manager lays out any dialog: dialog units measured in the template's
// font at the new DPI.
#ifndef CLICKPOCKET_MAIN_SCALE_H
#define CLICKPOCKET_MAIN_SCALE_H

#include <windows.h>

#include "../core/display_scale.h"     // WM_DPICHANGED, WM_GETDPISCALEDSIZE

// The template "CLICKPOCKET" laid out at a DPI: the client area and each
// control's rectangle in it, in template order (the order of the children).
enum { MainLayoutMaxControls = 16 };
struct MainLayout {
    SIZE client;
    int count;
    RECT controls[MainLayoutMaxControls];
};
bool LayOutMainTemplate(UINT dpi, MainLayout* layout);

// WM_GETDPISCALEDSIZE: the window's size at `dpi`, with the template's client
// area at that DPI. TRUE, or FALSE (Windows then scales the window linearly)
// when the template cannot be read.
LRESULT ScaleMainWindowSize(HWND window, UINT dpi, SIZE* size);

// WM_DPICHANGED: the window at the suggested place with its size for the new
// DPI; its controls where the template puts them then, in the template's font
// for that DPI; the icon at that DPI's size; and every owner-drawn button drawn
// again, in fonts for the button's DPI.
void FollowMainWindowDpi(HWND window, UINT dpi, const RECT* suggested);

#endif
