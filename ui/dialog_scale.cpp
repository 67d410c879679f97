#include "dialog_scale.h"

#include "dialog_icons.h"

INT_PTR LeaveDpiChangeToDialogManager(HWND dialog)
{
    PostMessageA(dialog, DialogRescaleMessage, 0, 0);
    return FALSE;
}

void RescaleDialog(HWND dialog, const DialogLabel* labels, int labelCount,
                   const DialogPicture* pictures, int pictureCount)
{
    SetDialogIcons(dialog);
    ShowDialogPictures(dialog, pictures, pictureCount, false);
    PaintDialogLabels(dialog, labels, labelCount);
}
