// What the hook library makes of a mouse message and of the relay's texts.
// Header-only and free of any library call, because the hook library has no
// C runtime; the native tests include it as it is.
#ifndef CLICKPOCKET_CLICK_RULES_H
#define CLICKPOCKET_CLICK_RULES_H

#include "../hook/hook_contract.h"

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

// Whose relay counts: its process must run the program file from the folder the
// hook library itself was loaded from. Paths are UTF-16, as the platform gives
// them; a native test feeds them as wchar_t too.

// Where the file name of a path begins: just past its last backslash; 0 for a
// path without one.
inline int FileNameStart(const wchar_t* path, int length)
{
    for (int i = length; i > 0; --i) {
        if (path[i - 1] == L'\\')
            return i;
    }
    return 0;
}

// Compares two texts of the same length as the platform compares file names
// (ordinally, without regard to case: CompareStringOrdinal in the library).
typedef bool (*SameTextFunction)(const wchar_t* first, const wchar_t* second, int length);

static const wchar_t ProgramNameStart[] = L"" PROGRAM_NAME_START;
static const wchar_t ProgramNameEnd[] = L"" PROGRAM_NAME_END;
enum {
    ProgramNameStartLength = sizeof ProgramNameStart / sizeof ProgramNameStart[0] - 1,
    ProgramNameEndLength = sizeof ProgramNameEnd / sizeof ProgramNameEnd[0] - 1
};

// True for a name of the program's file: "ClickPocket.exe", or a copy of it
// renamed as a browser or Explorer names a second one ("ClickPocket (2).exe",
// "ClickPocket - Copy.exe"). Any other program, even beside the library (a
// portable copy often sits in Downloads, beside installers and script hosts),
// is not trusted.
inline bool IsProgramFileName(const wchar_t* name, int length, SameTextFunction sameText)
{
    return length >= ProgramNameStartLength + ProgramNameEndLength
           && sameText(name, ProgramNameStart, ProgramNameStartLength)
           && sameText(name + length - ProgramNameEndLength, ProgramNameEnd,
                       ProgramNameEndLength);
}

// True when image, the path of the relay's program, lies in the folder of
// library, the hook library's path: the same folder up to its last backslash,
// the whole of it (a folder that merely begins the same is another folder), with
// a file name after it. Both paths must be in one form.
inline bool IsBesideLibrary(const wchar_t* image, int imageLength, const wchar_t* library,
                            int libraryLength, SameTextFunction sameText)
{
    int folder = FileNameStart(library, libraryLength);
    return folder > 0 && FileNameStart(image, imageLength) == folder && imageLength > folder
           && sameText(image, library, folder);
}

// True when image is a program file (IsProgramFileName) beside the library.
inline bool IsProgramBesideLibrary(const wchar_t* image, int imageLength, const wchar_t* library,
                                   int libraryLength, SameTextFunction sameText)
{
    int name = FileNameStart(image, imageLength);
    return IsBesideLibrary(image, imageLength, library, libraryLength, sameText)
           && IsProgramFileName(image + name, imageLength - name, sameText);
}

// True for a path that may hold 8.3 aliases ("C:\PROGRA~1\CLICKP~1.EXE"), as a
// program started through its short path is named: one with a tilde. Which long
// names they stand for, only the file system can say.
inline bool MayHoldShortNames(const wchar_t* path, int length)
{
    for (int i = 0; i < length; ++i) {
        if (path[i] == L'~')
            return true;
    }
    return false;
}

// Windows names a mapped file by its volume's device, as QueryFullProcessImageNameW
// with PROCESS_NAME_NATIVE names a process's image:
// "\Device\HarddiskVolume3\Tools\ClickPocket.dll". Wine names a mapped file by
// its drive instead, "\??\C:\Tools\ClickPocket.dll", which compares with the
// image's drive path (QueryFullProcessImageNameW without PROCESS_NAME_NATIVE).
// The length of the "\??\" before such a drive path; 0 for any other path.
inline int DrivePathPrefixLength(const wchar_t* path, int length)
{
    if (length < 7 || path[0] != L'\\' || path[1] != L'?' || path[2] != L'?' || path[3] != L'\\'
        || path[5] != L':' || path[6] != L'\\')
        return 0;
    wchar_t letter = path[4];
    return (letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z') ? 4 : 0;
}

#endif
