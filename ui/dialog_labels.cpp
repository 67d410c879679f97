#include "dialog_labels.h"

#include "../paint/styled_label.h"

void PaintDialogLabels(HWND dialog, const DialogLabel* labels, int count)
{
    for (int i = 0; i < count; ++i) {
        const DialogLabel& label = labels[i];
        HWND control = GetDlgItem(dialog, label.id);
        const LOGFONTA* font =
            MakeFontSpec(label.faceName, label.points, label.bold, 0, 0, 0, control);
        SetStyledLabel(control, label.text, label.textColor, RGB(0, 0, 0), RGB(0, 0, 0), 0,
                       OPAQUE, label.format, font);
    }
}

void ReleaseDialogPictures(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child != 0;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16];
        if (GetClassNameA(child, className, sizeof className) == 0 ||
            lstrcmpiA(className, "Static") != 0)
            continue;
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
            continue;
        HANDLE picture = reinterpret_cast<HANDLE>(
            SendMessageA(child, STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (picture != 0)
            DeleteObject(picture);
    }
}
