// Handing folders, documents and web pages to the shell, from worker threads
// (shell_worker.h): ShellExecute may wait seconds on a sleeping drive, a network
// share or a browser's DDE conversation, and the control window's thread must
// never wait. The shell's own UI (its "no program is associated" box, say) has
// no owner window: a box owned by a window of another thread ties the input of
// the two threads together.
//
// The workspace folder has a thread of its own. A document or a page may keep
// its thread for as long as the shell's UI for it is up (an "Open with" prompt,
// a DDE error, a browser that does not answer): a middle click never waits
// behind it.
#ifndef CLICKPOCKET_SHELL_OPEN_H
#define CLICKPOCKET_SHELL_OPEN_H

#include <windows.h>
#include <shellapi.h>

// Posted to MainWindow when a folder handed over with request number `request`
// has been opened, or could not be: wParam the request, lParam 1 opened, 0 not.
enum { FolderOpenedMessage = WM_APP + 1 };

// Posted to the window that asked for a document that is not there: wParam the
// number the caller gave it.
enum { DocumentMissingMessage = WM_APP + 3 };

// Hands the workspace folder to the shell for its default action, without the
// shell's own error UI: the program says itself that the folder cannot be
// opened, when FolderOpenedMessage reports it. One folder at a time: a request
// comes only once the one before has been answered or given up. False when no
// thread could take it, or the path is too long.
bool OpenFolderInShell(const char* folder, unsigned request);

// Gives up the folder request under way (the shell has not answered for
// seconds): the next one goes to a fresh thread, whatever the old one is stuck in.
void GiveUpFolderOpening();

// Queues a web page; the shell reports its own failures. False when it cannot be
// queued.
bool OpenInShell(const char* target);

// Queues a document: the worker looks for the file first, and posts
// DocumentMissingMessage with `document` to `notify` when it is not there;
// otherwise the shell opens it and reports its own failures. False when it
// cannot be queued.
bool OpenDocumentInShell(const char* path, HWND notify, WPARAM document);

// Lets both workers end (at exit), waiting for each at most waitMs. True when
// neither is left.
bool StopShellOpening(DWORD waitMs);

// The call that hands a target to the shell: ShellExecuteExA by default; tests
// put in one that takes its time.
extern BOOL (WINAPI *ShellExecuteCall)(SHELLEXECUTEINFOA* info);

#endif
