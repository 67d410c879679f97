#include "dialog_icons.h"

#include "../core/display_scale.h"
#include "../core/globals.h"

HICON LoadProgramIcon(int size)
{
    return static_cast<HICON>(LoadImageA(AppInstance, "clickpocket", IMAGE_ICON, size, size, 0));
}

static void PutIcon(HWND dialog, WPARAM which, HICON icon)
{
    HICON previous = reinterpret_cast<HICON>(
        SendMessageA(dialog, WM_SETICON, which, reinterpret_cast<LPARAM>(icon)));
    if (previous != 0 && previous != icon)
        DestroyIcon(previous);      // every icon a dialog has is one of ours
}

void SetDialogIcons(HWND dialog)
{
    UINT dpi = WindowDpi(dialog);
    PutIcon(dialog, ICON_BIG, LoadProgramIcon(MetricForDpi(SM_CXICON, dpi)));
    PutIcon(dialog, ICON_SMALL, LoadProgramIcon(MetricForDpi(SM_CXSMICON, dpi)));
}

void ReleaseDialogIcons(HWND dialog)
{
    PutIcon(dialog, ICON_BIG, 0);
    PutIcon(dialog, ICON_SMALL, 0);
}
