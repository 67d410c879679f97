// Finding the shell's window for the workspace folder after it was opened.
// The search itself needs no platform call: the window lookups and the pause are
// handed in, so the limits can be tested apart from the shell.
#ifndef CLICKPOCKET_FOLDER_SEARCH_H
#define CLICKPOCKET_FOLDER_SEARCH_H

enum { FolderSearchAttempts = 50, FolderSearchPauseMs = 100 };

struct FolderSearchOps {
    // The next top-level window after `after` (null: the first) titled `title`, or null.
    void* (*findWindow)(const char* title, void* after);
    bool (*isVisible)(void* window);
    void (*pause)(unsigned milliseconds);
};

// The folder window: the first visible top-level window titled "My ClickPocket",
// or failing that titled with the full folder path. A window that is still
// hidden (the shell is creating it) does not count yet. Tries FolderSearchAttempts
// times with a pause after each fruitless attempt; null when nothing turned up.
void* SearchFolderWindow(const char* pocketDir, const FolderSearchOps& ops);

#endif
