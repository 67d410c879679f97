// The control window's owner-drawn buttons 100 to 106, each painted as a styled
// label in the look of its state: at rest, focused, pressed or disabled.
#ifndef CLICKPOCKET_OWNER_BUTTON_H
#define CLICKPOCKET_OWNER_BUTTON_H

#include <windows.h>

struct ButtonSkin {
    UINT controlId;                 // the button being drawn
    const DRAWITEMSTRUCT* drawItem; // valid only while its WM_DRAWITEM is handled
    const char* const* labels;      // ButtonLabels
    UINT firstId;                   // the id whose label is labels[0]
    COLORREF disabledText;
    COLORREF disabledBack;
    COLORREF normalText;
    COLORREF normalBack;
    COLORREF pressedText;
    COLORREF pressedBack;
    COLORREF focusText;             // also the look right after a release
    COLORREF focusBack;
    int pressedMargin;
    UINT format;
    LOGFONTA normalFont;
    LOGFONTA pressedFont;
};

const UINT FirstSkinnedButton = 100;
const UINT LastSkinnedButton = 106;

extern ButtonSkin MainButtonSkin;
extern const char* const ButtonLabels[LastSkinnedButton - FirstSkinnedButton + 1];

void SetUpButtonSkin();                                 // the control window's WM_CREATE
void DrawMainButton(UINT id, const DRAWITEMSTRUCT* draw); // its WM_DRAWITEM
void PaintOwnerButton(const ButtonSkin* skin);

#endif
