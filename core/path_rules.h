// The names the program puts together with its two folders, and the one rule
// that keeps every such path inside the fixed path buffers.
#ifndef CLICKPOCKET_PATH_RULES_H
#define CLICKPOCKET_PATH_RULES_H

#include <stddef.h>

enum { PathBufferBytes = 4096 };

static const char PocketFolderName[] = "My ClickPocket";               // appended to InstallDir
static const char ProbeFileName[]    = "\\test_A785S2C_788WE9D.test";   // appended to PocketDir
static const char InfoFileName[]     = "\\Info.txt";                    // appended to PocketDir
static const char WelcomeFlagName[]  = "welcome.dat";                   // appended to InstallDir
static const char ShiftFlagName[]    = "shift.dat";                     // appended to InstallDir
static const char LicenseFileName[]  = "license.txt";                   // appended to InstallDir
static const char ReadmeFileName[]   = "readme.txt";                    // appended to InstallDir

// The longest text ever appended to InstallDir: the write probe's path.
enum { LongestInstallSuffix = (sizeof PocketFolderName - 1) + (sizeof ProbeFileName - 1) };

// True when an install folder of this length leaves room, in a path buffer, for
// every path the program builds from it.
inline bool InstallDirFits(size_t installDirLength)
{
    return installDirLength + LongestInstallSuffix < PathBufferBytes;
}

#endif
