// The shell's own list of its folder windows (the ShellWindows object, which
// File Explorer keeps): every Explorer window and tab is entered there with the
// folder it shows, whatever its title says and in whatever language. The folder
// search asks it which window shows the workspace folder.
//
// Every call to the list goes into Explorer's process, and opening it goes
// through the system's COM service: some 100 ms under Wine, and 10 s before
// failing where no Explorer serves the list (one restarting or hung, another
// shell, the first session of a Wine prefix). All of it runs on a thread of its
// own (shell_worker.h), so that a slow list holds up nothing else: not the
// control window, not the shell's opening of the folder, not a title match.
#ifndef CLICKPOCKET_SHELL_FOLDER_LIST_H
#define CLICKPOCKET_SHELL_FOLDER_LIST_H

#include <windows.h>
#include <exdisp.h>

// Posted to MainWindow with each answer: wParam the question's request number
// shifted left by one, its low bit set while the list is open; lParam the
// window the list names for the folder (null: none, or no list).
enum { FolderListAnswerMessage = WM_APP + 2 };

inline WPARAM FolderListAnswer(unsigned request, bool listOpen)
{
    return (static_cast<WPARAM>(request) << 1) | (listOpen ? 1 : 0);
}
inline unsigned FolderListAnswerRequest(WPARAM wParam) { return static_cast<unsigned>(wParam >> 1); }
inline bool FolderListAnswerOpen(WPARAM wParam) { return (wParam & 1) != 0; }

// Opens the list on its thread, ahead of the first folder request; answers with
// request number 0 and no window once it is open, or could not be.
void OpenShellFolderListAhead();

// Asks which window the list names for `folder` (a path in the program's code
// page), for folder request `request`; the answer comes as FolderListAnswerMessage.
// A newer question replaces one not yet taken up. With no list open, the thread
// opens one first, unless that already failed for the same request. False when
// the question cannot be asked (no thread, or a path too long).
bool AskShellFolderList(const char* folder, unsigned request);

// Lets go of the list and ends its thread (at exit), waiting at most waitMs.
// True when the thread has ended.
bool CloseShellFolderList(DWORD waitMs);

// The call that opens the list: CoCreateInstance of ShellWindows by default;
// tests put in one that takes its time.
extern HRESULT (*OpenFolderListCall)(IShellWindows** list);

#endif
