#include "shell_folder_list.h"

#include <exdisp.h>
#include <objbase.h>
#include <shlobj.h>

#include "../core/globals.h"
#include "../core/system_calls.h"

// OLEAUT32 carries the ID list to the shell as a byte array. It is loaded by the
// first search that gets this far, not at start-up: most searches end on a title.
typedef SAFEARRAY* (WINAPI *SafeArrayCreateVectorProc)(VARTYPE type, LONG lowerBound,
                                                      ULONG count);
typedef HRESULT (WINAPI *SafeArrayDestroyProc)(SAFEARRAY* array);

// By value: the library that names them would bring some 40 kB of others along.
static const CLSID ShellWindowsClass =
    { 0x9ba05972, 0xf6a8, 0x11cf, { 0xa4, 0x42, 0x00, 0xa0, 0xc9, 0x0a, 0x8f, 0x39 } };
static const IID ShellWindowsInterface =
    { 0x85cb6900, 0x4d95, 0x11cf, { 0x96, 0x0c, 0x00, 0x80, 0xc7, 0xf4, 0xee, 0x85 } };

static IShellWindows* ShellList;
static VARIANT ListedFolder;            // the folder's ID list, VT_ARRAY | VT_UI1
static char ListedFolderPath[PathBufferSize];   // the path it was made from
static bool Asking;                     // a question is under way on this thread
static bool CloseWhenAnswered;

static void DestroyFolderLocation()
{
    if (V_VT(&ListedFolder) != (VT_ARRAY | VT_UI1))
        return;
    SafeArrayDestroyProc destroy = reinterpret_cast<SafeArrayDestroyProc>(
        LoadSystemCall("oleaut32.dll", "SafeArrayDestroy"));
    if (destroy != 0)
        destroy(V_ARRAY(&ListedFolder));
    V_VT(&ListedFolder) = VT_EMPTY;
    ListedFolderPath[0] = '\0';
}

// The folder's ID list, built from the UTF-16 form of its path: a path that does
// not convert whole is refused, never cut.
static bool MakeFolderLocation(const char* folder)
{
    if (V_VT(&ListedFolder) == (VT_ARRAY | VT_UI1) && lstrcmpA(ListedFolderPath, folder) == 0)
        return true;
    DestroyFolderLocation();
    if (lstrlenA(folder) >= PathBufferSize)
        return false;
    WCHAR wide[PathBufferSize];
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, folder, -1, wide, PathBufferSize) == 0)
        return false;
    SafeArrayCreateVectorProc createVector = reinterpret_cast<SafeArrayCreateVectorProc>(
        LoadSystemCall("oleaut32.dll", "SafeArrayCreateVector"));
    if (createVector == 0)
        return false;
    PIDLIST_ABSOLUTE idList = ILCreateFromPathW(wide);
    if (idList == 0)
        return false;
    UINT size = ILGetSize(idList);
    SAFEARRAY* bytes = createVector(VT_UI1, 0, size);
    if (bytes != 0) {
        CopyMemory(bytes->pvData, idList, size);
        V_VT(&ListedFolder) = VT_ARRAY | VT_UI1;
        V_ARRAY(&ListedFolder) = bytes;
        lstrcpyA(ListedFolderPath, folder);
    }
    ILFree(idList);
    return bytes != 0;
}

static bool OpenShellFolderList()
{
    // Explorer serves the list from its own process; with no Explorer running
    // (another shell, or one restarting) the next question asks again.
    if (SUCCEEDED(CoCreateInstance(ShellWindowsClass, 0, CLSCTX_LOCAL_SERVER,
                                   ShellWindowsInterface, reinterpret_cast<void**>(&ShellList))))
        return true;
    ShellList = 0;
    return false;
}

void CloseShellFolderList()
{
    // The call under way still uses both: COM dispatches messages to this thread
    // while it waits, and the one that ends the program may be among them.
    if (Asking) {
        CloseWhenAnswered = true;
        return;
    }
    if (ShellList != 0)
        ShellList->Release();
    ShellList = 0;
    DestroyFolderLocation();
}

HWND FindListedFolderWindow(const char* folder)
{
    if (Asking)
        return 0;       // asked already, further up this thread's stack
    if ((ShellList == 0 && !OpenShellFolderList()) || !MakeFolderLocation(folder))
        return 0;
    VARIANT noRoot;
    V_VT(&noRoot) = VT_EMPTY;
    long found = 0;
    IDispatch* window = 0;
    Asking = true;
    HRESULT result = ShellList->FindWindowSW(&ListedFolder, &noRoot, SWC_EXPLORER, &found, 0,
                                             &window);
    Asking = false;
    if (window != 0)
        window->Release();
    // A list whose Explorer has gone is opened anew by the next question.
    if (FAILED(result) || CloseWhenAnswered) {
        CloseWhenAnswered = false;
        CloseShellFolderList();
    }
    // Window handles are 32-bit values, sign-extended in a 64-bit process.
    return result == S_OK ? reinterpret_cast<HWND>(static_cast<LONG_PTR>(found)) : 0;
}
