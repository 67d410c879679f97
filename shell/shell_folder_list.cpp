#include "shell_folder_list.h"

#include <objbase.h>
#include <shlobj.h>

#include "folder_search.h"
#include "shell_worker.h"
#include "../core/globals.h"
#include "../core/system_calls.h"
#include "../core/text_util.h"

// By value: the library that names them would bring some 40 kB of others along.
static const CLSID ShellWindowsClass =
    { 0x9ba05972, 0xf6a8, 0x11cf, { 0xa4, 0x42, 0x00, 0xa0, 0xc9, 0x0a, 0x8f, 0x39 } };
static const IID ShellWindowsInterface =
    { 0x85cb6900, 0x4d95, 0x11cf, { 0x96, 0x0c, 0x00, 0x80, 0xc7, 0xf4, 0xee, 0x85 } };

static HRESULT OpenShellWindows(IShellWindows** list)
{
    return CoCreateInstance(ShellWindowsClass, 0, CLSCTX_LOCAL_SERVER, ShellWindowsInterface,
                            reinterpret_cast<void**>(list));
}

HRESULT (*OpenFolderListCall)(IShellWindows** list) = OpenShellWindows;

// Everything below but the mailbox belongs to the list's thread alone.

// OLEAUT32 carries the ID list to the shell as a byte array. It is loaded by the
// list's thread once start-up is over, never before.
typedef SAFEARRAY* (WINAPI *SafeArrayCreateVectorProc)(VARTYPE type, LONG lowerBound,
                                                      ULONG count);
typedef HRESULT (WINAPI *SafeArrayDestroyProc)(SAFEARRAY* array);

static IShellWindows* ShellList;
static VARIANT ListedFolder;            // the folder's ID list, VT_ARRAY | VT_UI1
static char ListedFolderPath[PathBufferSize];   // the path it was made from
static FolderListRetry Retry;           // when to try again after a failed opening

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
// not convert whole is refused, never cut. Kept for the next question.
static bool MakeFolderLocation(const char* folder)
{
    if (V_VT(&ListedFolder) == (VT_ARRAY | VT_UI1) && SameText(ListedFolderPath, folder))
        return true;
    DestroyFolderLocation();
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
        CopyText(ListedFolderPath, sizeof ListedFolderPath, folder);
    }
    ILFree(idList);
    return bytes != 0;
}

static void ReleaseList()
{
    if (ShellList != 0)
        ShellList->Release();
    ShellList = 0;
}

// Explorer serves the list from its own process. Where it does not (restarting,
// hung, or another shell), opening fails after seconds (folder_search.h says
// when it is tried again).
static void OpenListFor(unsigned request)
{
    if (ShellList != 0 || !MayOpenFolderList(Retry, request, GetTickCount()))
        return;
    IShellWindows* list = 0;
    bool opened = SUCCEEDED(OpenFolderListCall(&list)) && list != 0;
    if (opened)
        ShellList = list;
    NoteFolderListOpened(&Retry, opened, request, GetTickCount());
}

static HWND FindListedWindow(const char* folder)
{
    if (ShellList == 0 || folder[0] == '\0' || !MakeFolderLocation(folder))
        return 0;
    VARIANT noRoot;
    V_VT(&noRoot) = VT_EMPTY;
    long found = 0;
    IDispatch* window = 0;
    HRESULT result = ShellList->FindWindowSW(&ListedFolder, &noRoot, SWC_EXPLORER, &found, 0,
                                             &window);
    if (window != 0)
        window->Release();
    if (FAILED(result))
        ReleaseList();      // its Explorer has gone: the next question opens it anew
    // Window handles are 32-bit values, sign-extended in a 64-bit process.
    return result == S_OK ? reinterpret_cast<HWND>(static_cast<LONG_PTR>(found)) : 0;
}

// The mailbox: the one question not yet taken up.
struct Question {
    char folder[PathBufferSize];
    unsigned request;
    bool pending;
};
static Question Asked;

static void AnswerQuestions();
static void LetGoOfList()
{
    ReleaseList();
    DestroyFolderLocation();
    FolderListRetry afresh = { false, 0, 0, 0 };
    Retry = afresh;
}

static ShellWorker ListThread = { AnswerQuestions, LetGoOfList, 0, 0, 0, 0, {}, false };

static bool TakeQuestion(Question* out)
{
    EnterCriticalSection(&ListThread.lock);
    bool taken = Asked.pending && ServesShellWorker(&ListThread);
    if (taken) {
        *out = Asked;
        Asked.pending = false;
    }
    LeaveCriticalSection(&ListThread.lock);
    return taken;
}

static void AnswerQuestions()
{
    Question question;
    while (TakeQuestion(&question)) {
        OpenListFor(question.request);
        HWND window = FindListedWindow(question.folder);
        PostMessageA(MainWindow, FolderListAnswerMessage,
                     FolderListAnswer(question.request, ShellList != 0),
                     reinterpret_cast<LPARAM>(window));
    }
}

static bool Ask(const char* folder, unsigned request)
{
    if (!WakeShellWorker(&ListThread))
        return false;
    EnterCriticalSection(&ListThread.lock);
    bool asked = CopyText(Asked.folder, sizeof Asked.folder, folder);
    Asked.request = request;
    Asked.pending = asked;
    LeaveCriticalSection(&ListThread.lock);
    return asked && WakeShellWorker(&ListThread);
}

void OpenShellFolderListAhead()
{
    Ask("", 0);
}

bool AskShellFolderList(const char* folder, unsigned request)
{
    return folder[0] != '\0' && Ask(folder, request);
}

bool CloseShellFolderList(DWORD waitMs)
{
    return StopShellWorker(&ListThread, waitMs);
}
