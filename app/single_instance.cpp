#include "single_instance.h"

#include <windows.h>

#include "../core/system_calls.h"
#include "../hook/hook_contract.h"
#include "../ui/welcome.h"

#ifndef PROCESS_QUERY_LIMITED_INFORMATION
#define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
#endif

const WCHAR* RunningCopyImage = L"" PROGRAM_FILE;

// True for RunningCopyImage and the names a copy of it gets: it begins with the
// same name before ".exe" and ends in ".exe", in any letter case ("ClickPocket
// (2).exe", as a second download is saved).
static bool IsRunningCopyName(const WCHAR* name)
{
    static const WCHAR Extension[] = L".exe";
    const int extension = 4;
    int stem = lstrlenW(RunningCopyImage) - extension;
    int length = lstrlenW(name);
    if (stem <= 0 || length < stem + extension || lstrcmpiW(name + length - extension, Extension))
        return false;
    WCHAR start[MAX_PATH];
    lstrcpynW(start, name, stem + 1);
    WCHAR expected[MAX_PATH];
    lstrcpynW(expected, RunningCopyImage, stem + 1);
    return lstrcmpiW(start, expected) == 0;
}

// True when the window belongs to a process that runs a ClickPocket.exe, from
// whatever folder: any other program may title a window like ours. Asking needs
// no answer from that process, only what the system keeps about it.
static bool IsClickPocketWindow(HWND window, DWORD* process)
{
    if (GetWindowThreadProcessId(window, process) == 0)
        return false;
    typedef BOOL (WINAPI *QueryImageProc)(HANDLE, DWORD, WCHAR*, DWORD*);
    QueryImageProc queryImage = reinterpret_cast<QueryImageProc>(
        FindSystemCall("kernel32.dll", "QueryFullProcessImageNameW"));
    if (queryImage == 0)
        return true;        // Windows before Vista: no way to ask, and no lower integrity to fear
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, *process);
    if (handle == 0)
        return false;
    WCHAR image[MAX_PATH];
    DWORD length = MAX_PATH;
    bool named = queryImage(handle, 0, image, &length) != FALSE;
    CloseHandle(handle);
    if (!named)
        return false;       // a longer path than we read counts for nothing
    // A copy started through its 8.3 path is named by the alias: its long name counts.
    WCHAR full[MAX_PATH];
    DWORD fullLength = GetLongPathNameW(image, full, MAX_PATH);
    const WCHAR* path = fullLength != 0 && fullLength < MAX_PATH ? full : image;
    const WCHAR* name = path;
    for (const WCHAR* p = path; *p != 0; ++p) {
        if (*p == L'\\')
            name = p + 1;
    }
    return IsRunningCopyName(name);
}

// Everything here is read or posted, never sent: a running copy that is stopped
// or busy keeps this one waiting for nothing.
bool ActivateRunningCopy()
{
    DWORD process = 0;
    for (HWND welcome = FindWindowExA(0, 0, 0, WELCOME_CAPTION); welcome != 0;
         welcome = FindWindowExA(0, welcome, 0, WELCOME_CAPTION)) {
        if (IsClickPocketWindow(welcome, &process)) {
            ShowWindowAsync(welcome, SW_SHOW);
            SetForegroundWindow(welcome);
            return true;
        }
    }
    for (HWND relay = FindWindowExA(0, 0, 0, RELAY_TITLE_READY); relay != 0;
         relay = FindWindowExA(0, relay, 0, RELAY_TITLE_READY)) {
        // The relay is owned by the control window of the same copy.
        HWND running = GetWindow(relay, GW_OWNER);
        DWORD owner = 0;
        if (running == 0 || !IsClickPocketWindow(relay, &process)
            || GetWindowThreadProcessId(running, &owner) == 0 || owner != process)
            continue;
        UINT request = RegisterWindowMessageA(PRIVATE_MESSAGE_NAME);
        if (request == 0)
            return false;
        // The running copy shows its window as for Left Ctrl + middle click, with
        // the focus on Hide; it may take the foreground because we let it.
        AllowSetForegroundWindow(process);
        PostMessageA(running, request, REQUEST_SHOW_WINDOW, 0);
        return true;
    }
    return false;
}

// One name per log-on session ("Local\\"): copies started from any folder count
// as the same program, as the probes see them.
static const char InstanceMutexName[] = "Local\\ClickPocket.RunningCopy.cp_dn475dc";

static bool Acquired(DWORD waitResult)
{
    // An abandoned mutex: the copy that held it ended without a word; ours now.
    return waitResult == WAIT_OBJECT_0 || waitResult == WAIT_ABANDONED;
}

HANDLE (WINAPI *CreateInstanceMutex)(SECURITY_ATTRIBUTES*, BOOL, const char*) = CreateMutexA;

bool HandOverToRunningCopy()
{
    // Held until the process ends, by the system: the handle is never closed.
    HANDLE mutex = CreateInstanceMutex(0, FALSE, InstanceMutexName);
    bool refused = mutex == 0 && GetLastError() == ERROR_ACCESS_DENIED;
    if (mutex == 0 && !refused)
        return ActivateRunningCopy();   // no mutex to go by (another object has its name)
    if (mutex != 0 && Acquired(WaitForSingleObject(mutex, 0)))
        return false;                   // the one copy, whatever windows others show
    // Another copy is starting: its windows come some tenths of a second later.
    for (DWORD waited = 0; waited < StartWaitMs; waited += StartPollMs) {
        if (ActivateRunningCopy())
            return true;
        if (refused)
            Sleep(StartPollMs);         // its end cannot be waited for: only looked for
        else if (Acquired(WaitForSingleObject(mutex, StartPollMs)))
            return false;               // it ended before showing anything
    }
    return true;                        // still nothing to hand over to: end quietly
}
