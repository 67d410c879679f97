#include "documents.h"

#include "shell_open.h"
#include "../core/flag_files.h"
#include "../core/globals.h"

bool InstallDocumentPath(InstallDocument document, char* path, size_t pathSize)
{
    return MakeInstallPath(path, pathSize,
                           document == LicenseDocument ? LicenseFileName : ReadmeFileName);
}

bool OpenInstallDocument(InstallDocument document, HWND notify)
{
    char path[PathBufferSize];
    return InstallDocumentPath(document, path, sizeof path)
        && OpenDocumentInShell(path, notify, document);
}
