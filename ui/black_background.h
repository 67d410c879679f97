// The black background of the About and contest dialogs: one brush per opening,
// created at WM_INITDIALOG and deleted at WM_CLOSE.
#ifndef CLICKPOCKET_BLACK_BACKGROUND_H
#define CLICKPOCKET_BLACK_BACKGROUND_H

#include <windows.h>

// WM_CTLCOLORDLG: white on black, and the brush that paints the dialog.
INT_PTR AnswerDialogColor(HDC dc, HBRUSH brush);

// Deletes the brush and forgets it: the dialog may still be asked to paint
// before it is gone, and must never be handed a deleted brush.
void ReleaseDialogBrush(HBRUSH* brush);

#endif
