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
// that alias. The file system says whose alias it is: a directory lookup in the
// library's own folder, which the system has just read to map the library, made
// only for a name of that shape and once for the relay's process (the caller
// remembers the answer). In its own frame, so that the common case does without.
static __declspec(noinline) bool IsAliasOfProgramFile(const WCHAR* image, int length, int name,
                                                      bool native)
{
    // A device path is reached through the object namespace's root.
    static const WCHAR Root[] = L"\\\\?\\GLOBALROOT";
    enum { RootLength = sizeof Root / sizeof Root[0] - 1 };
    WCHAR path[RootLength + CheckedPathUnits];
    int start = native ? RootLength : 0;
    for (int i = 0; i < start; ++i)
        path[i] = Root[i];
    for (int i = 0; i < length; ++i)
        path[start + i] = image[i];
    path[start + length] = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    int aliasLength = lstrlenW(found.cAlternateFileName);
    return aliasLength == length - name
           && SameFileNameText(found.cAlternateFileName, image + name, aliasLength)
           && IsProgramFileName(found.cFileName, lstrlenW(found.cFileName), SameFileNameText);
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
    const WCHAR* folder = libraryPath + drivePrefix;
    int folderLength = static_cast<int>(libraryLength) - drivePrefix;
    int length = static_cast<int>(imageLength);
    if (IsProgramBesideLibraryPath(image, length, folder, folderLength))
        return true;
    int name = FileNameStart(image, length);
    return IsBesideLibrary(image, length, folder, folderLength, SameFileNameText)
           && MayBeShortAlias(image + name, length - name)
           && IsAliasOfProgramFile(image, length, name, native);
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
