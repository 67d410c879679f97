// Program-wide handles and paths. They are set once, during start-up, by the
// part of the program named beside each, and live until the process ends.
#ifndef CLICKPOCKET_GLOBALS_H
#define CLICKPOCKET_GLOBALS_H

#include <windows.h>

#include "path_rules.h"

enum { PathBufferSize = PathBufferBytes };

extern HINSTANCE AppInstance;           // start-up: module of every resource load
extern HWND      MainWindow;            // start-up: the control window
extern char      InstallDir[PathBufferSize];  // workspace: executable's folder, ends in '\'
extern char      PocketDir[PathBufferSize];   // workspace: InstallDir + "My ClickPocket"
extern HWND      RelayWindow;           // bridge: hidden relay read by the hook library
extern UINT      PrivateMessage;        // bridge: registered request message, 0 until set
extern HMODULE   HookModule;            // bridge: ClickPocket.dll as loaded
extern HHOOK     HookHandle;            // bridge: the installed mouse hook
extern HWND      ContestWindow;         // contest dialog while it is open, else null

#endif
