// The first-run welcome dialog with its agreement prompt.
#ifndef CLICKPOCKET_WELCOME_H
#define CLICKPOCKET_WELCOME_H

#include <windows.h>

// Shared with the single-instance probe, which looks for a window with this caption.
#define WELCOME_CAPTION "Welcome to ClickPocket !"

enum { IdWelcomeDontShow = 100, IdWelcomeAccept = 101, IdWelcomeManual = 9,
       IdWelcomeLicense = 300 };

// Ends with 1 when the user accepted the agreement, 0 when the program is to end.
INT_PTR CALLBACK WelcomeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
