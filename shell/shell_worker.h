// Threads of the program's own for the shell's work.
//
// The control window's thread installed the mouse hook. On 64-bit Windows the
// system runs that hook on this very thread for every program of the other
// bitness and every Store app, and their mouse waits until it has run: the thread
// must never wait on another process, nor on the disk. What can (ShellExecute,
// which may stat a sleeping drive or hold a DDE conversation with a browser; COM
// calls into Explorer; a marker file on a stalled share) runs on a worker: a
// thread in a single-threaded apartment, as the shell wants, with a message loop
// of its own, woken by an event, reporting back to the control window by posted
// messages only.
#ifndef CLICKPOCKET_SHELL_WORKER_H
#define CLICKPOCKET_SHELL_WORKER_H

#include <windows.h>

struct ShellWorker {
    void (*work)();             // on the worker, each time it is woken
    void (*finish)();           // on the worker, before it leaves its apartment
    HANDLE thread;
    DWORD threadId;             // the thread that serves the worker now; 0 for none
    HANDLE wake;                // auto-reset: set by WakeShellWorker
    volatile LONG stopping;
    CRITICAL_SECTION lock;      // guards the worker's mailbox and its thread's id
    bool lockReady;
};

// Initialises the lock of a worker's mailbox (once; the control window's thread
// starts and stops every worker, so no two calls race).
void PrepareShellWorker(ShellWorker* worker);

// Wakes the worker, starting its thread first if it has none, or if the one it
// had has ended (shell code, or another program, may post WM_QUIT to it). False
// when no thread could be started.
bool WakeShellWorker(ShellWorker* worker);

// Lets go of the worker's thread, busy in a call that does not come back: the
// next wake starts a fresh one. The old thread ends as soon as it comes back,
// taking nothing more from the mailbox.
void ReplaceShellWorker(ShellWorker* worker);

// True on the thread that serves the worker now; false on one it let go of.
// Call with the worker's lock held.
bool ServesShellWorker(const ShellWorker* worker);

// Asks the worker to end and waits for it at most waitMs. A worker still busy
// then (in a call that does not return) is left to end with the process. True
// when it has no thread left.
bool StopShellWorker(ShellWorker* worker, DWORD waitMs);

// The shell reaches its verbs and extensions through COM, which wants the calling
// thread in a single-threaded apartment, without OLE1 DDE. True when this call
// entered it (and LeaveShellApartment is then due).
bool EnterShellApartment();
void LeaveShellApartment();

#endif
