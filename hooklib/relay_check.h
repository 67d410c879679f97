// Which relay the hook library may trust. Any program can make a window with
// the ready title whose control 100 names a window of its own; only the one of
// a process running ClickPocket.exe (or a renamed copy of it, "ClickPocket
// (2).exe": click_rules.h) from the folder this library was loaded from gets the
// click, and with it the right to take the foreground.
#ifndef CLICKPOCKET_RELAY_CHECK_H
#define CLICKPOCKET_RELAY_CHECK_H

#include <windows.h>

// A relay window and the process it belongs to; both zero for none.
struct TrustedRelay {
    HWND window;
    DWORD process;
};

// The relay that counts for the library loaded at `library`: *known while that
// window still belongs to the same process; otherwise the first window with the
// ready title, in Z-order, whose process passes the check, which *known then
// remembers. A process that cannot be checked (it may not be opened, a path is
// too long, or this Windows lacks a call the check needs) counts for nothing.
TrustedRelay FindTrustedRelay(HMODULE library, TrustedRelay* known);

// True when image, the path of a process's program, is a program file
// (IsProgramFileName) in the folder of library, the library's path (both in one form), compared as Windows
// compares file names: ordinally, without regard to case.
bool IsProgramBesideLibraryPath(const WCHAR* image, int imageLength, const WCHAR* library,
                                int libraryLength);

// The OpenProcess the check makes. Tests put in their own to play a program that
// may not open ClickPocket's process (a restricted or sandboxed token, another
// account), which Wine, running everything as an administrator, never is.
struct RelayCheckCalls {
    HANDLE (WINAPI *openProcess)(DWORD access, BOOL inherit, DWORD process);
};
extern RelayCheckCalls RelayCheck;

#endif
