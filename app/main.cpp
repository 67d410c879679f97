// ClickPocket: opens "My ClickPocket" on a middle click in any program.
// Start-up runs its gates in order; any that fails ends the program with 0.
#include <windows.h>

#include "single_instance.h"
#include "workspace.h"
#include "../core/autostart.h"
#include "../core/globals.h"
#include "../core/system_calls.h"
#include "../hook/bridge.h"
#include "../ui/mainwnd.h"

// Takes the current folder out of the search for libraries loaded later, by us or
// by the system on our behalf. Windows before XP SP1 has no such call.
static void SecureLibrarySearch()
{
    typedef BOOL (WINAPI *SetDllDirectoryProc)(const char*);
    SetDllDirectoryProc setDllDirectory = reinterpret_cast<SetDllDirectoryProc>(
        FindSystemCall("kernel32.dll", "SetDllDirectoryA"));
    if (setDllDirectory != 0)
        setDllDirectory("");
}

static int RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, 0, 0, 0) > 0) {
        if (IsDialogMessageA(MainWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    SecureLibrarySearch();
    if (ActivateRunningCopy())
        return 0;
    AppInstance = instance;
    if (!PrepareWorkspace())
        return 0;
    if (!ShowWelcomeIfNeeded())
        return 0;

    if (!CreateMainWindow())
        return 0;           // nothing to show and nothing to hook without it

    if (!InstallMouseHook(MainWindow)) {
        DestroyWindow(MainWindow);
        return 0;
    }
    SetAutostart(MainWindow, true);
    return RunMessageLoop();
}
