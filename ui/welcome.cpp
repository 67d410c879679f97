#include "welcome.h"

#include "dialog_icons.h"
#include "dialog_scale.h"
#include "missing_document.h"
#include "../core/globals.h"
#include "../core/messages.h"
#include "../core/text_util.h"
#include "../core/flag_files.h"
#include "../shell/documents.h"
#include "../shell/shell_open.h"

// The worker that hands a document to the shell looks for it first, and says
// so when it is not there (DocumentMissingMessage).
static void OnMissingDocument(HWND dialog, InstallDocument document)
{
    if (document != LicenseDocument)
        ShowMissingDocument(dialog, document);      // the dialog stays open
    else if (ShowMissingLicense(dialog))
        EndDialog(dialog, 0);       // without its licence the program may not be used at all
}

static void OpenDocument(HWND dialog, InstallDocument document)
{
    if (!OpenInstallDocument(document, dialog))
        OnMissingDocument(dialog, document);
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
            OpenDocument(dialog, ReadmeDocument);
            break;
        case IdWelcomeLicense:
            OpenDocument(dialog, LicenseDocument);
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
    case DocumentMissingMessage:
        OnMissingDocument(dialog, static_cast<InstallDocument>(wParam));
        return TRUE;
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
