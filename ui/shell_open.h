// Handing folders, documents and web pages to the shell, from a worker thread
// (shell_worker.h): ShellExecute may wait seconds on a sleeping drive, a network
// share or a browser's DDE conversation, and the control window's thread must
// never wait. The shell's own UI (its "no program is associated" box, say) has
// no owner window: a box owned by a window of another thread ties the input of
// the two threads together.
#ifndef CLICKPOCKET_SHELL_OPEN_H
#define CLICKPOCKET_SHELL_OPEN_H

#include <windows.h>
#include <shellapi.h>

// Posted to MainWindow when a folder handed over with request number `request`
// has been opened, or could not be: wParam the request, lParam 1 opened, 0 not.
enum { FolderOpenedMessage = WM_APP + 1 };

// Queues the workspace folder for the shell's default action, without the
// shell's own error UI: the program says itself that the folder cannot be
// opened, when FolderOpenedMessage reports it. False when it cannot be queued
// (no worker thread, or a path too long for the queue).
bool OpenFolderInShell(const char* folder, unsigned request);

// Queues a document or a web page; the shell reports its own failures. False
// when it cannot be queued.
bool OpenInShell(const char* target);

// Lets the worker end (at exit), waiting for it at most waitMs.
void StopShellOpening(DWORD waitMs);

// The call that hands a target to the shell: ShellExecuteExA by default; tests
// put in one that takes its time.
extern BOOL (WINAPI *ShellExecuteCall)(SHELLEXECUTEINFOA* info);

#endif
