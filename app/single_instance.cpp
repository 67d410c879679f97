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

// One name per log-on session ("Local\\"): copies started from any folder count
// as the same program, as the probes see them.
static const char InstanceMutexName[] = "Local\\ClickPocket.RunningCopy.cp_dn475dc";

static bool Acquired(DWORD waitResult)
{
    // An abandoned mutex: the copy that held it ended without a word; ours now.
    return waitResult == WAIT_OBJECT_0 || waitResult == WAIT_ABANDONED;
}

HANDLE (WINAPI *CreateInstanceMutex)(SECURITY_ATTRIBUTES*, BOOL, const char*) = CreateMutexA;

bool HandOverToRunningCopy()
{
    // Held until the process ends, by the system: the handle is never closed.
    HANDLE mutex = CreateInstanceMutex(0, FALSE, InstanceMutexName);
    bool refused = mutex == 0 && GetLastError() == ERROR_ACCESS_DENIED;
    if ((mutex == 0 && !refused) || (mutex != 0 && Acquired(WaitForSingleObject(mutex, 0))))
        return ActivateRunningCopy();
    // Another copy is starting: its windows come some tenths of a second later.
    for (DWORD waited = 0; waited < StartWaitMs; waited += StartPollMs) {
        if (ActivateRunningCopy())
            return true;
        if (refused)
            Sleep(StartPollMs);         // its end cannot be waited for: only looked for
        else if (Acquired(WaitForSingleObject(mutex, StartPollMs)))
            return false;               // it ended before showing anything
    }
    return true;                        // still nothing to hand over to: end quietly
}
