#include "about.h"

#include "black_background.h"
#include "dialog_icons.h"
#include "dialog_scale.h"
#include "dialog_texts.h"

HBRUSH AboutBrush;

static const COLORREF White = RGB(255, 255, 255);
static const COLORREF Silver = RGB(192, 192, 192);

static const DialogLabel AboutLabels[] = {
    { 100, ABOUT_TEXT_PRODUCT, "Verdana", 7, 0, White, DT_LEFT | DT_TOP },
    { 101, ABOUT_TEXT_SUPPORT, "Verdana", 7, 0, White, DT_LEFT | DT_TOP },
    { 102, ABOUT_TEXT_PRODUCT_PAGE, "Verdana", 7, 0, White, DT_LEFT | DT_TOP },
    { 103, ABOUT_TEXT_FREEWARE_PAGE, "Verdana", 7, 0, White, DT_LEFT | DT_TOP },
    { 104, ABOUT_TEXT_NOTICE, "Verdana", 6, 0, Silver, DT_CENTER },
};
static const int AboutLabelCount = sizeof AboutLabels / sizeof AboutLabels[0];

// The product picture and the maker's logo, in template order.
static const DialogPicture AboutPictures[] = {
    { "ABOUT", 100, 100 },
    { "CVLOGO", 62, 46 },
};
static const int AboutPictureCount = sizeof AboutPictures / sizeof AboutPictures[0];

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDialogIcons(dialog);
        AboutBrush = CreateSolidBrush(RGB(0, 0, 0));
        ShowDialogPictures(dialog, AboutPictures, AboutPictureCount, true);
        PaintDialogLabels(dialog, AboutLabels, AboutLabelCount);
        return FALSE;
    case WM_DPICHANGED:
        return LeaveDpiChangeToDialogManager(dialog);
    case DialogRescaleMessage:
        RescaleDialog(dialog, AboutLabels, AboutLabelCount, AboutPictures, AboutPictureCount);
        return TRUE;
    case WM_CTLCOLORDLG:
        return AnswerDialogColor(reinterpret_cast<HDC>(wParam), AboutBrush);
    case WM_CLOSE:
        ReleaseDialogBrush(&AboutBrush);
        EndDialog(dialog, 0);
        ReleaseDialogPictures(dialog);
        return TRUE;
    case WM_DESTROY:
        ReleaseDialogIcons(dialog);
        return FALSE;
    default:
        return FALSE;        // Enter and Esc included: only the close box closes it
    }
}
