// Bounded text helpers for the fixed path and message buffers.
// Pure C++ with no platform call, so the native tests exercise them directly.
// Every function refuses (returns false) rather than write past the buffer; on
// refusal the buffer holds an empty string, never a cut-off text.
#ifndef CLICKPOCKET_TEXT_UTIL_H
#define CLICKPOCKET_TEXT_UTIL_H

#include <stddef.h>

// Length of a zero-terminated text (0 for a null pointer).
size_t TextLength(const char* text);

// True when two texts are the same, byte for byte (the system's own comparisons
// go by language and pass over bytes that are no character).
bool SameText(const char* first, const char* second);

// out = text. False when it does not fit in outSize bytes with its terminator.
bool CopyText(char* out, size_t outSize, const char* text);

// out = out followed by text. False (and out emptied) when the result does not fit.
bool AppendText(char* out, size_t outSize, const char* text);

// out = first followed by second, e.g. a folder ending in a backslash and a file name.
bool JoinText(char* out, size_t outSize, const char* first, const char* second);

// out = pattern with its first "%s" replaced by arg; any further "%s" stays as written.
bool FormatText(char* out, size_t outSize, const char* pattern, const char* arg);

// out = value as unsigned decimal digits, no sign, no leading zeros ("%lu").
bool FormatUnsigned(char* out, size_t outSize, unsigned long value);

// The folder of an executable from its full path: everything up to and including the
// last backslash. The first character is never taken as the separator, so a path with
// no backslash after it keeps only its first character; an empty path stays empty.
bool DeriveInstallDir(const char* modulePath, char* out, size_t outSize);

// A copy of folder without its last character (the trailing backslash of InstallDir),
// for showing a folder to the user. An empty folder gives an empty text.
bool FolderWithoutTrailingSeparator(const char* folder, char* out, size_t outSize);

// out = text in double quotes: a path as a command line that Windows reads in one
// piece, blanks and all. False when it does not fit.
bool QuoteText(char* out, size_t outSize, const char* text);

// True when a command names exactly path, with or without surrounding double quotes.
// Windows paths ignore case: ASCII letters are compared without it (bytes of other
// characters must match, which never splits a UTF-8 character).
bool CommandNamesPath(const char* command, const char* path);

#endif
