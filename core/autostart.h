// Starting with Windows: the "CLICKPOCKET" value under the current user's Run
// key, the executable's path in double quotes. It starts this copy for this
// user only: a machine-wide value would start, for every account, a program
// from a folder its user can write (the workspace and the marker files are
// kept there), and with it the hook library loaded into every program. A
// machine-wide value that an earlier version left for this very executable is
// taken away where this account may; one naming another path is not ours.
#ifndef CLICKPOCKET_AUTOSTART_H
#define CLICKPOCKET_AUTOSTART_H

#include <windows.h>

static const char RunKeyPath[]   = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const char RunValueName[] = "CLICKPOCKET";
// Without a long-path manifest a module path has at most MAX_PATH - 1 UTF-16 units,
// each at most 3 bytes in UTF-8 (a pair of units, 4): the quoted path always fits.
enum { RunValueBufferSize = 2048 };
static_assert(RunValueBufferSize >= 3 * (MAX_PATH - 1) + 2 + 1, "the quoted module path fits");

// Works out the path the Run value names: the long form of the executable's path
// where the code page carries it, else the path it was started with. Called at
// start-up, before the hook is in; SetAutostart calls it itself otherwise.
void PrepareAutostart();

// enable: write the user's value with this executable's quoted path; otherwise
// remove the user's value. Either way a machine-wide value naming this
// executable goes, in both registry views, where the account may remove it;
// that costs no box when it may not. False after the "Failed to update the
// registry !" box, owned by owner, when the user's own value failed.
bool SetAutostart(HWND owner, bool enable);

// The registry calls SetAutostart makes. The real ones by default; tests put in
// their own to play an account that the registry refuses, and the machine's
// two registry views.
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
