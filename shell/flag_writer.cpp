#include "flag_writer.h"

#include "shell_worker.h"
#include "../core/flag_files.h"
#include "../core/globals.h"

// The mailbox: the state last asked for and not yet written, or none.
static const LONG NothingAsked = -1;
static LONG AskedState = NothingAsked;

static void WriteAsked();
static ShellWorker FlagWriter = { WriteAsked, WriteAsked, 0, 0, 0, 0, {}, false };

static void WriteAsked()
{
    EnterCriticalSection(&FlagWriter.lock);
    LONG state = ServesShellWorker(&FlagWriter) ? AskedState : NothingAsked;
    AskedState = NothingAsked;
    LeaveCriticalSection(&FlagWriter.lock);
    if (state == NothingAsked)
        return;
    char path[PathBufferSize];
    bool done = MakeInstallPath(path, sizeof path, ShiftFlagName)
        && (state != 0 ? CreateFlagFile(path) : RemoveFlagFile(path));
    if (!done)
        PostMessageA(MainWindow, ShiftFlagFailedMessage, state != 0 ? 1 : 0, 0);
}

bool WriteShiftFlag(bool on)
{
    if (!WakeShellWorker(&FlagWriter))
        return false;
    EnterCriticalSection(&FlagWriter.lock);
    AskedState = on ? 1 : 0;
    LeaveCriticalSection(&FlagWriter.lock);
    return WakeShellWorker(&FlagWriter);
}

bool StopFlagWriting(DWORD waitMs)
{
    return StopShellWorker(&FlagWriter, waitMs);
}
