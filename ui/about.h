// The About dialog: a black box with the product picture, the maker's addresses
// and logo.
#ifndef CLICKPOCKET_ABOUT_H
#define CLICKPOCKET_ABOUT_H

#include <windows.h>

extern HBRUSH AboutBrush;     // the dialog's black background while it is open

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
