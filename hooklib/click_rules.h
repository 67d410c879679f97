// What the hook library makes of a mouse message and of the relay's texts.
// Header-only and free of any library call, because the hook library has no
// C runtime; the native tests include it as it is.
#ifndef CLICKPOCKET_CLICK_RULES_H
#define CLICKPOCKET_CLICK_RULES_H

// Mouse message numbers, as the platform defines them.
enum {
    MsgNcMButtonDown = 0x00A7, MsgNcMButtonUp = 0x00A8, MsgNcMButtonDblClk = 0x00A9,
    MsgMButtonDown = 0x0207, MsgMButtonUp = 0x0208, MsgMButtonDblClk = 0x0209
};

enum MouseEvent { OtherMouseEvent, MiddlePress, MiddleRelease };

// A press is the button going down, or a quick second click in a window that
// asks for double clicks; both in the client area or on the frame.
inline MouseEvent ClassifyMouseMessage(unsigned message)
{
    switch (message) {
    case MsgMButtonDown: case MsgMButtonDblClk:
    case MsgNcMButtonDown: case MsgNcMButtonDblClk:
        return MiddlePress;
    case MsgMButtonUp: case MsgNcMButtonUp:
        return MiddleRelease;
    default:
        return OtherMouseEvent;
    }
}

// The control window's handle as the relay publishes it: 1 to 10 decimal digits,
// no sign, no leading zero, no other character, within 32 bits, not zero.
inline bool ParseRelayHandle(const char* text, unsigned long* value)
{
    if (text == 0 || text[0] < '1' || text[0] > '9')
        return false;
    unsigned long long result = 0;
    int digits = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9' || ++digits > 10)
            return false;
        result = result * 10 + static_cast<unsigned>(*p - '0');
    }
    if (result > 0xFFFFFFFFull)
        return false;
    *value = static_cast<unsigned long>(result);
    return true;
}

// The Shift option field: "1" on, "0" off; anything else is not a relay we trust.
enum ShiftField { ShiftFieldOff, ShiftFieldOn, ShiftFieldInvalid };

inline ShiftField ParseShiftField(const char* text)
{
    if (text != 0 && text[0] == '1' && text[1] == '\0')
        return ShiftFieldOn;
    if (text != 0 && text[0] == '0' && text[1] == '\0')
        return ShiftFieldOff;
    return ShiftFieldInvalid;
}

enum ClickRequest { NoRequest, RequestOpenFolder, RequestShowWindow };

// Left Control asks for the control window whatever the Shift option says; the
// option limits only the folder request to clicks made with Left Shift held.
inline ClickRequest DecideClickRequest(bool leftControlHeld, bool leftShiftHeld,
                                       ShiftField shiftOption)
{
    if (shiftOption == ShiftFieldInvalid)
        return NoRequest;
    if (leftControlHeld)
        return RequestShowWindow;
    if (shiftOption == ShiftFieldOn && !leftShiftHeld)
        return NoRequest;
    return RequestOpenFolder;
}

#endif
