// Every dialog of the program shows the program icon, big and small.
#ifndef CLICKPOCKET_DIALOG_ICONS_H
#define CLICKPOCKET_DIALOG_ICONS_H

#include <windows.h>

void SetDialogIcons(HWND dialog);

#endif
