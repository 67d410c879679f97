#include "autostart.h"

#include "globals.h"
#include "messages.h"

static bool FailRegistry(HWND owner)
{
    MessageBoxA(owner, RegistryErrorText, AppCaption, MB_ICONERROR | MB_OK);
    return false;
}

static bool WriteRunValue(HKEY key)
{
    char path[RunValueBufferSize];
    DWORD length = GetModuleFileNameA(AppInstance, path, sizeof path);
    // A cut-off path would start nothing at log-on: refuse it rather than store it.
    if (length == 0 || length >= sizeof path)
        return false;
    return RegSetValueExA(key, RunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                          length + 1) == ERROR_SUCCESS;
}

static bool RemoveRunValue(HKEY key)
{
    char data[RunValueBufferSize];
    DWORD size = sizeof data;
    // Nothing readable to remove (absent, or longer than any path we write): done.
    if (RegQueryValueExA(key, RunValueName, 0, 0, reinterpret_cast<BYTE*>(data), &size)
        != ERROR_SUCCESS)
        return true;
    return RegDeleteValueA(key, RunValueName) == ERROR_SUCCESS;
}

bool SetAutostart(HWND owner, bool enable)
{
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, RunKeyPath, 0, const_cast<char*>(""),
                        REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, 0, &key, &disposition)
        != ERROR_SUCCESS)
        return FailRegistry(owner);
    bool done = enable ? WriteRunValue(key) : RemoveRunValue(key);
    RegCloseKey(key);
    return done ? true : FailRegistry(owner);
}
