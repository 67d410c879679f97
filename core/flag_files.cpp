#include "flag_files.h"

#include <stdio.h>

#include "globals.h"
#include "messages.h"
#include "text_util.h"

bool FileExists(const char* path)
{
    FILE* file = fopen(path, "rb");
    if (file == 0)
        return false;
    fclose(file);
    return true;
}

bool CreateFlagFile(const char* path)
{
    FILE* file = fopen(path, "wb");
    if (file != 0)
        fclose(file);
    return FileExists(path);
}

bool RemoveFlagFile(const char* path)
{
    remove(path);
    return !FileExists(path);
}

void ShowFlagFileError(HWND owner, const char* code)
{
    char text[1024];
    FormatText(text, sizeof text, FlagFileErrorPattern, code);
    MessageBoxA(owner, text, AppCaption, MB_ICONERROR | MB_OK);
}

bool MakeInstallPath(char* out, size_t outSize, const char* name)
{
    return JoinText(out, outSize, InstallDir, name);
}
