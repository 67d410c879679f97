// One copy at a time: a second start hands over to the running copy and ends.
#ifndef CLICKPOCKET_SINGLE_INSTANCE_H
#define CLICKPOCKET_SINGLE_INSTANCE_H

// True when a running copy was found (its welcome dialog, or its relay window)
// and brought forward; this process then ends.
bool ActivateRunningCopy();

#endif
