// The arithmetic of styled painting, apart from any window: where a label's text
// goes inside its client area, and which look an owner-drawn button takes for a
// draw request. Plain integers only, so it builds and is tested anywhere.
#ifndef CLICKPOCKET_LABEL_RULES_H
#define CLICKPOCKET_LABEL_RULES_H

struct LabelTextArea {
    int left;
    int top;
    int right;
    int bottom;
};

// The text keeps a hundredth of the client size plus the margin free at the left
// and top, and one margin more at the right and bottom. Integer divisions, as the
// painter has always drawn them.
inline LabelTextArea LabelInset(int width, int height, int margin)
{
    LabelTextArea area;
    area.left = width / 100 + margin;
    area.right = width - (width / 100 + margin) - margin;
    area.top = height / 100 + margin;
    area.bottom = height - (height / 100 + margin) - margin;
    return area;
}

// The owner-draw bits the look depends on (the values of ODA_* and ODS_*).
enum : unsigned {
    DrawEntire = 0x1,       // ODA_DRAWENTIRE
    DrawSelect = 0x2,       // ODA_SELECT
    DrawFocus = 0x4,        // ODA_FOCUS
    StateSelected = 0x1,    // ODS_SELECTED
    StateDisabled = 0x4,    // ODS_DISABLED
    StateFocus = 0x10       // ODS_FOCUS
};

enum ButtonLook { LookNone, LookDisabled, LookRest, LookFocus, LookPressed };

// Whether the look depends on the button's own focus bit (BM_GETSTATE), which
// only a full redraw of an enabled button asks for.
inline bool LookNeedsFocusBit(unsigned action, unsigned state)
{
    return (state & StateDisabled) == 0 && (action & DrawEntire) != 0;
}

// The first rule that holds decides. A release (a select action without the
// selected state) shows the focus look whatever the focus; a request with none
// of the three actions paints nothing.
inline ButtonLook PickButtonLook(unsigned action, unsigned state, bool focusBit)
{
    if (state & StateDisabled)
        return LookDisabled;
    if (action & DrawEntire)
        return focusBit ? LookFocus : LookRest;
    if (action & DrawFocus)
        return (state & StateFocus) ? LookFocus : LookRest;
    if (action & DrawSelect)
        return (state & StateSelected) ? LookPressed : LookFocus;
    return LookNone;
}

#endif
