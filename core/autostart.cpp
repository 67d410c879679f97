#include "autostart.h"

#include "globals.h"
#include "messages.h"

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

static bool WriteRunValue(HKEY root)
{
    char path[RunValueBufferSize];
    DWORD length = GetModuleFileNameA(AppInstance, path, sizeof path);
    // A cut-off path would start nothing at log-on: refuse it rather than store it.
    if (length == 0 || length >= sizeof path)
        return false;
    HKEY key;
    if (!OpenRunKey(root, &key))
        return false;
    bool written = AutostartRegistry.setValue(key, RunValueName, 0, REG_SZ,
                                              reinterpret_cast<const BYTE*>(path), length + 1)
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
        done = WriteRunValue(HKEY_LOCAL_MACHINE) || WriteRunValue(HKEY_CURRENT_USER);
    } else {
        bool machine = RemoveRunValue(HKEY_LOCAL_MACHINE);
        bool user = RemoveRunValue(HKEY_CURRENT_USER);
        done = machine && user;
    }
    return done ? true : FailRegistry(owner);
}
