// cpclicktarget: an ordinary program for the scenarios to click on. It logs every
// mouse button message its window receives, one per line, to the file named on
// its command line, and with "timer" also the largest gap between its 10 ms timer
// messages (a measure of how long a click kept it waiting); with "right" its
// window stands to the right of the default one, for a second target.
//   cpclicktarget <title> <logfile> [timer|right]
//
// With "relay" it plays the program's part instead, to count what the hook
// library delivers: it publishes a relay of its own (field 100 as given, or with
// "-" or none its own window; field 102 the Shift option), installs the
// library's hook (none for "-") and logs every request it receives as
// "REQUEST <wParam>". Copied beside the library as ClickPocket.exe it is a relay
// the library trusts; anywhere else, another program's. With "topmost" its relay
// is topmost, before any other in Z-order.
//   cpclicktarget relay <dll|-> <logfile> <shift 0|1> [<field100>|- [topmost]]
//
// With "url" it stands in for the web browser: it appends the address it was
// handed to the log, one line per opening.
//   cpclicktarget url <logfile> <address>
//
// With "folder" it stands in for the shell's folder window, shown late: it logs
// "OPENED <folder>", and after <delay> ms (never for -1) shows, without taking
// the foreground, a window titled "My ClickPocket" (or <title>, of window class
// <class>, as File Explorer's "CabinetWClass") and logs "SHOWN <tick>" (its
// GetTickCount), and "ACTIVATED"
// whenever it is activated. With "listed" the window is entered in the shell's
// list of folder windows for <folder> from its creation on, as Explorer enters
// its own. A delay ending in "h" (2500h) hangs the window once shown: its thread
// takes no message for 8 s, as a busy Explorer's. It ends when that window is
// closed, and by itself after 20 s.
//   cpclicktarget folder <delay ms> <logfile> <folder> [<class> <title> [listed]]
#include <windows.h>
#include <shellapi.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "shell_listing.h"

static FILE* Log;
static bool Timing;
static DWORD LastTick;
static DWORD LargestGap;

static void Note(const char* what)
{
    fprintf(Log, "%s\n", what);
    fflush(Log);
}

static UINT RequestMessage;

static LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (RequestMessage != 0 && message == RequestMessage) {
        fprintf(Log, "REQUEST %lu\n", static_cast<unsigned long>(wParam));
        fflush(Log);
        return 0;
    }
    switch (message) {
    case WM_MBUTTONDOWN: Note("MBUTTONDOWN"); return 0;
    case WM_MBUTTONUP: Note("MBUTTONUP"); return 0;
    case WM_MBUTTONDBLCLK: Note("MBUTTONDBLCLK"); return 0;
    case WM_NCMBUTTONDOWN: Note("NCMBUTTONDOWN"); break;
    case WM_NCMBUTTONUP: Note("NCMBUTTONUP"); break;
    case WM_LBUTTONDOWN: Note("LBUTTONDOWN"); return 0;
    case WM_LBUTTONUP: Note("LBUTTONUP"); return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            Note("ACTIVATED");
        break;
    case WM_TIMER: {
        DWORD now = GetTickCount();
        if (LastTick != 0 && now - LastTick > LargestGap) {
            LargestGap = now - LastTick;
            fprintf(Log, "GAP %lu\n", static_cast<unsigned long>(LargestGap));
            fflush(Log);
        }
        LastTick = now;
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static int RunRelay(HINSTANCE instance)
{
    if (__argc < 5)
        return 2;
    Log = fopen(__argv[3], "wb");
    if (Log == 0)
        return 2;
    RequestMessage = RegisterWindowMessageA("uCLICKPOCKET_PRIVATEMSG");
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "CpSpyRelay";
    RegisterClassA(&windowClass);
    bool topmost = __argc > 6 && strcmp(__argv[6], "topmost") == 0;
    HWND relay = CreateWindowExA(topmost ? WS_EX_TOPMOST : 0, "CpSpyRelay", "cp_dn475dc_0",
                                 WS_POPUP, 0, 0, 1, 1, 0, 0, instance, 0);
    char handle[24];
    wsprintfA(handle, "%lu", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(relay)));
    bool ownWindow = __argc <= 5 || strcmp(__argv[5], "-") == 0;
    const char* fieldTexts[3] = { ownWindow ? handle : __argv[5], "1", __argv[4] };
    for (int i = 0; i < 3; ++i)
        CreateWindowExA(0, "STATIC", fieldTexts[i], WS_CHILD, 0, 0, 1, 1, relay,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)), instance, 0);
    if (strcmp(__argv[2], "-") != 0) {
        HMODULE library = LoadLibraryA(__argv[2]);
        HOOKPROC proc = library ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                      GetProcAddress(library, "CLICKPOCKET_MSP")))
                                : 0;
        HHOOK hook = proc ? SetWindowsHookExA(WH_MOUSE, proc, library, 0) : 0;
        if (ownWindow && hook == 0)
            return 3;
    }
    SetWindowTextA(relay, "cp_dn475dc_1");
    Note("READY");
    MSG message;
    while (GetMessageA(&message, 0, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}

static int RunLateFolder(HINSTANCE instance)
{
    Log = fopen(__argv[3], "ab");
    if (Log == 0)
        return 2;
    // The folder as the shell handed it, in UTF-16 (any language's folder name),
    // logged in UTF-8.
    int count = 0;
    WCHAR** wideArgs = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wideArgs == 0 || count < 5)
        return 2;
    char folder[3 * MAX_PATH];
    WideCharToMultiByte(CP_UTF8, 0, wideArgs[4], -1, folder, sizeof folder, 0, 0);
    fprintf(Log, "OPENED %s\n", folder);
    fflush(Log);
    char* after = 0;
    long delay = strtol(__argv[2], &after, 10);
    bool hangs = after != 0 && *after == 'h';
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = __argc >= 7 ? __argv[5] : "CpLateFolder";
    const char* title = __argc >= 7 ? __argv[6] : "My ClickPocket";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW,
                                  480, 40, 400, 300, 0, 0, instance, 0);
    if (window == 0)
        return 2;
    ShellListing listing = { 0, 0 };
    if (__argc >= 8 && strcmp(__argv[7], "listed") == 0) {
        CoInitializeEx(0, COINIT_APARTMENTTHREADED);
        if (!ListWindowForFolder(window, wideArgs[4], &listing))
            Note("NOT LISTED");
    }
    LocalFree(wideArgs);
    if (delay >= 0)
        SetTimer(window, 2, static_cast<UINT>(delay), 0);
    SetTimer(window, 3, 20000, 0);
    MSG message;
    while (GetMessageA(&message, 0, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.wParam == 2) {
            KillTimer(window, 2);
            ShowWindow(window, SW_SHOWNOACTIVATE);
            fprintf(Log, "SHOWN %lu\n", static_cast<unsigned long>(GetTickCount()));
            fflush(Log);
            if (hangs)
                Sleep(8000);
            continue;
        }
        if (message.message == WM_TIMER && message.wParam == 3)
            break;
        DispatchMessageA(&message);
    }
    UnlistWindow(&listing);
    fclose(Log);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (__argc >= 5 && strcmp(__argv[1], "folder") == 0)
        return RunLateFolder(instance);
    if (__argc >= 2 && strcmp(__argv[1], "relay") == 0)
        return RunRelay(instance);
    if (__argc >= 4 && strcmp(__argv[1], "url") == 0) {
        FILE* opened = fopen(__argv[2], "ab");
        if (opened == 0)
            return 1;
        fprintf(opened, "%s\n", __argv[3]);
        fclose(opened);
        return 0;
    }
    if (__argc < 3)
        return 2;
    Log = fopen(__argv[2], "wb");
    if (Log == 0)
        return 2;
    Timing = __argc > 3 && strcmp(__argv[3], "timer") == 0;
    int left = __argc > 3 && strcmp(__argv[3], "right") == 0 ? 480 : 40;

    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(0, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "CpClickTarget";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "CpClickTarget", __argv[1], WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  left, 40, 400, 300, 0, 0, instance, 0);
    if (window == 0)
        return 2;
    if (Timing)
        SetTimer(window, 1, 10, 0);
    Note("READY");
    MSG message;
    while (GetMessageA(&message, 0, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    fclose(Log);
    return 0;
}
