#include "dialog_icons.h"

#include "../core/globals.h"

void SetDialogIcons(HWND dialog)
{
    SendMessageA(dialog, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(AppInstance, "clickpocket")));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadIconA(AppInstance, "clickpocket")));
}
