// One copy at a time: a second start hands over to the running copy and ends.
#ifndef CLICKPOCKET_SINGLE_INSTANCE_H
#define CLICKPOCKET_SINGLE_INSTANCE_H

#include <windows.h>

// True when a running copy was found (its welcome dialog, or its ready relay,
// each of a process that runs a ClickPocket.exe) and asked to come forward; this
// process then ends.
bool ActivateRunningCopy();

// True when this process is to end because another copy runs in this session.
// The mutex decides: the first copy takes a named mutex and keeps it for its
// whole life, and a copy that takes it starts, whatever windows other programs
// show. A copy that finds it taken waits, polling the two probes every
// StartPollMs, until the other copy's welcome dialog or ready relay appears and
// is brought forward; or until that copy ends (the mutex comes free: this one
// goes on alone); or, after StartWaitMs, ends quietly.
// A copy started as administrator makes the mutex with an administrators-only
// default security, and a copy started later without elevation is refused it
// (ERROR_ACCESS_DENIED): held, all the same, and the hand-over follows; only the
// other copy's end cannot be waited for then.
bool HandOverToRunningCopy();

// The call that makes or opens the mutex: CreateMutexA by default; tests put in
// their own to play a copy that the system refuses it.
extern HANDLE (WINAPI *CreateInstanceMutex)(SECURITY_ATTRIBUTES* security, BOOL owned,
                                            const char* name);

// The image a running copy's process must run, in whatever folder: another
// program may title its windows like ours. Tests name their own.
extern const WCHAR* RunningCopyImage;

enum { StartPollMs = 50, StartWaitMs = 10000 };

#endif
