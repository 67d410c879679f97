// The shell's own list of its folder windows (the ShellWindows object, which
// File Explorer keeps): every Explorer window and tab is registered there with
// the folder it shows, whatever its title says and in whatever language. The
// folder search asks it which window shows the workspace folder.
#ifndef CLICKPOCKET_SHELL_FOLDER_LIST_H
#define CLICKPOCKET_SHELL_FOLDER_LIST_H

#include <windows.h>

// The window that the shell lists as showing exactly `folder` (a path in the
// program's code page), or null: none, no shell list, or a path that cannot be
// turned into the shell's ID list. Each question is one call to Explorer's
// process, during which the thread goes on answering the messages sent to it.
// The list is opened by the first question and kept: opening it goes through
// the system's COM service, a wait in which the thread answers nothing (some
// 100 ms under Wine), so a program that searches pays it once. A list whose
// Explorer has gone (it restarts) is opened anew by the next question.
HWND FindListedFolderWindow(const char* folder);

// Lets go of the list, at the end of the program. A question being answered
// further up this thread's stack lets go of it once its answer is in.
void CloseShellFolderList();

#endif
