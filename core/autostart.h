// Starting with Windows: the "CLICKPOCKET" value under a Run key, the executable's
// path in double quotes. The machine-wide key comes first; an account that may not
// write it (a standard user, or an administrator without elevation) gets the value
// under its own key instead, unless the machine's value already starts this very
// executable. Only one of the two keys holds the value after a start.
#ifndef CLICKPOCKET_AUTOSTART_H
#define CLICKPOCKET_AUTOSTART_H

#include <windows.h>

static const char RunKeyPath[]   = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const char RunValueName[] = "CLICKPOCKET";
// Without a long-path manifest a module path has at most MAX_PATH - 1 UTF-16 units,
// each at most 3 bytes in UTF-8 (a pair of units, 4): the quoted path always fits.
enum { RunValueBufferSize = 2048 };
static_assert(RunValueBufferSize >= 3 * (MAX_PATH - 1) + 2 + 1, "the quoted module path fits");

// enable: write the value with this executable's quoted path, under HKLM or else
// HKCU; otherwise remove it from both. False after the "Failed to update the registry !"
// box, owned by owner.
bool SetAutostart(HWND owner, bool enable);

// The registry calls SetAutostart makes. The real ones by default; tests put in
// their own to play an account that the registry refuses.
struct AutostartRegistryCalls {
    LONG (WINAPI *createKey)(HKEY root, const char* subKey, DWORD reserved, char* keyClass,
                             DWORD options, REGSAM access, SECURITY_ATTRIBUTES* security,
                             HKEY* key, DWORD* disposition);
    LONG (WINAPI *openKey)(HKEY root, const char* subKey, DWORD options, REGSAM access,
                           HKEY* key);
    LONG (WINAPI *setValue)(HKEY key, const char* name, DWORD reserved, DWORD type,
                            const BYTE* data, DWORD size);
    LONG (WINAPI *queryValue)(HKEY key, const char* name, DWORD* reserved, DWORD* type,
                              BYTE* data, DWORD* size);
    LONG (WINAPI *deleteValue)(HKEY key, const char* name);
    LONG (WINAPI *closeKey)(HKEY key);
};
extern AutostartRegistryCalls AutostartRegistry;

#endif
