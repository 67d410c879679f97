#include "about.h"

#include "black_background.h"
#include "dialog_icons.h"

HBRUSH AboutBrush;

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDialogIcons(dialog);
        AboutBrush = CreateSolidBrush(RGB(0, 0, 0));
        return FALSE;
    case WM_CTLCOLORDLG:
        return AnswerDialogColor(reinterpret_cast<HDC>(wParam), AboutBrush);
    case WM_CLOSE:
        ReleaseDialogBrush(&AboutBrush);
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;        // Enter and Esc included: only the close box closes it
    }
}
