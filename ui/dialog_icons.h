// Every dialog of the program shows the program icon, big and small, each taken
// from the icon group at the size Windows uses for it at the dialog's DPI.
#ifndef CLICKPOCKET_DIALOG_ICONS_H
#define CLICKPOCKET_DIALOG_ICONS_H

#include <windows.h>

// The program icon at a size, the caller's to destroy (LoadImage scales the
// group's nearest image). LoadIconWithScaleDown would do the same and import
// COMCTL32.
HICON LoadProgramIcon(int size);

// At WM_INITDIALOG and after a change of DPI: icons for the dialog's DPI, the
// ones they replace destroyed.
void SetDialogIcons(HWND dialog);

// When the dialog goes: its icons taken back and destroyed.
void ReleaseDialogIcons(HWND dialog);

#endif
