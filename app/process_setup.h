// What the process sets up for itself before anything else.
#ifndef CLICKPOCKET_PROCESS_SETUP_H
#define CLICKPOCKET_PROCESS_SETUP_H

// Libraries loaded by name from now on, by us or by the system on our behalf (the
// shell and what it reaches), come from System32 alone: never from the program's
// own folder, typically Downloads, nor from the current folder. Where Windows has
// no such setting (before Windows 8, or 7 without KB2533623), at least the current
// folder is taken out. Libraries loaded by full path are not concerned.
void LockLibrarySearch();

// The hook library trusts only a relay whose process it can check, with calls
// that Windows has from version 7 on (QueryFullProcessImageNameW,
// K32GetMappedFileNameW and CompareStringOrdinal in KERNEL32). Before that no
// click would ever reach the program. `find` looks a call up (FindSystemCall;
// tests play an older Windows).
bool CanCheckRelays(void* (*find)(const char* module, const char* name));

#endif
