#include "missing_document.h"

#include "../core/globals.h"
#include "../core/messages.h"
#include "../core/text_util.h"

// The modal loop of the warning dispatches whatever reaches this thread, posted
// commands included: one warning at a time, whatever arrives meanwhile.
static bool MissingDocumentShowing;

void ShowMissingDocument(HWND owner, InstallDocument document)
{
    if (MissingDocumentShowing)
        return;
    char path[PathBufferSize];
    if (!InstallDocumentPath(document, path, sizeof path))
        path[0] = '\0';
    char text[MessageBufferSize];
    FormatText(text, sizeof text, MissingDocumentPattern, path);
    MissingDocumentShowing = true;
    MessageBoxA(owner, text, AppCaption, MB_ICONWARNING);
    MissingDocumentShowing = false;
}
