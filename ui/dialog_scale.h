// The information dialogs on a monitor of another scale. Windows sends a dialog
// WM_DPICHANGED when it moves to such a monitor (or the monitor's scale is
// changed); a procedure that leaves the message to the dialog manager gets the
// dialog laid out anew for the new DPI, its size, its controls and their fonts.
// What the dialog makes itself (icons, pictures, the styled labels' fonts)
// follows once the manager is done: a posted message comes after the handling
// of WM_DPICHANGED is over.
#ifndef CLICKPOCKET_DIALOG_SCALE_H
#define CLICKPOCKET_DIALOG_SCALE_H

#include <windows.h>

#include "dialog_labels.h"
#include "dialog_pictures.h"
#include "../core/display_scale.h"     // WM_DPICHANGED

enum { DialogRescaleMessage = WM_APP + 1 };

// For WM_DPICHANGED: posts DialogRescaleMessage to the dialog and returns FALSE,
// which leaves the message to the dialog manager.
INT_PTR LeaveDpiChangeToDialogManager(HWND dialog);

// For DialogRescaleMessage: the dialog's icons, pictures and labels anew, for
// the DPI it now has.
void RescaleDialog(HWND dialog, const DialogLabel* labels, int labelCount,
                   const DialogPicture* pictures, int pictureCount);

#endif
