// Starting with Windows: the "CLICKPOCKET" value under the machine-wide Run key.
#ifndef CLICKPOCKET_AUTOSTART_H
#define CLICKPOCKET_AUTOSTART_H

#include <windows.h>

static const char RunKeyPath[]   = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const char RunValueName[] = "CLICKPOCKET";
enum { RunValueBufferSize = 2048 };

// enable: write the value with this executable's path; otherwise remove it.
// False after the "Failed to update the registry !" box, owned by owner.
bool SetAutostart(HWND owner, bool enable);

#endif
