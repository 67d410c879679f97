// Start-up: the install paths, the workspace folder "My ClickPocket" and its
// Info.txt, and the welcome gate.
#ifndef CLICKPOCKET_WORKSPACE_H
#define CLICKPOCKET_WORKSPACE_H

// Start-up gates: false means the program is to end (after any message).
bool PrepareWorkspace();
bool ShowWelcomeIfNeeded();

#endif
