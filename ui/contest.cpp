#include "contest.h"

#include "black_background.h"
#include "dialog_icons.h"
#include "dialog_scale.h"
#include "dialog_texts.h"
#include "../core/config.h"
#include "../core/globals.h"
#include "../shell/shell_open.h"

HBRUSH ContestBrush;

static const COLORREF LightBlue = RGB(0, 204, 255);
static const COLORREF Yellow = RGB(255, 255, 0);
static const COLORREF White = RGB(255, 255, 255);
static const COLORREF Silver = RGB(192, 192, 192);

static const DialogLabel ContestLabels[] = {
    { 100, CONTEST_TEXT_TITLE, "Georgia", 22, 1, LightBlue, DT_CENTER },
    { 101, CONTEST_TEXT_PRIZE, "Arial Black", 22, 1, Yellow, DT_CENTER },
    { 102, CONTEST_TEXT_OFFER, "Verdana", 10, 0, White, DT_LEFT | DT_TOP },
    { 103, CONTEST_TEXT_PUZZLE, "Verdana", 10, 0, White, DT_LEFT | DT_TOP },
    { 104, CONTEST_TEXT_RULES, "Verdana", 10, 0, White, DT_LEFT | DT_TOP },
    { 105, CONTEST_TEXT_HINT, "Verdana", 7, 0, Silver, DT_LEFT | DT_TOP },
};
static const int ContestLabelCount = sizeof ContestLabels / sizeof ContestLabels[0];

// The box picture and the maker's logo, in template order.
static const DialogPicture ContestPictures[] = {
    { "TIDELOCKER", 150, 150 },
    { "CVLOGO", 62, 46 },
};
static const int ContestPictureCount = sizeof ContestPictures / sizeof ContestPictures[0];

INT_PTR CALLBACK ContestDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ContestWindow = dialog;
        SetDialogIcons(dialog);
        ContestBrush = CreateSolidBrush(RGB(0, 0, 0));
        ShowDialogPictures(dialog, ContestPictures, ContestPictureCount, true);
        PaintDialogLabels(dialog, ContestLabels, ContestLabelCount);
        return FALSE;
    case WM_DPICHANGED:
        return LeaveDpiChangeToDialogManager(dialog);
    case DialogRescaleMessage:
        RescaleDialog(dialog, ContestLabels, ContestLabelCount, ContestPictures,
                      ContestPictureCount);
        return TRUE;
    case WM_COMMAND:
        // A single click on the box picture; a double click is not a second one.
        if (LOWORD(wParam) == IdContestPicture && HIWORD(wParam) == STN_CLICKED) {
            OpenInShell(ContestPageUrl);
            return TRUE;
        }
        return FALSE;
    case WM_CTLCOLORDLG:
        return AnswerDialogColor(reinterpret_cast<HDC>(wParam), ContestBrush);
    case WM_CLOSE:
        ReleaseDialogBrush(&ContestBrush);
        EndDialog(dialog, 0);
        ContestWindow = 0;
        ReleaseDialogPictures(dialog);
        return TRUE;
    case WM_DESTROY:
        ReleaseDialogIcons(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}
