#include "workspace.h"

#include <windows.h>
#include <direct.h>
#include <stdio.h>

#include "../core/flag_files.h"
#include "../core/globals.h"
#include "../core/info_text.h"
#include "../core/messages.h"
#include "../core/text_util.h"
#include "../ui/welcome.h"

static bool FailWorkspace()
{
    MessageBoxA(0, FileAccessErrorText, AppCaption, MB_ICONERROR | MB_OK);
    return false;
}

bool PrepareWorkspace()
{
    char modulePath[PathBufferSize];
    DWORD length = GetModuleFileNameA(AppInstance, modulePath, sizeof modulePath);
    // A path that filled the buffer was cut short: refuse it before anything is created.
    if (length == 0 || length >= sizeof modulePath)
        return FailWorkspace();
    if (!DeriveInstallDir(modulePath, InstallDir, sizeof InstallDir)
        || !InstallDirFits(TextLength(InstallDir)))
        return FailWorkspace();
    JoinText(PocketDir, sizeof PocketDir, InstallDir, PocketFolderName);

    _mkdir(PocketDir);   // normally there already; the probe below is what counts

    char probe[PathBufferSize];
    JoinText(probe, sizeof probe, PocketDir, ProbeFileName);
    if (!CreateFlagFile(probe))
        return FailWorkspace();
    if (!RemoveFlagFile(probe))
        return FailWorkspace();

    char welcomeFlag[PathBufferSize];
    MakeInstallPath(welcomeFlag, sizeof welcomeFlag, WelcomeFlagName);
    if (FileExists(welcomeFlag))
        return true;

    char infoPath[PathBufferSize];
    JoinText(infoPath, sizeof infoPath, PocketDir, InfoFileName);
    FILE* info = fopen(infoPath, "wb");
    if (info == 0)
        return true;       // a read-only note is no reason to stop
    fwrite(InfoText, 1, InfoTextLength, info);
    fclose(info);
    return true;
}

bool ShowWelcomeIfNeeded()
{
    char welcomeFlag[PathBufferSize];
    MakeInstallPath(welcomeFlag, sizeof welcomeFlag, WelcomeFlagName);
    if (FileExists(welcomeFlag))
        return true;
    INT_PTR result = DialogBoxParamA(AppInstance, "welcome", 0, WelcomeDlgProc, 0);
    return result != 0;    // 1 accepted; -1 no dialog at all: go on without it
}
