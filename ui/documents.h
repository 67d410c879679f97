// The user's documents beside the program, license.txt and readme.txt.
#ifndef CLICKPOCKET_DOCUMENTS_H
#define CLICKPOCKET_DOCUMENTS_H

#include <windows.h>

// Hands InstallDir + name to the shell when the file is there. False when it is
// missing; path then holds the full path, for the message.
bool OpenInstallDocument(const char* name, char* path, size_t pathSize);

// The "cannot be found" warning for a missing document, owned by owner.
void ShowMissingDocument(HWND owner, const char* path);

#endif
