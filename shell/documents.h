// The user's documents beside the program, license.txt and readme.txt.
#ifndef CLICKPOCKET_DOCUMENTS_H
#define CLICKPOCKET_DOCUMENTS_H

#include <windows.h>

enum InstallDocument { LicenseDocument, ReadmeDocument };

// InstallDir followed by the document's file name. False when it does not fit.
bool InstallDocumentPath(InstallDocument document, char* path, size_t pathSize);

// Hands the document to the shell from a worker, which first looks for the file:
// when it is not there, `notify` gets DocumentMissingMessage (shell_open.h) with
// the document as wParam. False when it cannot be handed over at all.
bool OpenInstallDocument(InstallDocument document, HWND notify);

#endif
