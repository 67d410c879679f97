#include "about.h"

#include "dialog_icons.h"

HBRUSH AboutBrush;

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDialogIcons(dialog);
        AboutBrush = CreateSolidBrush(RGB(0, 0, 0));
        return FALSE;
    case WM_CTLCOLORDLG: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, OPAQUE);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, RGB(0, 0, 0));
        return reinterpret_cast<INT_PTR>(AboutBrush);
    }
    case WM_CLOSE:
        // The dialog may still be asked to paint before it is gone: never hand
        // back a deleted brush.
        if (AboutBrush != 0) {
            DeleteObject(AboutBrush);
            AboutBrush = 0;
        }
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;        // Enter and Esc included: only the close box closes it
    }
}
