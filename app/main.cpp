// ClickPocket: opens "My ClickPocket" on a middle click in any program.
// Start-up runs its gates in order; any that fails ends the program with 0.
#include <windows.h>

#include "process_setup.h"
#include "single_instance.h"
#include "workspace.h"
#include "../core/autostart.h"
#include "../core/globals.h"
#include "../core/messages.h"
#include "../core/system_calls.h"
#include "../hook/bridge.h"
#include "../shell/shell_folder_list.h"
#include "../ui/mainwnd.h"

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

// Start-up once this process is the only copy, to the end of the message loop.
static int RunProgram()
{
    if (!PrepareWorkspace())
        return 0;
    if (!ShowWelcomeIfNeeded())
        return 0;

    if (!CreateMainWindow())
        return 0;           // nothing to show and nothing to hook without it
    // Once the hook is in, this thread answers the mouse of other programs, and
    // touches the disk no more.
    PrepareAutostart();

    if (!InstallMouseHook(MainWindow)) {
        DestroyWindow(MainWindow);
        return 0;
    }
    SetAutostart(MainWindow, true);
    // Start-up is over (the relay has its ready title): the list that finds the
    // folder's window opens now, on its own thread, before the first click.
    OpenShellFolderListAhead();
    return RunMessageLoop();
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    LockLibrarySearch();    // first: before anything can load a library
    if (!CanCheckRelays(FindSystemCall)) {
        MessageBoxA(0, OldWindowsText, AppCaption, MB_ICONERROR);
        return 0;
    }
    if (HandOverToRunningCopy())
        return 0;
    AppInstance = instance;
    int exitCode = RunProgram();
    // The hook is gone, but its procedure may still be running on a worker (the
    // shell's UI there gets mouse input too): the library goes once they have
    // ended. One still in the shell keeps it until the process ends.
    if (EndShellThreads())
        ReleaseHookLibrary();
    return exitCode;
}
