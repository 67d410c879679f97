// The styled texts of the information dialogs, painted from a table at
// WM_INITDIALOG, and the pictures their templates load, released at close.
#ifndef CLICKPOCKET_DIALOG_LABELS_H
#define CLICKPOCKET_DIALOG_LABELS_H

#include <windows.h>

struct DialogLabel {
    int id;
    const char* text;
    const char* faceName;
    int points;
    BYTE bold;
    COLORREF textColor;
    UINT format;
};

// Each label gets its font made for its own control right before it is set,
// since every MakeFontSpec call overwrites the last one. Black on black fill,
// opaque, no margin.
void PaintDialogLabels(HWND dialog, const DialogLabel* labels, int count);

// Takes every SS_BITMAP picture out of its static control and deletes it: the
// control does not always free a bitmap it loaded from the template.
void ReleaseDialogPictures(HWND dialog);

#endif
