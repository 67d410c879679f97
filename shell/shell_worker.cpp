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

bool ServesShellWorker(const ShellWorker* worker)
{
    return worker->threadId == GetCurrentThreadId();
}

static bool StillServes(ShellWorker* worker)
{
    EnterCriticalSection(&worker->lock);
    bool serves = ServesShellWorker(worker);
    LeaveCriticalSection(&worker->lock);
    return serves;
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
    bool replaced = false;
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjectsEx(1, &worker->wake, INFINITE, QS_ALLINPUT,
                                                  MWMO_INPUTAVAILABLE);
        if (worker->stopping != 0 || woken == WAIT_FAILED)
            break;
        if (woken == WAIT_OBJECT_0) {
            worker->work();
            replaced = !StillServes(worker);
            if (replaced)
                break;      // a fresh thread serves the mailbox now
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
    if (!replaced)
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

static void ForgetThread(ShellWorker* worker)
{
    EnterCriticalSection(&worker->lock);
    worker->threadId = 0;
    LeaveCriticalSection(&worker->lock);
    CloseHandle(worker->thread);
    worker->thread = 0;
}

// Started suspended, so that the thread is known as the one that serves before it
// runs a line.
static bool StartThread(ShellWorker* worker)
{
    DWORD id = 0;
    worker->stopping = 0;
    worker->thread = CreateThread(0, 0, RunShellWorker, worker, CREATE_SUSPENDED, &id);
    if (worker->thread == 0)
        return false;
    EnterCriticalSection(&worker->lock);
    worker->threadId = id;
    LeaveCriticalSection(&worker->lock);
    ResumeThread(worker->thread);
    return true;
}

bool WakeShellWorker(ShellWorker* worker)
{
    PrepareShellWorker(worker);
    if (worker->thread != 0 && WaitForSingleObject(worker->thread, 0) == WAIT_OBJECT_0)
        ForgetThread(worker);       // it ended on its own: what it left is taken up anew
    if (worker->thread == 0) {
        if (worker->wake == 0)
            worker->wake = CreateEventA(0, FALSE, FALSE, 0);
        if (worker->wake == 0 || !StartThread(worker))
            return false;
    }
    return SetEvent(worker->wake) != FALSE;
}

void ReplaceShellWorker(ShellWorker* worker)
{
    if (worker->thread != 0)
        ForgetThread(worker);
}

bool StopShellWorker(ShellWorker* worker, DWORD waitMs)
{
    if (worker->thread == 0)
        return true;
    InterlockedExchange(&worker->stopping, 1);
    SetEvent(worker->wake);
    if (WaitForSingleObject(worker->thread, waitMs) != WAIT_OBJECT_0)
        return false;   // still in the shell: it ends with the process, its handles too
    ForgetThread(worker);
    return true;
}
