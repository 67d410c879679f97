#include "system_calls.h"

#include <windows.h>

void* FindSystemCall(const char* module, const char* name)
{
    HMODULE library = GetModuleHandleA(module);
    if (library == 0)
        return 0;
    return reinterpret_cast<void*>(GetProcAddress(library, name));
}
