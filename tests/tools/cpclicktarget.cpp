// cpclicktarget: an ordinary program for the scenarios to click on. It logs every
// mouse button message its window receives, one per line, to the file named on
// its command line, and with "timer" also the largest gap between its 10 ms timer
// messages (a measure of how long a click kept it waiting).
//   cpclicktarget <title> <logfile> [timer]
#include <windows.h>

#include <stdio.h>
#include <string.h>

static FILE* Log;
static bool Timing;
static DWORD LastTick;
static DWORD LargestGap;

static void Note(const char* what)
{
    fprintf(Log, "%s\n", what);
    fflush(Log);
}

static LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MBUTTONDOWN: Note("MBUTTONDOWN"); return 0;
    case WM_MBUTTONUP: Note("MBUTTONUP"); return 0;
    case WM_MBUTTONDBLCLK: Note("MBUTTONDBLCLK"); return 0;
    case WM_NCMBUTTONDOWN: Note("NCMBUTTONDOWN"); break;
    case WM_NCMBUTTONUP: Note("NCMBUTTONUP"); break;
    case WM_LBUTTONDOWN: Note("LBUTTONDOWN"); return 0;
    case WM_LBUTTONUP: Note("LBUTTONUP"); return 0;
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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (__argc < 3)
        return 2;
    Log = fopen(__argv[2], "w");
    if (Log == 0)
        return 2;
    Timing = __argc > 3 && strcmp(__argv[3], "timer") == 0;

    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(0, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "CpClickTarget";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "CpClickTarget", __argv[1], WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  40, 40, 400, 300, 0, 0, instance, 0);
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
