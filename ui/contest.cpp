#include "contest.h"

#include <shellapi.h>

#include "black_background.h"
#include "dialog_icons.h"
#include "../app/config.h"
#include "../app/globals.h"

HBRUSH ContestBrush;

INT_PTR CALLBACK ContestDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ContestWindow = dialog;
        SetDialogIcons(dialog);
        ContestBrush = CreateSolidBrush(RGB(0, 0, 0));
        return FALSE;
    case WM_COMMAND:
        // A single click on the box picture; a double click is not a second one.
        if (LOWORD(wParam) == IdContestPicture && HIWORD(wParam) == STN_CLICKED) {
            ShellExecuteA(RelayWindow, 0, ContestPageUrl, 0, 0, SW_SHOWNORMAL);
            return TRUE;
        }
        return FALSE;
    case WM_CTLCOLORDLG:
        return AnswerDialogColor(reinterpret_cast<HDC>(wParam), ContestBrush);
    case WM_CLOSE:
        ReleaseDialogBrush(&ContestBrush);
        EndDialog(dialog, 0);
        ContestWindow = 0;
        return TRUE;
    default:
        return FALSE;
    }
}
