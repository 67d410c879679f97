// For the tests: a window entered in the shell's list of folder windows (the
// ShellWindows object) as showing a folder, the way File Explorer enters each of
// its windows and tabs; taken out again with UnlistWindow, as Explorer does when
// the window closes. And the window that list names for a folder, as ClickPocket
// asks it. COM must be entered on the calling thread.
#ifndef CLICKPOCKET_TEST_SHELL_LISTING_H
#define CLICKPOCKET_TEST_SHELL_LISTING_H

#include <windows.h>
#include <exdisp.h>
#include <oleauto.h>
#include <shlobj.h>

struct ShellListing {
    IShellWindows* list;
    long cookie;
};

// The shell's list of folder windows, or null when no shell that keeps one runs.
inline IShellWindows* OpenShellList()
{
    IShellWindows* list = 0;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, 0, CLSCTX_ALL, IID_IShellWindows,
                                reinterpret_cast<void**>(&list))))
        return 0;
    return list;
}

inline void UnlistWindow(ShellListing* listing)
{
    if (listing->list == 0)
        return;
    listing->list->Revoke(listing->cookie);
    listing->list->Release();
    listing->list = 0;
}

// The folder's ID list as the shell's list takes it: a byte array. False when
// the path names nothing.
inline bool MakeFolderLocation(const WCHAR* folder, VARIANT* location)
{
    V_VT(location) = VT_EMPTY;
    PIDLIST_ABSOLUTE idList = ILCreateFromPathW(folder);
    if (idList == 0)
        return false;
    V_ARRAY(location) = SafeArrayCreateVector(VT_UI1, 0, ILGetSize(idList));
    if (V_ARRAY(location) != 0) {
        V_VT(location) = VT_ARRAY | VT_UI1;
        CopyMemory(V_ARRAY(location)->pvData, idList, ILGetSize(idList));
    }
    ILFree(idList);
    return V_VT(location) != VT_EMPTY;
}

inline bool ListWindowForFolder(HWND window, const WCHAR* folder, ShellListing* listing)
{
    listing->cookie = 0;
    listing->list = OpenShellList();
    if (listing->list == 0)
        return false;
    VARIANT location;
    bool listed = MakeFolderLocation(folder, &location)
        && SUCCEEDED(listing->list->Register(0, static_cast<long>(reinterpret_cast<LONG_PTR>(window)),
                                             SWC_EXPLORER, &listing->cookie))
        && SUCCEEDED(listing->list->OnNavigate(listing->cookie, &location));
    VariantClear(&location);
    if (!listed)
        UnlistWindow(listing);
    return listed;
}

// The window the list names as showing exactly `folder`, or null.
inline HWND FindListedWindow(IShellWindows* list, const WCHAR* folder)
{
    VARIANT location, noRoot;
    V_VT(&noRoot) = VT_EMPTY;
    long found = 0;
    IDispatch* window = 0;
    HRESULT result = MakeFolderLocation(folder, &location)
        ? list->FindWindowSW(&location, &noRoot, SWC_EXPLORER, &found, 0, &window)
        : E_FAIL;
    if (window != 0)
        window->Release();
    VariantClear(&location);
    // Window handles are 32-bit values, sign-extended in a 64-bit process.
    return result == S_OK ? reinterpret_cast<HWND>(static_cast<LONG_PTR>(found)) : 0;
}

#endif
