// The hook bridge: the relay window, the hook library and the Shift option.
#ifndef CLICKPOCKET_BRIDGE_H
#define CLICKPOCKET_BRIDGE_H

#include <windows.h>

// Registers the private message, creates the relay, loads the library, installs
// the mouse hook and publishes the relay fields, then gives the relay its ready
// title. False after its message box; what it obtained stays for the teardown.
bool InstallMouseHook(HWND mainWindow);

// Publishes the Shift option in relay field 102 (the hook library reads it there),
// and tells what was published last.
void PublishShiftOption(bool on);
bool ShiftOptionPublished();

// Undoes the bridge when the control window is destroyed, and ends the message
// loop. The hook library stays loaded: see ReleaseHookLibrary.
void TearDownHookBridge();

// Frees the hook library. Only once the hook is gone and no thread of ours can
// still be inside its procedure: the shell's UI on a worker thread gets mouse
// input too, so at exit the workers end first.
void ReleaseHookLibrary();

// The calls that let go of the hook: the real ones by default. Wine never unloads
// a hook library, so tests put in their own to see that every top-level window is
// nudged (WM_NULL, posted) once the hook is gone.
struct HookReleaseCalls {
    BOOL (WINAPI *unhook)(HHOOK hook);
    BOOL (WINAPI *post)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
extern HookReleaseCalls HookRelease;

#endif
