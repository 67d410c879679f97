#include "system_calls.h"

#include <windows.h>

void* FindSystemCall(const char* module, const char* name)
{
    HMODULE library = GetModuleHandleA(module);
    if (library == 0)
        return 0;
    return reinterpret_cast<void*>(GetProcAddress(library, name));
}

void* LoadSystemCall(const char* module, const char* name)
{
    void* call = FindSystemCall(module, name);
    if (call != 0)
        return call;
    // The search is locked to System32 at start-up (where Windows can), and the
    // libraries asked for here are the system's known ones.
    HMODULE library = LoadLibraryA(module);
    return library != 0 ? reinterpret_cast<void*>(GetProcAddress(library, name)) : 0;
}
