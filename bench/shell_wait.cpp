// How long the control window's thread keeps a sender waiting while the shell
// takes 3 s to open the folder (ShellExecuteCall made slow, as a sleeping drive
// or a network share makes it): WM_NULL sent about once a millisecond from another
// thread for 4 s after a folder request, the longest wait for an answer.
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
    Pinger ping = {};
    ping.window = MainWindow;
    ping.limitMs = 4000;
    HANDLE pinger = CreateThread(0, 0, PingOnThread, &ping, 0, 0);
    while (MsgWaitForMultipleObjects(1, &pinger, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    printf("3 s ShellExecute: longest wait %.1f ms over %lu answers (%lu unanswered), "
           "%.0f a second\n", ping.longestMs, ping.answers, ping.unanswered, PingsPerSecond(ping));
    DestroyWindow(MainWindow);
    EndShellThreads();
    return 0;
}
