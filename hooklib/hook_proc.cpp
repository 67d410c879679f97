// ClickPocket.dll: the mouse hook that runs inside every program receiving mouse
// input. It must cost nothing on ordinary mouse traffic and never wait: no heap,
// no C runtime, KERNEL32 and USER32 only, and no call that sends a message to
// ClickPocket (whose thread may be in a modal loop, or busy with the shell).
// Texts of another process's window are read with GetWindowTextA, which returns
// the stored text without sending WM_GETTEXT. Only ClickPocket's own relay counts
// (relay_check.cpp): the first press in each process checks whose it is.
#include <windows.h>

#include "click_rules.h"
#include "relay_check.h"
#include "../hook/hook_contract.h"

// Per-thread memory of a press that was taken, so that its release is taken too.
static DWORD TakenPressSlot = TLS_OUT_OF_INDEXES;
static UINT RequestMessage;          // registered on the first press in this process
static HMODULE Library;              // this library, whose folder ClickPocket.exe must be in
static TrustedRelay KnownRelay;      // the relay found to count, while it lives

static bool LeftKeyHeld(int virtualKey)
{
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

static bool ReadField(HWND relay, int field, char* text, int size)
{
    HWND control = GetDlgItem(relay, field);
    if (control == 0)
        return false;
    int length = GetWindowTextA(control, text, size);
    // A text that fills the buffer may be longer than it shows: not ours.
    return length > 0 && length < size - 1;
}

// Delivers the request for this press; true when one was posted.
static bool PostRequestForPress()
{
    TrustedRelay trusted = FindTrustedRelay(Library, &KnownRelay);
    HWND relay = trusted.window;
    if (relay == 0)
        return false;
    char handleText[16];
    char shiftText[4];
    unsigned long handleValue;
    if (!ReadField(relay, RELAY_FIELD_MAIN_WINDOW, handleText, sizeof handleText)
        || !ParseRelayHandle(handleText, &handleValue)
        || !ReadField(relay, RELAY_FIELD_SHIFT_OPTION, shiftText, sizeof shiftText))
        return false;

    // The handle must name a window of the relay's own process.
    // Window handles are 32-bit values, sign-extended in a 64-bit process.
    HWND target = reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(handleValue)));
    DWORD targetProcess = 0;
    if (!IsWindow(target) || GetWindowThreadProcessId(target, &targetProcess) == 0
        || targetProcess != trusted.process)
        return false;
    // A ClickPocket that has stopped reading its messages (stopped in a debugger,
    // suspended, stuck) would act on the click seconds later, if ever: the click
    // stays with the program under the cursor instead. The check reads what the
    // system keeps about the thread; it sends nothing.
    if (IsHungAppWindow(target))
        return false;

    ClickRequest request = DecideClickRequest(LeftKeyHeld(VK_LCONTROL), LeftKeyHeld(VK_LSHIFT),
                                              ParseShiftField(shiftText));
    if (request == NoRequest)
        return false;
    if (RequestMessage == 0)
        RequestMessage = RegisterWindowMessageA(PRIVATE_MESSAGE_NAME);
    if (RequestMessage == 0)
        return false;
    WPARAM wParam = request == RequestShowWindow ? REQUEST_SHOW_WINDOW : REQUEST_OPEN_FOLDER;
    // The program under the cursor has the foreground; ClickPocket, in the
    // background, may take it (for its window or the folder's) only when let.
    AllowSetForegroundWindow(trusted.process);
    return PostMessageA(target, RequestMessage, wParam, 0) != FALSE;
}

// A press we act on is taken from the program under the cursor, and so is its
// release; without a per-thread slot to remember it, the click is passed on.
// Every press starts from a clear memory: the release of a taken press may have
// gone to another program's thread, and must not cost this thread its next one.
static bool TakePress()
{
    if (TakenPressSlot != TLS_OUT_OF_INDEXES)
        TlsSetValue(TakenPressSlot, 0);
    if (!PostRequestForPress())
        return false;
    if (TakenPressSlot == TLS_OUT_OF_INDEXES)
        return false;
    TlsSetValue(TakenPressSlot, reinterpret_cast<void*>(1));
    return true;
}

static bool TakeRelease()
{
    if (TakenPressSlot == TLS_OUT_OF_INDEXES || TlsGetValue(TakenPressSlot) == 0)
        return false;
    TlsSetValue(TakenPressSlot, 0);
    return true;
}

extern "C" __declspec(dllexport) LRESULT CALLBACK CLICKPOCKET_MSP(int code, WPARAM wParam,
                                                                  LPARAM lParam)
{
    if (code == HC_ACTION) {
        MouseEvent event = ClassifyMouseMessage(static_cast<unsigned>(wParam));
        if (event == MiddlePress && TakePress())
            return 1;
        if (event == MiddleRelease && TakeRelease())
            return 1;
    }
    return CallNextHookEx(0, code, wParam, lParam);
}

// The library's entry point: there is no C runtime to start.
extern "C" BOOL WINAPI HookLibraryEntry(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        Library = instance;
        TakenPressSlot = TlsAlloc();
    } else if (reason == DLL_PROCESS_DETACH && TakenPressSlot != TLS_OUT_OF_INDEXES) {
        TlsFree(TakenPressSlot);
    }
    return TRUE;
}
