// Finding the shell's window for the workspace folder after it was opened.
// The shell shows that window a moment after the request, so the control window
// looks again every FolderSearchPauseMs from its message loop, never waiting in
// between: a thread that installed a mouse hook must keep answering messages.
// The attempts themselves need no platform call (the window lookups are handed
// in), so the limits can be tested apart from the shell.
#ifndef CLICKPOCKET_FOLDER_SEARCH_H
#define CLICKPOCKET_FOLDER_SEARCH_H

enum { FolderSearchAttempts = 50, FolderSearchPauseMs = 100 };

struct FolderSearchOps {
    // The next top-level window after `after` (null: the first) titled `title`, or null.
    void* (*findWindow)(const char* title, void* after);
    bool (*isVisible)(void* window);
    // The window that the shell's own list of folder windows names for `folder`,
    // whatever its title, or null. One question to the shell per call.
    void* (*findListedWindow)(const char* folder);
};

// One search in progress, or none.
struct FolderSearch {
    bool active;
    int attemptsMade;
};

// A new search with all its attempts ahead; restarts one in progress.
void StartFolderSearch(FolderSearch* search);

// Ends a search; its remaining attempts are not made.
void StopFolderSearch(FolderSearch* search);

// One attempt of an active search: the first visible top-level window titled
// "My ClickPocket", or failing that titled with the full folder path (the titles
// of Windows 10's File Explorer, and of every shell that titles its windows so);
// failing both, the window the shell lists for the folder itself, once visible.
// Windows 11 titles its Explorer windows in the user's language, with the number
// of tabs, and names a copy of the folder "My ClickPocket - Copy": only the
// shell's list, which holds each window's folder, tells which one shows ours.
// A window that is still hidden (the shell is creating it) does not count yet.
// The search ends when the window is found (it is returned) and after
// FolderSearchAttempts fruitless attempts; otherwise it stays active for the next
// attempt, one pause later. An inactive search makes no attempt and gives null.
void* TryFolderSearch(FolderSearch* search, const char* pocketDir, const FolderSearchOps& ops);

#endif
