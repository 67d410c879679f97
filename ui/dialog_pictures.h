// The pictures of the information dialogs, drawn for the scale of the display
// they are shown on: never the 100 % picture with stretched pixels.
#ifndef CLICKPOCKET_DIALOG_PICTURES_H
#define CLICKPOCKET_DIALOG_PICTURES_H

#include <windows.h>

// A picture of a dialog: its SS_BITMAP control, and the bitmap resource the
// template names for it. Beside each resource lie its masters, "<name>_<percent>"
// (core/scale_rules.h, PictureScales).
struct DialogPicture {
    const char* name;
    int width;              // at 100 %
    int height;
};

// A bitmap of the picture for `dpi`, the caller's to delete: at a stored scale
// that bitmap itself; otherwise the nearest master above, scaled down with
// HALFTONE. Null when none can be made.
HBITMAP MakePictureForDpi(const DialogPicture& picture, UINT dpi);

// Gives the dialog's picture controls, in template order one per table entry,
// the pictures for the DPI the dialog's layout grows to (LayoutDpiOf), and
// deletes those they had. At 100 % an opening dialog keeps the template's own
// bitmaps.
void ShowDialogPictures(HWND dialog, const DialogPicture* pictures, int count, bool opening);

// Takes every SS_BITMAP picture out of its static control and deletes it: the
// control does not always free a bitmap it loaded from the template.
void ReleaseDialogPictures(HWND dialog);

#endif
