#include "shell_worker.h"

#include <objbase.h>

bool EnterShellApartment()
{
    return SUCCEEDED(CoInitializeEx(0, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

void LeaveShellApartment()
{
    CoUninitialize();
}

// The worker's loop. Its wake-ups come through an event, not through messages:
// COM dispatches this thread's messages while a call into another process is
// under way, and a request that came as a message would then be taken up in the
// middle of the one before. The messages are still dispatched here, as an
// apartment must.
static DWORD WINAPI RunShellWorker(void* param)
{
    ShellWorker* worker = static_cast<ShellWorker*>(param);
    bool apartment = EnterShellApartment();
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjectsEx(1, &worker->wake, INFINITE, QS_ALLINPUT,
                                                  MWMO_INPUTAVAILABLE);
        if (worker->stopping != 0 || woken == WAIT_FAILED)
            break;
        if (woken == WAIT_OBJECT_0) {
            worker->work();
            continue;
        }
        MSG message;
        bool quit = false;
        while (!quit && PeekMessageA(&message, 0, 0, 0, PM_REMOVE)) {
            quit = message.message == WM_QUIT;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (quit)
            break;
    }
    worker->finish();
    if (apartment)
        LeaveShellApartment();
    return 0;
}

void PrepareShellWorker(ShellWorker* worker)
{
    if (worker->lockReady)
        return;
    InitializeCriticalSection(&worker->lock);
    worker->lockReady = true;
}

bool WakeShellWorker(ShellWorker* worker)
{
    PrepareShellWorker(worker);
    if (worker->thread == 0) {
        if (worker->wake == 0)
            worker->wake = CreateEventA(0, FALSE, FALSE, 0);
        if (worker->wake == 0)
            return false;
        worker->stopping = 0;
        worker->thread = CreateThread(0, 0, RunShellWorker, worker, 0, 0);
        if (worker->thread == 0)
            return false;
    }
    return SetEvent(worker->wake) != FALSE;
}

void StopShellWorker(ShellWorker* worker, DWORD waitMs)
{
    if (worker->thread == 0)
        return;
    InterlockedExchange(&worker->stopping, 1);
    SetEvent(worker->wake);
    if (WaitForSingleObject(worker->thread, waitMs) != WAIT_OBJECT_0)
        return;     // still in the shell: it ends with the process, its handles too
    CloseHandle(worker->thread);
    worker->thread = 0;
}
