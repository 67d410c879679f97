#include "shell_open.h"

#include "shell_worker.h"
#include "../core/flag_files.h"
#include "../core/globals.h"
#include "../core/text_util.h"

BOOL (WINAPI *ShellExecuteCall)(SHELLEXECUTEINFOA* info) = ShellExecuteExA;

struct ShellTarget {
    char path[PathBufferSize];
    HWND notify;            // a document's: told when it is missing; else null
    WPARAM document;
};

// ShellExecuteEx's BOOL says whether it worked; hInstApp is documented only
// with SEE_MASK_NOCLOSEPROCESS.
static bool HandToShell(const char* path, bool ownUi)
{
    SHELLEXECUTEINFOA info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    // The thread stays until the shell is done with its DDE conversations.
    info.fMask = SEE_MASK_NOASYNC | (ownUi ? 0 : SEE_MASK_FLAG_NO_UI);
    info.lpFile = path;
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteCall(&info) != FALSE;
}

// The folder: one request in the mailbox at a time.
static ShellTarget Folder;
static unsigned FolderRequest;      // 0: the mailbox is empty

static void OpenFolderNow();
static void NothingToFinish() {}
static ShellWorker FolderOpener = { OpenFolderNow, NothingToFinish, 0, 0, 0, 0, {}, false };

static void OpenFolderNow()
{
    EnterCriticalSection(&FolderOpener.lock);
    unsigned request = ServesShellWorker(&FolderOpener) ? FolderRequest : 0;
    ShellTarget folder;
    if (request != 0) {
        folder = Folder;
        FolderRequest = 0;
    }
    LeaveCriticalSection(&FolderOpener.lock);
    if (request == 0)
        return;
    bool opened = HandToShell(folder.path, false);
    PostMessageA(MainWindow, FolderOpenedMessage, request, opened ? 1 : 0);
}

bool OpenFolderInShell(const char* folder, unsigned request)
{
    if (!WakeShellWorker(&FolderOpener))    // its thread first: nothing is left for none
        return false;
    EnterCriticalSection(&FolderOpener.lock);
    bool queued = CopyText(Folder.path, sizeof Folder.path, folder);
    FolderRequest = queued ? request : 0;
    LeaveCriticalSection(&FolderOpener.lock);
    return queued && WakeShellWorker(&FolderOpener);
}

void GiveUpFolderOpening()
{
    ReplaceShellWorker(&FolderOpener);
}

// Documents and pages, in the order they were asked for. A user does not click
// faster than the shell opens things, but a slow drive can hold one up for some
// seconds: what does not fit meanwhile is dropped, as a repeated click would be.
enum { QueuedTargets = 4 };
static ShellTarget Queue[QueuedTargets];
static int QueueStart;
static int QueueCount;

static void OpenQueued();
static ShellWorker Opener = { OpenQueued, NothingToFinish, 0, 0, 0, 0, {}, false };

static bool TakeQueued(ShellTarget* out)
{
    EnterCriticalSection(&Opener.lock);
    bool taken = QueueCount > 0 && ServesShellWorker(&Opener);
    if (taken) {
        *out = Queue[QueueStart];
        QueueStart = (QueueStart + 1) % QueuedTargets;
        --QueueCount;
    }
    LeaveCriticalSection(&Opener.lock);
    return taken;
}

static void OpenQueued()
{
    ShellTarget item;
    while (TakeQueued(&item)) {
        // Looked for here, not by the control window: a sleeping drive or a
        // stalled share keeps this thread waiting, and nothing else.
        if (item.notify != 0 && !FileExists(item.path))
            PostMessageA(item.notify, DocumentMissingMessage, item.document, 0);
        else
            HandToShell(item.path, true);      // the shell reports its own failures
    }
}

static bool Enqueue(const char* target, HWND notify, WPARAM document)
{
    if (!WakeShellWorker(&Opener))          // its thread first: nothing is queued for none
        return false;
    EnterCriticalSection(&Opener.lock);
    bool queued = QueueCount < QueuedTargets;
    if (queued) {
        ShellTarget& slot = Queue[(QueueStart + QueueCount) % QueuedTargets];
        queued = CopyText(slot.path, sizeof slot.path, target);
        slot.notify = notify;
        slot.document = document;
        if (queued)
            ++QueueCount;
    }
    LeaveCriticalSection(&Opener.lock);
    return queued && WakeShellWorker(&Opener);
}

bool OpenInShell(const char* target)
{
    return Enqueue(target, 0, 0);
}

bool OpenDocumentInShell(const char* path, HWND notify, WPARAM document)
{
    return Enqueue(path, notify, document);
}

bool StopShellOpening(DWORD waitMs)
{
    bool folderDone = StopShellWorker(&FolderOpener, waitMs);
    return StopShellWorker(&Opener, waitMs) && folderDone;
}
