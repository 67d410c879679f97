#include "welcome.h"

#include "dialog_icons.h"
#include "dialog_scale.h"
#include "documents.h"
#include "mainwnd.h"
#include "../core/globals.h"
#include "../core/messages.h"
#include "../core/text_util.h"
#include "../core/flag_files.h"

static void OpenManual(HWND dialog)
{
    char path[PathBufferSize];
    if (!OpenInstallDocument(ReadmeFileName, path, sizeof path))
        ShowMissingDocument(dialog, path);       // the dialog stays open
}

static void OpenLicense(HWND dialog)
{
    char path[PathBufferSize];
    if (OpenInstallDocument(LicenseFileName, path, sizeof path))
        return;
    // Without its licence the program may not be used at all.
    char text[MessageBufferSize];
    FormatText(text, sizeof text, MissingLicensePattern, path);
    MessageBoxA(dialog, text, AppCaption, MB_ICONERROR);
    EndDialog(dialog, 0);
}

static void OnClose(HWND dialog)
{
    if (IsDlgButtonChecked(dialog, IdWelcomeAccept) == BST_CHECKED) {
        if (IsDlgButtonChecked(dialog, IdWelcomeDontShow) == BST_CHECKED) {
            char path[PathBufferSize];
            MakeInstallPath(path, sizeof path, WelcomeFlagName);
            if (!CreateFlagFile(path))
                ShowFlagFileError(dialog, FlagCodeWelcome);
        }
        EndDialog(dialog, 1);
        return;
    }
    if (MessageBoxA(dialog, RefusalPromptText, AppCaption,
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
        EndDialog(dialog, 0);
}

INT_PTR CALLBACK WelcomeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDialogIcons(dialog);
        return TRUE;            // the focus goes to the first tab stop, the manual button
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL:          // the close button, and Esc
            SendMessageA(dialog, WM_CLOSE, 0, 0);
            break;
        case IdWelcomeManual:
            OpenManual(dialog);
            break;
        case IdWelcomeLicense:
            OpenLicense(dialog);
            break;
        default:
            break;              // Enter (IDOK) on no push button: nothing
        }
        return TRUE;
    case WM_CLOSE:
        OnClose(dialog);
        return TRUE;
    case WM_DPICHANGED:
        return LeaveDpiChangeToDialogManager(dialog);
    case DialogRescaleMessage:
        SetDialogIcons(dialog);     // the rest is the dialog manager's
        return TRUE;
    case WM_DESTROY:
        ReleaseDialogIcons(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}
