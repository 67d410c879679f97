// The styled texts of the information dialogs, painted from a table at
// WM_INITDIALOG and again after a change of DPI.
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

// Each label gets its font made for its own control (at its DPI) right before
// it is set, since every MakeFontSpec call overwrites the last one. Black on
// black fill, opaque, no margin. The dialog manager is asked to leave the
// labels' fonts alone on a change of DPI.
void PaintDialogLabels(HWND dialog, const DialogLabel* labels, int count);

#endif
