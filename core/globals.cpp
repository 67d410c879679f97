#include "globals.h"

HINSTANCE AppInstance;
HWND      MainWindow;
char      InstallDir[PathBufferSize];
char      PocketDir[PathBufferSize];
HWND      RelayWindow;
UINT      PrivateMessage;
HMODULE   HookModule;
HHOOK     HookHandle;
HWND      ContestWindow;
