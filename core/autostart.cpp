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

static bool OpenRunKey(HKEY root, HKEY* key)
{
    DWORD disposition;
    return AutostartRegistry.createKey(root, RunKeyPath, 0, const_cast<char*>(""),
                                       REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, 0, key,
                                       &disposition) == ERROR_SUCCESS;
}

// This executable's full path. A path that filled the buffer was cut short, and a
// cut-off path would start nothing at log-on: it is refused rather than stored.
static bool ThisProgramPath(char* path, DWORD size)
{
    DWORD length = GetModuleFileNameA(AppInstance, path, size);
    return length != 0 && length < size;
}

// The command stored in the Run value: the path in double quotes, so that Windows
// cannot read "D:\My Tools\ClickPocket.exe" as "D:\My.exe" at log-on.
static bool MakeRunCommand(char* command, size_t size)
{
    char path[RunValueBufferSize];
    return ThisProgramPath(path, sizeof path) && QuoteText(command, size, path);
}

static bool WriteRunValue(HKEY root, const char* command)
{
    HKEY key;
    if (!OpenRunKey(root, &key))
        return false;
    bool written = AutostartRegistry.setValue(key, RunValueName, 0, REG_SZ,
                                              reinterpret_cast<const BYTE*>(command),
                                              static_cast<DWORD>(TextLength(command) + 1))
                   == ERROR_SUCCESS;
    AutostartRegistry.closeKey(key);
    return written;
}

// True when root's Run value, read as far as this account may, already starts
// this executable (quoted or not, as an earlier version wrote it).
static bool StartsThisProgram(HKEY root)
{
    char path[RunValueBufferSize];
    if (!ThisProgramPath(path, sizeof path))
        return false;
    HKEY key;
    if (AutostartRegistry.openKey(root, RunKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char data[RunValueBufferSize];
    DWORD size = sizeof data - 1;
    DWORD type = REG_NONE;
    LONG result = AutostartRegistry.queryValue(key, RunValueName, 0, &type,
                                               reinterpret_cast<BYTE*>(data), &size);
    AutostartRegistry.closeKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return false;
    data[size] = '\0';    // whether or not it was stored with its terminator
    return CommandNamesPath(data, path);
}

static bool HasRunValue(HKEY key)
{
    char data[RunValueBufferSize];
    DWORD size = sizeof data;
    // Absent, or longer than any path we write: not ours to remove.
    return AutostartRegistry.queryValue(key, RunValueName, 0, 0,
                                        reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
}

// True when the value is gone from root's Run key, or was never there.
static bool RemoveRunValue(HKEY root)
{
    HKEY key;
    if (!OpenRunKey(root, &key)) {
        // Not writable for us: fine as long as there is nothing of ours in it.
        if (AutostartRegistry.openKey(root, RunKeyPath, 0, KEY_QUERY_VALUE, &key)
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

bool SetAutostart(HWND owner, bool enable)
{
    bool done;
    if (enable) {
        char command[RunValueBufferSize];
        if (!MakeRunCommand(command, sizeof command)) {
            done = false;
        } else if (WriteRunValue(HKEY_LOCAL_MACHINE, command)) {
            // One value, one copy at log-on: a standard account's earlier start
            // may have left its own.
            RemoveRunValue(HKEY_CURRENT_USER);
            done = true;
        } else if (StartsThisProgram(HKEY_LOCAL_MACHINE)) {
            // Registered by an administrator already: nothing of the account's own
            // (an earlier version may have left one).
            RemoveRunValue(HKEY_CURRENT_USER);
            done = true;
        } else {
            done = WriteRunValue(HKEY_CURRENT_USER, command);
        }
    } else {
        bool machine = RemoveRunValue(HKEY_LOCAL_MACHINE);
        bool user = RemoveRunValue(HKEY_CURRENT_USER);
        done = machine && user;
    }
    return done ? true : FailRegistry(owner);
}
