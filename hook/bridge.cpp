#include "bridge.h"

#include "hook_contract.h"
#include "../core/flag_files.h"
#include "../core/globals.h"
#include "../core/messages.h"
#include "../core/system_calls.h"
#include "../core/text_util.h"

static bool FailBridge(HWND mainWindow, const char* text)
{
    MessageBoxA(mainWindow, text, AppCaption, MB_ICONERROR);
    return false;
}

static void PublishNumber(int field, unsigned long value)
{
    char text[24];
    FormatUnsigned(text, sizeof text, value);
    SetDlgItemTextA(RelayWindow, field, text);
}

// Programs running at a lower integrity level may post to us only once the
// message is let through; Windows before Vista has no such filter, nor the call.
static void AllowPrivateMessageFromAnyLevel(HWND mainWindow)
{
    typedef BOOL (WINAPI *FilterProc)(HWND, UINT, DWORD, void*);
    FilterProc allow = reinterpret_cast<FilterProc>(
        FindSystemCall("user32.dll", "ChangeWindowMessageFilterEx"));
    if (allow != 0)
        allow(mainWindow, PrivateMessage, 1 /* MSGFLT_ALLOW */, 0);
}

bool InstallMouseHook(HWND mainWindow)
{
    PrivateMessage = RegisterWindowMessageA(PRIVATE_MESSAGE_NAME);
    if (PrivateMessage == 0)
        return FailBridge(mainWindow, RegisterMessageErrorText);
    AllowPrivateMessageFromAnyLevel(mainWindow);

    RelayWindow = CreateDialogParamA(AppInstance, RELAY_TEMPLATE_NAME, mainWindow, 0, 0);
    if (RelayWindow == 0)
        return FailBridge(mainWindow, CreateRelayErrorText);

    // Read before the hook is in: from then on this thread answers the mouse of
    // other programs, and a file call may wait seconds on a sleeping disk.
    char shiftFlag[PathBufferSize];
    bool shiftOn = MakeInstallPath(shiftFlag, sizeof shiftFlag, ShiftFlagName)
        && FileExists(shiftFlag);
    PublishShiftOption(shiftOn);
    if (shiftOn)
        CheckDlgButton(mainWindow, 500, BST_CHECKED);

    // By its full path: a library of that name anywhere else on the search path
    // would otherwise stand in for a missing one, inside every program we hook.
    char libraryPath[PathBufferSize];
    if (MakeInstallPath(libraryPath, sizeof libraryPath, HOOK_LIBRARY_FILE))
        HookModule = LoadLibraryA(libraryPath);
    if (HookModule == 0)
        return FailBridge(mainWindow, LoadLibraryErrorText);

    // A missing export gives a null procedure, which the installation refuses.
    HOOKPROC proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(HookModule, HOOK_PROC_EXPORT)));
    HookHandle = SetWindowsHookExA(WH_MOUSE, proc, HookModule, 0);
    if (HookHandle == 0)
        return FailBridge(mainWindow, InstallHookErrorText);

    // Handles are 32-bit values on every Windows, also in a 64-bit process.
    PublishNumber(RELAY_FIELD_MAIN_WINDOW,
                  static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(mainWindow)));
    PublishNumber(RELAY_FIELD_HOOK_HANDLE,
                  static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(HookHandle)));

    // The ready title comes last: whoever finds it finds every field filled.
    SetWindowTextA(RelayWindow, RELAY_TITLE_READY);
    return true;
}

void PublishShiftOption(bool on)
{
    SetDlgItemTextA(RelayWindow, RELAY_FIELD_SHIFT_OPTION, on ? "1" : "0");
}

bool ShiftOptionPublished()
{
    char text[4] = "";
    GetDlgItemTextA(RelayWindow, RELAY_FIELD_SHIFT_OPTION, text, sizeof text);
    return text[0] == '1';
}

HookReleaseCalls HookRelease = { UnhookWindowsHookEx, PostMessageA };

void TearDownHookBridge()
{
    if (ContestWindow != 0)
        SendMessageA(ContestWindow, WM_CLOSE, 0, 0);
    if (HookHandle != 0) {
        HookRelease.unhook(HookHandle);        // the hook goes before its library
        // Windows unloads the library from a program only when that program next
        // takes a message: an idle one would keep it mapped, and the install
        // folder could be neither deleted nor updated. A post never waits.
        HookRelease.post(HWND_BROADCAST, WM_NULL, 0, 0);
    }
    if (RelayWindow != 0)
        DestroyWindow(RelayWindow);            // normally gone already with its owner
    PostQuitMessage(0);
}

void ReleaseHookLibrary()
{
    if (HookModule != 0)
        FreeLibrary(HookModule);
    HookModule = 0;
}
