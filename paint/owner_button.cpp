#include "owner_button.h"

#include "label_rules.h"
#include "styled_label.h"

static_assert(ODA_DRAWENTIRE == DrawEntire && ODA_SELECT == DrawSelect && ODA_FOCUS == DrawFocus,
              "owner-draw actions");
static_assert(ODS_SELECTED == StateSelected && ODS_DISABLED == StateDisabled &&
                  ODS_FOCUS == StateFocus,
              "owner-draw states");

ButtonSkin MainButtonSkin;

// The painted labels; the template's button texts are only the windows' names.
const char* const ButtonLabels[LastSkinnedButton - FirstSkinnedButton + 1] = {
    "D o w n l o a d\nC o r v e l l a n\nF r e e w a r e",
    "License",
    "Help",
    "About",
    "Exit",
    "HIDE",
    "WIN US$50,000 CASH!",
};

static const UINT DownloadButton = 100;
static const UINT ContestButton = 106;

void SetUpButtonSkin()
{
    MainButtonSkin.labels = ButtonLabels;
    MainButtonSkin.firstId = FirstSkinnedButton;
    MainButtonSkin.disabledText = RGB(192, 192, 192);
    MainButtonSkin.disabledBack = RGB(51, 51, 51);
    MainButtonSkin.pressedMargin = 0;
}

// MakeFontSpec hands back one shared description: each result is copied before
// the next call.
static void TakeFont(LOGFONTA* into, const char* face, int points, BYTE bold, HWND button)
{
    const LOGFONTA* description = MakeFontSpec(face, points, bold, 0, 0, 0, button);
    if (description != 0)
        *into = *description;
}

void DrawMainButton(UINT id, const DRAWITEMSTRUCT* draw)
{
    // Only the seven skinned buttons have labels.
    if (id < FirstSkinnedButton || id > LastSkinnedButton)
        return;
    ButtonSkin& skin = MainButtonSkin;
    skin.controlId = id;
    skin.drawItem = draw;
    skin.normalText = RGB(255, 255, 255);
    skin.normalBack = id == ContestButton ? RGB(255, 102, 0) : RGB(51, 51, 51);
    skin.pressedText = RGB(255, 255, 0);
    skin.pressedBack = RGB(0, 0, 0);
    skin.focusText = RGB(255, 255, 0);
    skin.focusBack = RGB(153, 51, 0);
    if (id == ContestButton) {
        TakeFont(&skin.normalFont, "Arial Black", 19, 0, draw->hwndItem);
        TakeFont(&skin.pressedFont, "Arial Black", 15, 0, draw->hwndItem);
        skin.format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    } else {
        TakeFont(&skin.normalFont, "Arial Narrow", 10, 1, draw->hwndItem);
        TakeFont(&skin.pressedFont, "Arial Narrow", id == DownloadButton ? 9 : 7, 0,
                 draw->hwndItem);
        // The three-line label wraps inside its rectangle, so it is no single line.
        skin.format = id == DownloadButton ? DT_CENTER | DT_VCENTER
                                           : DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    }
    PaintOwnerButton(&skin);
}

void PaintOwnerButton(const ButtonSkin* skin)
{
    const DRAWITEMSTRUCT* draw = skin->drawItem;
    bool focusBit = false;
    if (LookNeedsFocusBit(draw->itemAction, draw->itemState))
        focusBit = (SendMessageA(draw->hwndItem, BM_GETSTATE, 0, 0) & BST_FOCUS) != 0;

    COLORREF text, back;
    const LOGFONTA* font = &skin->normalFont;
    int margin = 0;
    switch (PickButtonLook(draw->itemAction, draw->itemState, focusBit)) {
    case LookDisabled:
        text = skin->disabledText;
        back = skin->disabledBack;
        break;
    case LookRest:
        text = skin->normalText;
        back = skin->normalBack;
        break;
    case LookFocus:
        text = skin->focusText;
        back = skin->focusBack;
        break;
    case LookPressed:
        text = skin->pressedText;
        back = skin->pressedBack;
        font = &skin->pressedFont;
        margin = skin->pressedMargin;
        break;
    default:
        return;     // no action that asks for a picture
    }
    // The state's background is both the text background and the button's fill.
    SetStyledLabel(draw->hwndItem, skin->labels[skin->controlId - skin->firstId], text, back,
                   back, margin, OPAQUE, skin->format, font);
}
