// Finding the shell's window for the workspace folder after it was opened.
// The shell shows that window a moment after the request, so the control window
// looks again every FolderSearchPauseMs from its message loop, never waiting in
// between: a thread that installed a mouse hook must keep answering messages.
// The attempts themselves need no platform call (the window lookups are handed
// in, and so is what the shell's list of folder windows last said), so the rules
// can be tested apart from the shell.
#ifndef CLICKPOCKET_FOLDER_SEARCH_H
#define CLICKPOCKET_FOLDER_SEARCH_H

enum { FolderSearchAttempts = 50, FolderSearchPauseMs = 100 };

struct FolderSearchOps {
    // The next top-level window after `after` (null: the first) titled `title`, or null.
    void* (*findWindow)(const char* title, void* after);
    bool (*isVisible)(void* window);
    // True for a window of File Explorer's own (its classes CabinetWClass and
    // ExploreWClass): Explorer enters every such window in its list of folder
    // windows, with the folder it shows.
    bool (*isExplorerWindow)(void* window);
};

// What the shell's list of folder windows last said. It is asked on a thread of
// its own, between attempts, and may be slow, closed or absent: `answering` only
// while it is open and answered the last question in time.
struct FolderListView {
    bool answering;
    void* window;       // the window it names for the folder, or null
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

// One attempt of an active search. The window taken, in this order:
// - the window the list names for the folder, once visible, whatever its title
//   (Windows 11 titles its Explorer windows in the user's language, with the
//   number of tabs, and names a copy of the folder "My ClickPocket - Copy");
// - the first visible top-level window titled "My ClickPocket", or failing that
//   titled with the full folder path (the titles of Windows 10's File Explorer,
//   and of every file manager that titles its windows so), unless it is one of
//   Explorer's while the list answers: the list would then have named it, had
//   it shown this folder. Windows 10 titles the window of every folder named
//   "My ClickPocket" alike, and a second copy of the program unpacked beside
//   this one has its own. A list that is slow or failed holds up no title.
// A window that is still hidden (the shell is creating it) does not count yet.
// The search ends when the window is found (it is returned) and after
// FolderSearchAttempts fruitless attempts; otherwise it stays active for the next
// attempt, one pause later. An inactive search makes no attempt and gives null.
void* TryFolderSearch(FolderSearch* search, const char* pocketDir, const FolderListView& list,
                      const FolderSearchOps& ops);

// The same choice between two attempts, when the list has just answered: no
// attempt is counted. An inactive search gives null.
void* RecheckFolderSearch(FolderSearch* search, const char* pocketDir,
                          const FolderListView& list, const FolderSearchOps& ops);

// When the list is opened again after it could not be. Opening it fails after
// seconds where no Explorer serves it, and under Wine every failed opening keeps
// two registry handles: it is tried again by the next folder request, never by
// the same one, and no sooner than a pause after the last failure, which doubles
// from FolderListFirstRetryMs up to FolderListLongestRetryMs while it fails.
enum { FolderListFirstRetryMs = 30000, FolderListLongestRetryMs = 15 * 60000 };

struct FolderListRetry {
    bool failed;            // the last opening failed
    unsigned failedRequest; // for this folder request
    unsigned failedAt;      // at this tick (ms, GetTickCount)
    unsigned pauseMs;       // no new try before failedAt + pauseMs
};

// True when the list may be opened now, for this request, at this tick.
bool MayOpenFolderList(const FolderListRetry& retry, unsigned request, unsigned now);

// The outcome of an opening.
void NoteFolderListOpened(FolderListRetry* retry, bool opened, unsigned request,
                          unsigned now);

#endif
