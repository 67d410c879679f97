// The control window: its procedure, and the commands and requests it answers.
#ifndef CLICKPOCKET_MAINWND_H
#define CLICKPOCKET_MAINWND_H

#include <windows.h>

// Control ids of the control window's template.
enum {
    IdDownload = 100, IdLicense = 101, IdHelp = 102, IdAbout = 103,
    IdExit = 104, IdHide = 105, IdContest = 106, IdShiftOption = 500
};

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the class "clickpocket" and creates MainWindow, hidden and topmost.
bool CreateMainWindow();

// Moves the focus to the Hide button, then hides the window.
void HideMainWindow(HWND window);

// Ends the threads that do the shell's work, at exit (shell_worker.h). True when
// none is left.
bool EndShellThreads();

#endif
