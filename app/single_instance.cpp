#include "single_instance.h"

#include <windows.h>

#include "../hook/hook_contract.h"
#include "../ui/mainwnd.h"
#include "../ui/welcome.h"

bool ActivateRunningCopy()
{
    HWND welcome = FindWindowA(0, WELCOME_CAPTION);
    if (welcome != 0) {
        ShowWindow(welcome, SW_SHOW);
        SetForegroundWindow(welcome);
        return true;
    }

    HWND relay = FindWindowA(0, RELAY_TITLE_READY);
    if (relay == 0)
        return false;
    // Not a number gives a null window, and the calls below then do nothing.
    HWND running = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(
        GetDlgItemInt(relay, RELAY_FIELD_MAIN_WINDOW, 0, FALSE)));
    ShowWindow(running, SW_SHOW);
    SetForegroundWindow(running);
    // The focus belongs to the other copy's thread: borrow its input state briefly.
    DWORD self = GetCurrentThreadId();
    AttachThreadInput(self, GetWindowThreadProcessId(running, 0), TRUE);
    SetFocus(GetDlgItem(running, IdHide));
    AttachThreadInput(self, GetWindowThreadProcessId(running, 0), FALSE);
    return true;
}
