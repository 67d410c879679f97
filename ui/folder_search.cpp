#include "folder_search.h"

static const char PocketTitle[] = "My ClickPocket";

static void* FindVisible(const char* title, const FolderSearchOps& ops)
{
    for (void* window = ops.findWindow(title, 0); window != 0;
         window = ops.findWindow(title, window)) {
        if (ops.isVisible(window))
            return window;
    }
    return 0;
}

static void* FindListedVisible(const char* pocketDir, const FolderSearchOps& ops)
{
    void* window = ops.findListedWindow(pocketDir);
    return window != 0 && ops.isVisible(window) ? window : 0;
}

void StartFolderSearch(FolderSearch* search)
{
    search->active = true;
    search->attemptsMade = 0;
}

void StopFolderSearch(FolderSearch* search)
{
    search->active = false;
}

void* TryFolderSearch(FolderSearch* search, const char* pocketDir, const FolderSearchOps& ops)
{
    if (!search->active)
        return 0;
    ++search->attemptsMade;
    void* window = FindVisible(PocketTitle, ops);
    if (window == 0)
        window = FindVisible(pocketDir, ops);
    if (window == 0)
        window = FindListedVisible(pocketDir, ops);
    if (window != 0 || search->attemptsMade >= FolderSearchAttempts)
        search->active = false;
    return window;
}
