#include "missing_document.h"

#include "../core/globals.h"
#include "../core/messages.h"
#include "../core/text_util.h"

// The modal loop of a box dispatches whatever reaches this thread, posted
// commands and the workers' reports included: one box at a time, whatever
// arrives meanwhile.
static bool DocumentBoxShowing;

static bool ShowDocumentBox(HWND owner, InstallDocument document, const char* pattern,
                            UINT icon)
{
    if (DocumentBoxShowing)
        return false;
    char path[PathBufferSize];
    if (!InstallDocumentPath(document, path, sizeof path))
        path[0] = '\0';
    char text[MessageBufferSize];
    FormatText(text, sizeof text, pattern, path);
    DocumentBoxShowing = true;
    MessageBoxA(owner, text, AppCaption, icon);
    DocumentBoxShowing = false;
    return true;
}

void ShowMissingDocument(HWND owner, InstallDocument document)
{
    ShowDocumentBox(owner, document, MissingDocumentPattern, MB_ICONWARNING);
}

bool ShowMissingLicense(HWND owner)
{
    return ShowDocumentBox(owner, LicenseDocument, MissingLicensePattern, MB_ICONERROR);
}
