#include "flag_files.h"

#include <stdio.h>

#include "globals.h"
#include "messages.h"
#include "text_util.h"

FileCallSet FileCalls = { fopen, remove };

bool FileExists(const char* path)
{
    FILE* file = FileCalls.open(path, "rb");
    if (file == 0)
        return false;
    fclose(file);
    return true;
}

bool CreateFlagFile(const char* path)
{
    FILE* file = FileCalls.open(path, "wb");
    if (file != 0)
        fclose(file);
    return FileExists(path);
}

bool RemoveFlagFile(const char* path)
{
    FileCalls.remove(path);
    return !FileExists(path);
}

// The box takes the focus from the control that asked for it; that control may
// answer its focus change by trying the same file again (the Shift option does).
// One user action gives one box: none while one is already up.
static bool FlagFileErrorShowing;

void ShowFlagFileError(HWND owner, const char* code)
{
    if (FlagFileErrorShowing)
        return;
    char text[1024];
    FormatText(text, sizeof text, FlagFileErrorPattern, code);
    FlagFileErrorShowing = true;
    MessageBoxA(owner, text, AppCaption, MB_ICONERROR | MB_OK);
    FlagFileErrorShowing = false;
}

bool MakeInstallPath(char* out, size_t outSize, const char* name)
{
    return JoinText(out, outSize, InstallDir, name);
}
