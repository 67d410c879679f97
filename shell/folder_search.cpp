#include "folder_search.h"

static const char PocketTitle[] = "My ClickPocket";

static bool Acceptable(void* window, const FolderListView& list, const FolderSearchOps& ops)
{
    return ops.isVisible(window) && (!list.answering || !ops.isExplorerWindow(window));
}

static void* FindTitled(const char* title, const FolderListView& list, const FolderSearchOps& ops)
{
    for (void* window = ops.findWindow(title, 0); window != 0;
         window = ops.findWindow(title, window)) {
        if (Acceptable(window, list, ops))
            return window;
    }
    return 0;
}

static void* ChooseFolderWindow(const char* pocketDir, const FolderListView& list,
                                const FolderSearchOps& ops)
{
    if (list.window != 0 && ops.isVisible(list.window))
        return list.window;
    void* window = FindTitled(PocketTitle, list, ops);
    return window != 0 ? window : FindTitled(pocketDir, list, ops);
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

void* TryFolderSearch(FolderSearch* search, const char* pocketDir, const FolderListView& list,
                      const FolderSearchOps& ops)
{
    if (!search->active)
        return 0;
    ++search->attemptsMade;
    void* window = ChooseFolderWindow(pocketDir, list, ops);
    if (window != 0 || search->attemptsMade >= FolderSearchAttempts)
        search->active = false;
    return window;
}

void* RecheckFolderSearch(FolderSearch* search, const char* pocketDir,
                          const FolderListView& list, const FolderSearchOps& ops)
{
    if (!search->active)
        return 0;
    void* window = ChooseFolderWindow(pocketDir, list, ops);
    if (window != 0)
        search->active = false;
    return window;
}

bool MayOpenFolderList(const FolderListRetry& retry, unsigned request, unsigned now)
{
    if (!retry.failed)
        return true;
    // Unsigned ticks: the difference is right across a wrap of the counter.
    return request != retry.failedRequest && now - retry.failedAt >= retry.pauseMs;
}

void NoteFolderListOpened(FolderListRetry* retry, bool opened, unsigned request,
                          unsigned now)
{
    if (opened) {
        retry->failed = false;
        retry->pauseMs = 0;
        return;
    }
    const unsigned longest = FolderListLongestRetryMs;
    unsigned pause = retry->failed ? retry->pauseMs * 2 : unsigned(FolderListFirstRetryMs);
    retry->failed = true;
    retry->failedRequest = request;
    retry->failedAt = now;
    retry->pauseMs = pause < longest ? pause : longest;
}
