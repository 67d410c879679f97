// One copy at a time: a second start hands over to the running copy and ends.
#ifndef CLICKPOCKET_SINGLE_INSTANCE_H
#define CLICKPOCKET_SINGLE_INSTANCE_H

// True when a running copy was found (its welcome dialog, or its relay window)
// and brought forward; this process then ends.
bool ActivateRunningCopy();

// True when this process is to end because another copy runs in this session.
// The first copy takes a named mutex and keeps it for its whole life. A copy
// that finds it taken waits, polling the two probes every StartPollMs, until the
// other copy's welcome dialog or ready relay appears and is brought forward; or
// until that copy ends (the mutex comes free: this one goes on alone); or, after
// StartWaitMs, ends quietly. Windows of a copy without the mutex (an earlier
// version) are still found by the probes.
bool HandOverToRunningCopy();

enum { StartPollMs = 50, StartWaitMs = 10000 };

#endif
