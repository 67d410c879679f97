// The note written into the workspace folder until the welcome dialog is
// dismissed for good: thirteen lines joined by CR LF, no line end after the last.
#ifndef CLICKPOCKET_INFO_TEXT_H
#define CLICKPOCKET_INFO_TEXT_H

static const char InfoText[] =
    "Welcome!\r\n"
    "\r\n"
    "Drag and drop (or create) your favorite shortcuts in \"My ClickPocket\" and open it from "
    "any program by clicking your middle mouse button.\r\n"
    "\r\n"
    "You can also create subfolders and documents in \"My ClickPocket\". For more information, "
    "please read file \"readme.txt\" or click Help in ClickPocket's main window.\r\n"
    "\r\n"
    "To show ClickPocket's main window, press the left Control key and click your middle mouse "
    "button before releasing the Control key.\r\n"
    "\r\n"
    "You may safely delete this file...\r\n"
    "\r\n"
    "Thank you for using ClickPocket!\r\n"
    "\r\n"
    "(Corvellan International)";

// Written without the terminating zero.
static const unsigned InfoTextLength = sizeof InfoText - 1;

#endif
