// Finding the shell's window for the workspace folder after it was opened.
// The shell shows that window a moment after the request, so the control window
// looks again every FolderSearchPauseMs from its message loop, never waiting in
// between: a thread that installed a mouse hook must keep answering messages.
// The attempts themselves need no platform call (the window lookups are handed
// in), so the limits can be tested apart from the shell.
#ifndef CLICKPOCKET_FOLDER_SEARCH_H
#define CLICKPOCKET_FOLDER_SEARCH_H

#include <stddef.h>

enum { FolderSearchAttempts = 50, FolderSearchPauseMs = 100 };

struct FolderSearchOps {
    // The next top-level window after `after` (null: the first) of class
    // `className` and titled `title`, or null; a null class or title matches any.
    void* (*findWindow)(const char* className, const char* title, void* after);
    bool (*isVisible)(void* window);
    // The window's title into title (size bytes); false when it has none.
    bool (*getTitle)(void* window, char* title, size_t size);
};

// File Explorer's own window classes: its folder windows, and those of older
// Windows (and of Wine's explorer).
static const char* const ExplorerWindowClasses[] = { "CabinetWClass", "ExplorerWClass" };

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
// "My ClickPocket", or failing that titled with the full folder path; failing
// both, a visible window of File Explorer's own classes titled with one of those
// names followed by " - " and more (Windows 11 since its 2024 updates titles them
// "My ClickPocket - File Explorer", in the user's language). The class matters:
// "My ClickPocket - notes.txt - Notepad" is another program's window. A window
// that is still hidden (the shell is creating it) does not count yet. The search
// ends when the window is found (it is returned) and after FolderSearchAttempts
// fruitless attempts; otherwise it stays active for the next attempt, one pause
// later. An inactive search makes no attempt and gives null.
void* TryFolderSearch(FolderSearch* search, const char* pocketDir, const FolderSearchOps& ops);

#endif
