// Part of the hook library: no heap, no C runtime, KERNEL32 and USER32 only,
// and a small stack frame, since it runs on other programs' threads.
#include "relay_check.h"

#include "click_rules.h"

RelayCheckCalls RelayCheck = { OpenProcess };

#ifndef PROCESS_NAME_NATIVE
#define PROCESS_NAME_NATIVE 0x00000001
#endif

// The program is not long-path aware, so it runs from a path of fewer than
// MAX_PATH units; in its device form the drive gives way to the volume's
// device ("\Device\HarddiskVolume3", "\Device\Mup\server\share"), and that
// needs room too. Whatever does not fit counts for nothing.
enum { CheckedPathUnits = 2 * MAX_PATH };

// Looked up when needed: Windows before Vista has neither
// QueryFullProcessImageNameW nor CompareStringOrdinal, and Vista has
// GetMappedFileNameW in psapi.dll only. Imported, any of them missing would
// keep the library from loading at all, and ClickPocket from starting.
static void* KernelCall(const char* name)
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel != 0 ? reinterpret_cast<void*>(GetProcAddress(kernel, name)) : 0;
}

typedef BOOL (WINAPI *QueryImageProc)(HANDLE process, DWORD flags, WCHAR* name, DWORD* size);
typedef DWORD (WINAPI *MappedNameProc)(HANDLE process, void* address, WCHAR* name, DWORD size);
typedef int (WINAPI *CompareOrdinalProc)(const WCHAR* first, int firstLength,
                                         const WCHAR* second, int secondLength, BOOL ignoreCase);

static bool SameFileNameText(const wchar_t* first, const wchar_t* second, int length)
{
    CompareOrdinalProc compare = reinterpret_cast<CompareOrdinalProc>(
        KernelCall("CompareStringOrdinal"));
    return compare != 0 && compare(first, length, second, length, TRUE) == CSTR_EQUAL;
}

bool IsProgramBesideLibraryPath(const WCHAR* image, int imageLength, const WCHAR* library,
                                int libraryLength)
{
    return IsProgramBesideLibrary(image, imageLength, library, libraryLength, SameFileNameText);
}

// A program started through its 8.3 path ("C:\Tools\CLICKP~1.EXE") is named by
// its aliases, and so may be the library it loaded. The system gives the long
// form of an open file: the file is opened (for no access, sharing everything)
// in the library's own folder, which the system has just read to map the
// library, only for a path with a tilde and once for the relay's process (the
// caller remembers the answer). A device path is reached through the object
// namespace's root, and comes back in the same form. The length of the long
// form in out, or 0 (also where Windows lacks GetFinalPathNameByHandleW).
static const WCHAR NamespaceRoot[] = L"\\\\?\\GLOBALROOT";
static const WCHAR DosPrefix[] = L"\\\\?\\";
enum {
    NamespaceRootLength = sizeof NamespaceRoot / sizeof NamespaceRoot[0] - 1,
    DosPrefixLength = sizeof DosPrefix / sizeof DosPrefix[0] - 1,
    RootedPathUnits = NamespaceRootLength + CheckedPathUnits
};
typedef DWORD (WINAPI *FinalPathProc)(HANDLE file, WCHAR* path, DWORD size, DWORD flags);

static __declspec(noinline) int LongForm(const WCHAR* path, int length, bool native,
                                         WCHAR* out)
{
    FinalPathProc finalPath = reinterpret_cast<FinalPathProc>(
        KernelCall("GetFinalPathNameByHandleW"));
    if (finalPath == 0)
        return 0;
    WCHAR rooted[RootedPathUnits];
    int start = native ? NamespaceRootLength : 0;
    for (int i = 0; i < start; ++i)
        rooted[i] = NamespaceRoot[i];
    for (int i = 0; i < length; ++i)
        rooted[start + i] = path[i];
    rooted[start + length] = 0;
    HANDLE file = CreateFileW(rooted, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              0, OPEN_EXISTING, 0, 0);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD longLength = finalPath(file, out, RootedPathUnits,
                                 native ? VOLUME_NAME_NT : VOLUME_NAME_DOS);
    CloseHandle(file);
    // The drive form comes as "\\?\C:\...": the prefix goes.
    int skip = native ? 0 : DosPrefixLength;
    if (longLength <= static_cast<DWORD>(skip) || longLength >= RootedPathUnits - 1)
        return 0;
    for (DWORD i = skip; i <= longLength; ++i)
        out[i - skip] = out[i];
    return static_cast<int>(longLength) - skip;
}

// In its own frame, so that the common case, a path without a tilde, does without.
static __declspec(noinline) bool IsProgramBesideLibraryLongForms(
    const WCHAR* image, int imageLength, const WCHAR* library, int libraryLength, bool native)
{
    WCHAR longImage[RootedPathUnits];
    WCHAR longLibrary[RootedPathUnits];
    int longImageLength = LongForm(image, imageLength, native, longImage);
    int longLibraryLength = MayHoldShortNames(library, libraryLength)
        ? LongForm(library, libraryLength, native, longLibrary) : 0;
    if (longLibraryLength == 0) {
        for (int i = 0; i < libraryLength; ++i)
            longLibrary[i] = library[i];
        longLibraryLength = libraryLength;
    }
    return longImageLength > 0
           && IsProgramBesideLibraryPath(longImage, longImageLength, longLibrary,
                                         longLibraryLength);
}

// Both paths as the volume's device names them, so that a subst or mapped
// drive, or a short 8.3 name, cannot make the real ClickPocket look foreign.
static bool RunsProgramBesideLibrary(DWORD process, HMODULE library)
{
    MappedNameProc mappedName = reinterpret_cast<MappedNameProc>(
        KernelCall("K32GetMappedFileNameW"));
    QueryImageProc queryImage = reinterpret_cast<QueryImageProc>(
        KernelCall("QueryFullProcessImageNameW"));
    if (mappedName == 0 || queryImage == 0)
        return false;
    WCHAR libraryPath[CheckedPathUnits];
    DWORD libraryLength = mappedName(GetCurrentProcess(), library, libraryPath,
                                     CheckedPathUnits);
    // A name that fills the buffer may have been cut short.
    if (libraryLength == 0 || libraryLength >= CheckedPathUnits - 1)
        return false;
    int drivePrefix = DrivePathPrefixLength(libraryPath, static_cast<int>(libraryLength));

    HANDLE handle = RelayCheck.openProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (handle == 0)
        return false;
    WCHAR image[CheckedPathUnits];
    DWORD imageLength = CheckedPathUnits;
    bool native = drivePrefix == 0;
    BOOL read = queryImage(handle, native ? PROCESS_NAME_NATIVE : 0, image, &imageLength);
    CloseHandle(handle);
    if (!read)
        return false;
    const WCHAR* own = libraryPath + drivePrefix;
    int ownLength = static_cast<int>(libraryLength) - drivePrefix;
    int length = static_cast<int>(imageLength);
    if (IsProgramBesideLibraryPath(image, length, own, ownLength))
        return true;
    return MayHoldShortNames(image, length)
           && IsProgramBesideLibraryLongForms(image, length, own, ownLength, native);
}

static DWORD ProcessOf(HWND window)
{
    DWORD process = 0;
    return GetWindowThreadProcessId(window, &process) != 0 ? process : 0;
}

TrustedRelay FindTrustedRelay(HMODULE library, TrustedRelay* known)
{
    // Read once: the hook runs on every thread of the process that gets mouse
    // input. Whatever mixture another thread's write may leave, a window counts
    // only while it belongs to a process that was checked.
    TrustedRelay relay = *known;
    if (relay.window != 0 && relay.process != 0 && ProcessOf(relay.window) == relay.process)
        return relay;
    DWORD refused = 0;      // a program with many such windows is checked once
    for (HWND window = FindWindowExA(0, 0, 0, RELAY_TITLE_READY); window != 0;
         window = FindWindowExA(0, window, 0, RELAY_TITLE_READY)) {
        DWORD process = ProcessOf(window);
        if (process == 0 || process == refused)
            continue;
        if (RunsProgramBesideLibrary(process, library)) {
            relay.window = window;
            relay.process = process;
            *known = relay;
            return relay;
        }
        refused = process;
    }
    relay.window = 0;
    relay.process = 0;
    return relay;
}
