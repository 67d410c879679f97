#include "documents.h"

#include <shellapi.h>

#include "mainwnd.h"
#include "../core/globals.h"
#include "../core/messages.h"
#include "../core/text_util.h"
#include "../core/flag_files.h"

bool OpenInstallDocument(const char* name, char* path, size_t pathSize)
{
    MakeInstallPath(path, pathSize, name);
    if (!FileExists(path))
        return false;
    ShellExecuteA(RelayWindow, 0, path, 0, 0, SW_SHOWNORMAL);   // the shell reports its own failures
    return true;
}

void ShowMissingDocument(HWND owner, const char* path)
{
    char text[MessageBufferSize];
    FormatText(text, sizeof text, MissingDocumentPattern, path);
    MessageBoxA(owner, text, AppCaption, MB_ICONWARNING);
}
