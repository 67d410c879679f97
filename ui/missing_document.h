// The "cannot be found" warning for a document missing beside the program.
#ifndef CLICKPOCKET_MISSING_DOCUMENT_H
#define CLICKPOCKET_MISSING_DOCUMENT_H

#include <windows.h>

#include "../shell/documents.h"

// The warning for `document`, owned by owner; nothing while it is already up.
void ShowMissingDocument(HWND owner, InstallDocument document);

#endif
