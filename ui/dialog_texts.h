// The texts of the About and contest dialogs, shared by the templates (as the
// controls' window texts) and by the code that paints them.
#ifndef CLICKPOCKET_DIALOG_TEXTS_H
#define CLICKPOCKET_DIALOG_TEXTS_H

#include "../core/config.h"

#define ABOUT_TEXT_PRODUCT \
    "ClickPocket 1.0\n\nClickPocket is freeware. You may use it and give it away free of " \
    "charge under the terms of the End User License Agreement found in file License.txt."
#define ABOUT_TEXT_SUPPORT \
    "If you have any question or comment, please email:\n" CP_SUPPORT_EMAIL
#define ABOUT_TEXT_PRODUCT_PAGE "Visit ClickPocket Web page at:\n" CP_PRODUCT_PAGE_URL
#define ABOUT_TEXT_FREEWARE_PAGE \
    "Download more freeware by Corvellan International at:\n" CP_FREEWARE_PAGE_URL
#define ABOUT_TEXT_NOTICE \
    "Copyright (C) 2007 " CP_MAKER_NAME ". All rights reserved."

#define CONTEST_TEXT_TITLE "The Tidelocker Pro Cipher Contest 2007"
#define CONTEST_TEXT_PRIZE "WIN $50,000 CASH"
#define CONTEST_TEXT_OFFER \
    "The Tidelocker Pro Cipher Contest 2007 organized by Corvellan International offers you " \
    "US$50,000 (FIFTY THOUSAND AMERICAN DOLLARS) cash if you succeed to decrypt a secret " \
    "file before December 22, 2007 GMT."
#define CONTEST_TEXT_PUZZLE \
    "The secret file was encrypted and merged inside a JPEG picture file using Tidelocker " \
    "Pro version 1.5. The package is available on our website. You may use the freeware " \
    "edition of Tidelocker 1.5 or any other tool to decode the secret information."
#define CONTEST_TEXT_RULES \
    "Registration is not required to participate. The contest will be terminated if we " \
    "receive the correct information before December 22, 2007 (GMT). Otherwise, we will " \
    "explain the procedure and reveal the secret file online."
#define CONTEST_TEXT_HINT "For details and download, please click the box picture above."

#endif
