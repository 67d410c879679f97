// Marker files in the install folder (welcome.dat, shift.dat): an option is on
// while its empty file exists. Also the one error the program shows for them.
#ifndef CLICKPOCKET_FLAG_FILES_H
#define CLICKPOCKET_FLAG_FILES_H

#include <windows.h>

#include <stdio.h>

// The file calls behind the marker files: the standard library's by default.
// Tests put in their own to see which thread makes each (the control window's
// thread makes none once the hook is in).
struct FileCallSet {
    FILE* (*open)(const char* path, const char* mode);
    int (*remove)(const char* path);
};
extern FileCallSet FileCalls;

// True when the file can be opened for binary reading (a folder cannot).
bool FileExists(const char* path);

// Creates an empty marker file (or empties it) and reports whether it exists afterwards.
bool CreateFlagFile(const char* path);

// Deletes a marker file and reports whether it is gone afterwards.
bool RemoveFlagFile(const char* path);

// The "Failed to create flag file!" box with the given code, owned by owner;
// nothing while such a box is already showing.
void ShowFlagFileError(HWND owner, const char* code);

// out = InstallDir followed by name. False when it would not fit.
bool MakeInstallPath(char* out, size_t outSize, const char* name);

#endif
