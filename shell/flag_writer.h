// The Shift option's marker file (shift.dat), written from a worker: on a USB
// disk that is spinning up, or a stalled share, a file call can take seconds,
// and the control window's thread must not take them.
#ifndef CLICKPOCKET_FLAG_WRITER_H
#define CLICKPOCKET_FLAG_WRITER_H

#include <windows.h>

// Posted to MainWindow when the marker file could not follow: wParam 1 when it
// could not be created, 0 when it could not be removed.
enum { ShiftFlagFailedMessage = WM_APP + 4 };

// Has shift.dat created (on) or removed; the latest call wins over any not yet
// carried out. False when no worker could take it.
bool WriteShiftFlag(bool on);

// Carries out what is asked and ends the worker (at exit), waiting at most
// waitMs. True when it has ended.
bool StopFlagWriting(DWORD waitMs);

#endif
