// The boxes for a document missing beside the program.
#ifndef CLICKPOCKET_MISSING_DOCUMENT_H
#define CLICKPOCKET_MISSING_DOCUMENT_H

#include <windows.h>

#include "../shell/documents.h"

// The "cannot be found" warning for `document`, owned by owner.
void ShowMissingDocument(HWND owner, InstallDocument document);

// The welcome dialog's error for a missing licence, owned by owner. False when it
// was not shown, since a box for a missing document is already up.
bool ShowMissingLicense(HWND owner);

#endif
