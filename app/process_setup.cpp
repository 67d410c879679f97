#include "process_setup.h"

#include <windows.h>

#include "../core/system_calls.h"

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

void LockLibrarySearch()
{
    typedef BOOL (WINAPI *SetDefaultDllDirectoriesProc)(DWORD);
    SetDefaultDllDirectoriesProc setDefault = reinterpret_cast<SetDefaultDllDirectoriesProc>(
        FindSystemCall("kernel32.dll", "SetDefaultDllDirectories"));
    if (setDefault != 0 && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    typedef BOOL (WINAPI *SetDllDirectoryProc)(const char*);
    SetDllDirectoryProc setDllDirectory = reinterpret_cast<SetDllDirectoryProc>(
        FindSystemCall("kernel32.dll", "SetDllDirectoryA"));
    if (setDllDirectory != 0)       // Windows before XP SP1 has neither
        setDllDirectory("");
}

bool CanCheckRelays(void* (*find)(const char* module, const char* name))
{
    return find("kernel32.dll", "QueryFullProcessImageNameW") != 0
        && find("kernel32.dll", "K32GetMappedFileNameW") != 0
        && find("kernel32.dll", "CompareStringOrdinal") != 0;
}
