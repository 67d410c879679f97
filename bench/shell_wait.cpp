// How long the control window's thread keeps a sender waiting while the shell
// takes 3 s to open the folder (ShellExecuteCall made slow, as a sleeping drive
// or a network share makes it): WM_NULL sent back to back from another thread
// for 4 s after a folder request, the longest wait for an answer.
#include <windows.h>

#include <stdio.h>

#include "../tests/tools/window_probe.h"
#include "core/globals.h"
#include "core/text_util.h"
#include "hook/hook_contract.h"
#include "ui/mainwnd.h"
#include "shell/shell_open.h"

static BOOL WINAPI SlowShellExecute(SHELLEXECUTEINFOA* info)
{
    Sleep(3000);
    info->hInstApp = reinterpret_cast<HINSTANCE>(42);
    return TRUE;
}

static PingTally Tally;

static DWORD WINAPI Ping(void*)
{
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    while (MillisecondsSince(start) < 4000)
        PingOnce(MainWindow, &Tally);
    return 0;
}

int main()
{
    AppInstance = GetModuleHandleA(0);
    char folder[PathBufferSize];
    GetTempPathA(sizeof folder, folder);
    CopyText(InstallDir, sizeof InstallDir, folder);
    JoinText(PocketDir, sizeof PocketDir, InstallDir, "My ClickPocket");
    PrivateMessage = RegisterWindowMessageA(PRIVATE_MESSAGE_NAME);
    if (!CreateMainWindow())
        return 1;
    ShellExecuteCall = SlowShellExecute;
    PostMessageA(MainWindow, PrivateMessage, REQUEST_OPEN_FOLDER, 0);
    HANDLE pinger = CreateThread(0, 0, Ping, 0, 0, 0);
    while (MsgWaitForMultipleObjects(1, &pinger, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    printf("3 s ShellExecute: longest wait %.1f ms over %lu answers (%lu unanswered)\n",
           Tally.longestMs, Tally.answers, Tally.unanswered);
    DestroyWindow(MainWindow);
    EndShellThreads();
    return 0;
}
