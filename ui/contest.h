// The contest promotion dialog. It has no owner, so the control window stays
// usable while it is open; ContestWindow keeps a second one from opening.
#ifndef CLICKPOCKET_CONTEST_H
#define CLICKPOCKET_CONTEST_H

#include <windows.h>

enum { IdContestPicture = 1000 };

extern HBRUSH ContestBrush;   // the dialog's black background while it is open

INT_PTR CALLBACK ContestDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
