#include "folder_search.h"

static void* FindVisible(const char* title, const FolderSearchOps& ops)
{
    for (void* window = ops.findWindow(title, 0); window != 0;
         window = ops.findWindow(title, window)) {
        if (ops.isVisible(window))
            return window;
    }
    return 0;
}

void* SearchFolderWindow(const char* pocketDir, const FolderSearchOps& ops)
{
    for (int attempt = 0; attempt < FolderSearchAttempts; ++attempt) {
        void* window = FindVisible("My ClickPocket", ops);
        if (window == 0)
            window = FindVisible(pocketDir, ops);
        if (window != 0)
            return window;
        ops.pause(FolderSearchPauseMs);
    }
    return 0;
}
