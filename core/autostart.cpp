#include "autostart.h"

#include "globals.h"
#include "messages.h"
#include "text_util.h"

AutostartRegistryCalls AutostartRegistry = {
    RegCreateKeyExA, RegOpenKeyExA, RegSetValueExA, RegQueryValueExA, RegDeleteValueA,
    RegCloseKey
};

static bool FailRegistry(HWND owner)
{
    MessageBoxA(owner, RegistryErrorText, AppCaption, MB_ICONERROR | MB_OK);
    return false;
}

static bool OpenUserRunKey(HKEY* key)
{
    DWORD disposition;
    return AutostartRegistry.createKey(HKEY_CURRENT_USER, RunKeyPath, 0, const_cast<char*>(""),
                                       REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, 0, key,
                                       &disposition) == ERROR_SUCCESS;
}

// This executable's full path. A path that filled the buffer was cut short, and a
// cut-off path would start nothing at log-on: it is refused rather than stored.
static bool StartedPath(char* path, DWORD size)
{
    DWORD length = GetModuleFileNameA(AppInstance, path, size);
    return length != 0 && length < size;
}

static bool SameWideText(const WCHAR* first, const WCHAR* second)
{
    for (; *first == *second; ++first, ++second) {
        if (*first == 0)
            return true;
    }
    return false;
}

// The long form of the path the program was started with: a copy started through
// its 8.3 name ("C:\Tools\CLICKP~1.EXE") would otherwise come back under that
// name at every log-on. The program is ANSI end to end: a long path that the code
// page cannot carry, character for character, is not used.
static bool LongProgramPath(char* path, int size)
{
    WCHAR started[MAX_PATH];
    DWORD length = GetModuleFileNameW(AppInstance, started, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    WCHAR full[MAX_PATH];
    length = GetLongPathNameW(started, full, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    WCHAR back[MAX_PATH];
    return WideCharToMultiByte(CP_ACP, 0, full, -1, path, size, 0, 0) != 0
        && MultiByteToWideChar(CP_ACP, 0, path, -1, back, MAX_PATH) != 0
        && SameWideText(back, full);
}

// Worked out once: the long form asks the file system, which the control window's
// thread does not once the hook is in.
static char ProgramPath[RunValueBufferSize];

void PrepareAutostart()
{
    if (!LongProgramPath(ProgramPath, sizeof ProgramPath)
        && !StartedPath(ProgramPath, sizeof ProgramPath))
        ProgramPath[0] = '\0';
}

static bool ThisProgramPath(char* path, DWORD size)
{
    if (ProgramPath[0] == '\0')
        PrepareAutostart();
    return ProgramPath[0] != '\0' && CopyText(path, size, ProgramPath);
}

// The command stored in the Run value: the path in double quotes, so that Windows
// cannot read "D:\My Tools\ClickPocket.exe" as "D:\My.exe" at log-on.
static bool MakeRunCommand(char* command, size_t size)
{
    char path[RunValueBufferSize];
    return ThisProgramPath(path, sizeof path) && QuoteText(command, size, path);
}

static bool WriteUserValue(const char* command)
{
    HKEY key;
    if (!OpenUserRunKey(&key))
        return false;
    bool written = AutostartRegistry.setValue(key, RunValueName, 0, REG_SZ,
                                              reinterpret_cast<const BYTE*>(command),
                                              static_cast<DWORD>(TextLength(command) + 1))
                   == ERROR_SUCCESS;
    AutostartRegistry.closeKey(key);
    return written;
}

static bool HasRunValue(HKEY key)
{
    char data[RunValueBufferSize];
    DWORD size = sizeof data;
    // Absent, or longer than any path we write: not ours to remove.
    return AutostartRegistry.queryValue(key, RunValueName, 0, 0,
                                        reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
}

// True when the user's value is gone, or was never there.
static bool RemoveUserValue()
{
    HKEY key;
    if (!OpenUserRunKey(&key)) {
        // Not writable for us: fine as long as there is nothing of ours in it.
        if (AutostartRegistry.openKey(HKEY_CURRENT_USER, RunKeyPath, 0, KEY_QUERY_VALUE, &key)
            != ERROR_SUCCESS)
            return true;
        bool present = HasRunValue(key);
        AutostartRegistry.closeKey(key);
        return !present;
    }
    bool removed = !HasRunValue(key)
                   || AutostartRegistry.deleteValue(key, RunValueName) == ERROR_SUCCESS;
    AutostartRegistry.closeKey(key);
    return removed;
}

// True when the key's value starts the program at path (quoted or not, as an
// earlier version wrote it).
static bool ValueNamesPath(HKEY key, const char* path)
{
    char data[RunValueBufferSize];
    DWORD size = sizeof data - 1;
    DWORD type = REG_NONE;
    if (AutostartRegistry.queryValue(key, RunValueName, 0, &type, reinterpret_cast<BYTE*>(data),
                                     &size) != ERROR_SUCCESS
        || type != REG_SZ)
        return false;
    data[size] = '\0';    // whether or not it was stored with its terminator
    return CommandNamesPath(data, path);
}

// The machine-wide value an earlier version wrote, in one registry view of
// HKLM\Software (a 32-bit program's is WOW6432Node on 64-bit Windows), goes
// when it names this executable and the account may remove it. Not opened for
// writing (a standard account), or naming another copy: left as it is.
static void RemoveMachineValue(REGSAM view, const char* path)
{
    HKEY key;
    if (AutostartRegistry.openKey(HKEY_LOCAL_MACHINE, RunKeyPath, 0,
                                  KEY_QUERY_VALUE | KEY_SET_VALUE | view, &key) != ERROR_SUCCESS)
        return;
    if (ValueNamesPath(key, path))
        AutostartRegistry.deleteValue(key, RunValueName);
    AutostartRegistry.closeKey(key);
}

static void RemoveMachineValues()
{
    char path[RunValueBufferSize];
    if (!ThisProgramPath(path, sizeof path))
        return;
    RemoveMachineValue(KEY_WOW64_64KEY, path);
    RemoveMachineValue(KEY_WOW64_32KEY, path);   // the same key on 32-bit Windows
}

bool SetAutostart(HWND owner, bool enable)
{
    bool done;
    if (enable) {
        char command[RunValueBufferSize];
        done = MakeRunCommand(command, sizeof command) && WriteUserValue(command);
    } else {
        done = RemoveUserValue();
    }
    RemoveMachineValues();
    return done ? true : FailRegistry(owner);
}
