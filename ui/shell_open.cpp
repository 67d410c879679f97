#include "shell_open.h"

#include "shell_worker.h"
#include "../core/globals.h"
#include "../core/text_util.h"

BOOL (WINAPI *ShellExecuteCall)(SHELLEXECUTEINFOA* info) = ShellExecuteExA;

// The queue of targets, in the order they were asked for. A user does not click
// faster than the shell opens things, but a slow drive can hold one up for some
// seconds: what does not fit meanwhile is dropped, as a repeated click would be.
enum { QueuedTargets = 4 };

struct QueuedTarget {
    char target[PathBufferSize];
    bool folder;
    unsigned request;
};

static QueuedTarget Queue[QueuedTargets];
static int QueueStart;
static int QueueCount;

static bool TakeQueued(QueuedTarget* out, ShellWorker* worker)
{
    EnterCriticalSection(&worker->lock);
    bool taken = QueueCount > 0;
    if (taken) {
        *out = Queue[QueueStart];
        QueueStart = (QueueStart + 1) % QueuedTargets;
        --QueueCount;
    }
    LeaveCriticalSection(&worker->lock);
    return taken;
}

static void OpenTarget(const QueuedTarget& item)
{
    SHELLEXECUTEINFOA info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    // The thread stays until the shell is done with its DDE conversations.
    info.fMask = SEE_MASK_NOASYNC | (item.folder ? SEE_MASK_FLAG_NO_UI : 0);
    info.lpFile = item.target;
    info.nShow = SW_SHOWNORMAL;
    BOOL opened = ShellExecuteCall(&info)
        && reinterpret_cast<INT_PTR>(info.hInstApp) > 32;
    if (item.folder)
        PostMessageA(MainWindow, FolderOpenedMessage, item.request, opened ? 1 : 0);
}

static void OpenQueued();
static void NothingToFinish() {}

static ShellWorker Opener = { OpenQueued, NothingToFinish, 0, 0, 0, {}, false };

static void OpenQueued()
{
    QueuedTarget item;
    while (TakeQueued(&item, &Opener))
        OpenTarget(item);
}

static bool Enqueue(const char* target, bool folder, unsigned request)
{
    if (!WakeShellWorker(&Opener))      // its thread first: nothing is queued for none
        return false;
    EnterCriticalSection(&Opener.lock);
    bool queued = QueueCount < QueuedTargets;
    if (queued) {
        QueuedTarget& slot = Queue[(QueueStart + QueueCount) % QueuedTargets];
        queued = CopyText(slot.target, sizeof slot.target, target);
        slot.folder = folder;
        slot.request = request;
        if (queued)
            ++QueueCount;
    }
    LeaveCriticalSection(&Opener.lock);
    return queued && WakeShellWorker(&Opener);
}

bool OpenFolderInShell(const char* folder, unsigned request)
{
    return Enqueue(folder, true, request);
}

bool OpenInShell(const char* target)
{
    return Enqueue(target, false, 0);
}

void StopShellOpening(DWORD waitMs)
{
    StopShellWorker(&Opener, waitMs);
}
