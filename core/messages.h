// The texts the program shows, byte for byte, and the one caption they share.
#ifndef CLICKPOCKET_MESSAGES_H
#define CLICKPOCKET_MESSAGES_H

#include "config.h"

static const char AppCaption[] = "ClickPocket 1.0";

// Room for any message that quotes a path, whatever the path's length.
enum { MessageBufferSize = 4096 + 1024 };

// Start-up and workspace folder.
static const char OldWindowsText[] = "This version of ClickPocket needs Windows 7 or later.";
static const char FileAccessErrorText[] =
    "File access error in folder \"My ClickPocket\". Program will terminate.";
static const char FlagFileErrorPattern[] =
    "Failed to create flag file!\n\nIf ClickPocket is installed on a read-only disk, install\n"
    "it on a writable disk or hard disk and retry.\n\nThis error may also be due to insufficient "
    "permissions or\nthe existence of read-only files in ClickPocket directory.\n\n[Error %s]";
static const char FlagCodeWelcome[]  = "58R4TH";   // welcome.dat could not be created
static const char FlagCodeShiftOn[]  = "68R4TH";   // shift.dat could not be created
static const char FlagCodeShiftOff[] = "78R4TH";   // shift.dat could not be removed

// Autostart.
static const char RegistryErrorText[] = "Failed to update the registry !";

// Hook bridge.
static const char RegisterMessageErrorText[] = "Failed to register message #89.";
static const char CreateRelayErrorText[]     = "Failed to create object CP8546.";
static const char LoadLibraryErrorText[]     = "Failed to Load/Init DLL.";
static const char InstallHookErrorText[]     = "Failed to install MSH.";

// Control window.
static const char FolderOpenErrorPattern[] =
    "Failed to open folder \"My ClickPocket\" !\n\nCheck the problem with the following folder:\n"
    "%s\nand retry...";
static const char MissingDocumentPattern[] =
    "File:\n\n%s\n\ncannot be found. Please reinstall software or visit:\n" CP_PRODUCT_PAGE_URL;
static const char ExitCaption[] = "Your attention please!";
static const char ExitConfirmPattern[] =
    "This command will terminate ClickPocket and will prevent it from restarting\n"
    "automatically with Windows. If you wish to run ClickPocket later, you should\n"
    "go to ClickPocket installation folder and run ClickPocket.exe manually.\n\n"
    "To remove ClickPocket from your computer, click Yes and close ALL windows\n"
    "before deleting ClickPocket installation folder:\n\n%s\n\n"
    "Are you sure you want to terminate ClickPocket now?";

// Welcome dialog.
static const char MissingLicensePattern[] =
    "The End User License Agreement file:\n\n%s\n\ncannot be found. Please reinstall software "
    "or visit:\n" CP_PRODUCT_PAGE_URL "\n\nClickPocket will terminate!";
static const char RefusalPromptText[] =
    "You must accept the terms and conditions of the ClickPocket EULA to use this software.\n\n"
    "Do you really want to quit ClickPocket?";

#endif
