// Build-time configuration: the maker's addresses, in one place.
// Every address lives under the reserved .example domain.
#ifndef CLICKPOCKET_CONFIG_H
#define CLICKPOCKET_CONFIG_H

#define CP_PRODUCT_PAGE_URL  "http://www.corvellan.example/clickpocket/"
#define CP_FREEWARE_PAGE_URL "http://www.corvellan.example/freeware/"
#define CP_CONTEST_PAGE_URL  "http://www.corvellan.example/contest2007/"
#define CP_SUPPORT_EMAIL     "support@corvellan.example"
#define CP_MAKER_NAME        "Corvellan International"
// What the package managers show beside the name (make manifests).
#define CP_PRODUCT_SUMMARY   "Opens your own workspace folder with a middle click in any program"

#ifndef RC_INVOKED
static const char ProductPageUrl[]  = CP_PRODUCT_PAGE_URL;
static const char FreewarePageUrl[] = CP_FREEWARE_PAGE_URL;
static const char ContestPageUrl[]  = CP_CONTEST_PAGE_URL;
static const char SupportEmail[]    = CP_SUPPORT_EMAIL;
#endif

#endif
