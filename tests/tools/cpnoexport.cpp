// A library named like the hook library but without its procedure, to see the
// program refuse it.
#include <windows.h>

extern "C" __declspec(dllexport) int CLICKPOCKET_OTHER()
{
    return 0;
}
