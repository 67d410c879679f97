#include "documents.h"

#include "mainwnd.h"
#include "shell_open.h"
#include "../core/globals.h"
#include "../core/messages.h"
#include "../core/text_util.h"
#include "../core/flag_files.h"

bool OpenInstallDocument(const char* name, char* path, size_t pathSize)
{
    MakeInstallPath(path, pathSize, name);
    if (!FileExists(path))
        return false;
    OpenInShell(path);      // the shell reports its own failures
    return true;
}

// The modal loop of the warning dispatches whatever reaches this thread, posted
// commands included: one warning at a time, whatever arrives meanwhile.
static bool MissingDocumentShowing;

void ShowMissingDocument(HWND owner, const char* path)
{
    if (MissingDocumentShowing)
        return;
    char text[MessageBufferSize];
    FormatText(text, sizeof text, MissingDocumentPattern, path);
    MissingDocumentShowing = true;
    MessageBoxA(owner, text, AppCaption, MB_ICONWARNING);
    MissingDocumentShowing = false;
}
