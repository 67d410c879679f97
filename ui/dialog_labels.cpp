#include "dialog_labels.h"

#include "../core/display_scale.h"
#include "../paint/styled_label.h"

void PaintDialogLabels(HWND dialog, const DialogLabel* labels, int count)
{
    for (int i = 0; i < count; ++i) {
        const DialogLabel& label = labels[i];
        HWND control = GetDlgItem(dialog, label.id);
        // On a change of DPI the dialog manager moves and sizes the label for
        // the new scale, but sends it no font: it paints in its own, which the
        // dialog makes anew for that scale once the manager is done.
        if (DisplayScale.setDialogControlDpiChangeBehavior != 0)
            DisplayScale.setDialogControlDpiChangeBehavior(control, DialogControlKeepsFont,
                                                           DialogControlKeepsFont);
        const LOGFONTA* font =
            MakeFontSpec(label.faceName, label.points, label.bold, 0, 0, 0, control);
        SetStyledLabel(control, label.text, label.textColor, RGB(0, 0, 0), RGB(0, 0, 0), 0,
                       OPAQUE, label.format, font);
    }
}
