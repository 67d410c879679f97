#include "folder_search.h"

#include "../core/text_util.h"

static const char PocketTitle[] = "My ClickPocket";
static const char TitleSeparator[] = " - ";

static void* FindVisible(const char* title, const FolderSearchOps& ops)
{
    for (void* window = ops.findWindow(0, title, 0); window != 0;
         window = ops.findWindow(0, title, window)) {
        if (ops.isVisible(window))
            return window;
    }
    return 0;
}

// True when title is name followed by " - " and anything (or nothing) more.
static bool NamesFolderWithSuffix(const char* title, const char* name)
{
    size_t nameLength = TextLength(name);
    for (size_t i = 0; i < nameLength; ++i) {
        if (title[i] != name[i])
            return false;
    }
    for (size_t i = 0; TitleSeparator[i] != '\0'; ++i) {
        if (title[nameLength + i] != TitleSeparator[i])
            return false;
    }
    return true;
}

// Long enough for the full folder path, the separator and the shell's suffix.
enum { FolderTitleBufferSize = 4096 + 256 };

static void* FindVisibleExplorer(const char* pocketDir, const FolderSearchOps& ops)
{
    for (const char* className : ExplorerWindowClasses) {
        for (void* window = ops.findWindow(className, 0, 0); window != 0;
             window = ops.findWindow(className, 0, window)) {
            char title[FolderTitleBufferSize];
            if (!ops.isVisible(window) || !ops.getTitle(window, title, sizeof title))
                continue;
            if (NamesFolderWithSuffix(title, PocketTitle)
                || NamesFolderWithSuffix(title, pocketDir))
                return window;
        }
    }
    return 0;
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
        window = FindVisibleExplorer(pocketDir, ops);
    if (window != 0 || search->attemptsMade >= FolderSearchAttempts)
        search->active = false;
    return window;
}
