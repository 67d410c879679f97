// For the tests: a window entered in the shell's list of folder windows (the
// ShellWindows object) as showing a folder, the way File Explorer enters each of
// its windows and tabs; taken out again with UnlistWindow, as Explorer does when
// the window closes. COM must be entered on the calling thread.
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

inline void UnlistWindow(ShellListing* listing)
{
    if (listing->list == 0)
        return;
    listing->list->Revoke(listing->cookie);
    listing->list->Release();
    listing->list = 0;
}

inline bool ListWindowForFolder(HWND window, const WCHAR* folder, ShellListing* listing)
{
    listing->list = 0;
    listing->cookie = 0;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, 0, CLSCTX_ALL, IID_IShellWindows,
                                reinterpret_cast<void**>(&listing->list))))
        return false;
    PIDLIST_ABSOLUTE idList = ILCreateFromPathW(folder);
    bool listed = idList != 0
        && SUCCEEDED(listing->list->Register(0, static_cast<long>(reinterpret_cast<LONG_PTR>(window)),
                                             SWC_EXPLORER, &listing->cookie));
    if (listed) {
        VARIANT location;
        V_VT(&location) = VT_ARRAY | VT_UI1;
        V_ARRAY(&location) = SafeArrayCreateVector(VT_UI1, 0, ILGetSize(idList));
        CopyMemory(V_ARRAY(&location)->pvData, idList, ILGetSize(idList));
        listed = SUCCEEDED(listing->list->OnNavigate(listing->cookie, &location));
        VariantClear(&location);
    }
    ILFree(idList);
    if (!listed)
        UnlistWindow(listing);
    return listed;
}

#endif
