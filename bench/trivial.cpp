// The yardstick for start-up time: a Windows program that creates one window and ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HWND window = CreateWindowExA(0, "STATIC", "cp-trivial", WS_POPUP, 0, 0, 1, 1, 0, 0, 0, 0);
    DestroyWindow(window);
    return 0;
}
