#include "mainwnd.h"

#include "about.h"
#include "contest.h"
#include "main_scale.h"
#include "missing_document.h"
#include "../core/autostart.h"
#include "../core/globals.h"
#include "../core/messages.h"
#include "../core/text_util.h"
#include "../core/flag_files.h"
#include "../hook/bridge.h"
#include "../hook/hook_contract.h"
#include "../paint/owner_button.h"
#include "../shell/documents.h"
#include "../shell/flag_writer.h"
#include "../shell/folder_search.h"
#include "../shell/shell_folder_list.h"
#include "../shell/shell_open.h"

void HideMainWindow(HWND window)
{
    SetFocus(GetDlgItem(window, IdHide));
    ShowWindow(window, SW_HIDE);
}

// A box or dialog of the control window's own, up while the window is disabled
// beneath it: brought above the topmost window, to the front, to be answered.
static BOOL CALLBACK RaiseOwnModal(HWND window, LPARAM)
{
    if (GetWindow(window, GW_OWNER) != MainWindow || !IsWindowVisible(window)
        || !IsWindowEnabled(window))
        return TRUE;
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
    return FALSE;
}

static void ShowMainWindow()
{
    ShowWindow(MainWindow, SW_SHOW);
    if (!IsWindowEnabled(MainWindow)) {
        EnumThreadWindows(GetCurrentThreadId(), RaiseOwnModal, 0);
        return;
    }
    SetForegroundWindow(MainWindow);
    SetFocus(GetDlgItem(MainWindow, IdHide));
}

static void* FindTopLevel(const char* title, void* after)
{
    return FindWindowExA(0, static_cast<HWND>(after), 0, title);
}

static bool IsShown(void* window)
{
    return IsWindowVisible(static_cast<HWND>(window)) != FALSE;
}

// A class name is the window's own, read without a message to its thread.
static bool IsExplorerWindow(void* window)
{
    char className[16];
    if (GetClassNameA(static_cast<HWND>(window), className, sizeof className) == 0)
        return false;
    return lstrcmpA(className, "CabinetWClass") == 0 || lstrcmpA(className, "ExploreWClass") == 0;
}

// A folder request, from the click to the raised folder window. The shell opens
// the folder on a thread of its own and says when it is done
// (FolderOpenedMessage); the search for its window then runs from a timer of the
// control window, and asks the shell's list of folder windows between attempts,
// on that list's own thread (FolderListAnswerMessage). This thread looks at the
// titles, raises the window and shows the boxes: nothing here waits on another
// process.
static FolderSearch PendingSearch;
enum { FolderSearchTimer = 1 };
// The shell's answer for the folder: a request it has not answered in this time
// is given up, and the next goes to a fresh thread (shell_open.h).
enum { FolderOpenTimer = 3, FolderOpenGiveUpMs = 10000 };
static unsigned FolderRequest;          // number of the latest request (never 0)
static unsigned OpeningRequest;         // the request whose folder is with the shell, or 0
static bool OpeningCancelled;           // asked for something else meanwhile: no search
static bool FolderBoxShowing;           // "Failed to open folder" is on screen
static bool ListOpen;                   // what the list's latest answer says of it
static bool ListQuestionOut;            // asked for the search under way, not answered yet
static HWND ListedWindow;               // the list's latest answer for that search

static void EndFolderSettling();

static void EndFolderSearch()
{
    StopFolderSearch(&PendingSearch);
    KillTimer(MainWindow, FolderSearchTimer);
    EndFolderSettling();
    OpeningCancelled = OpeningRequest != 0;
}

// After the raise the folder window is given the foreground again, for a few
// attempts' time, should it have fallen to the desktop or back to the control
// window: under Wine, hiding the control window hands the keyboard focus on
// through the X server some tens of ms later, and the desktop may take it. A
// window of another program that the user went on to is left in front.
enum { FolderSettleTimer = 2, FolderSettleChecks = 3 };
static HWND RaisedFolder;
static int SettleChecksLeft;

static void RaiseFolderWindow(HWND folder)
{
    // Passing through the topmost band lifts the folder above every other window.
    // Posted to the folder window's thread, which activates nothing of itself:
    // a busy Explorer keeps no one waiting.
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS;
    SetWindowPos(folder, HWND_TOPMOST, 0, 0, 0, 0, flags);
    SetForegroundWindow(folder);
    SetWindowPos(folder, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    HideMainWindow(MainWindow);
    SetForegroundWindow(folder);
    RaisedFolder = folder;
    SettleChecksLeft = FolderSettleChecks;
    SetTimer(MainWindow, FolderSettleTimer, FolderSearchPauseMs, 0);
}

static void EndFolderSettling()
{
    RaisedFolder = 0;
    KillTimer(MainWindow, FolderSettleTimer);
}

static bool LostToNobody(HWND foreground)
{
    return foreground == 0 || foreground == GetDesktopWindow() || foreground == GetShellWindow()
        || foreground == MainWindow;
}

static void SettleFolderWindow()
{
    HWND foreground = GetForegroundWindow();
    if (RaisedFolder != 0 && foreground != RaisedFolder && IsWindowVisible(RaisedFolder)
        && LostToNobody(foreground))
        SetForegroundWindow(RaisedFolder);
    if (--SettleChecksLeft <= 0)
        EndFolderSettling();
}

static const FolderSearchOps SearchOps = { FindTopLevel, IsShown, IsExplorerWindow };

static void TakeFolderWindow(HWND folder)
{
    if (!PendingSearch.active)
        KillTimer(MainWindow, FolderSearchTimer);
    if (folder != 0)
        RaiseFolderWindow(folder);
}

// One attempt; the timer runs while attempts remain and stops when the search
// ends. A question still unanswered from the attempt before means a slow list:
// the titles decide alone until it answers.
static void ContinueFolderSearch()
{
    FolderListView list = { ListOpen && !ListQuestionOut, ListedWindow };
    TakeFolderWindow(static_cast<HWND>(TryFolderSearch(&PendingSearch, PocketDir, list,
                                                       SearchOps)));
    if (PendingSearch.active && !ListQuestionOut)
        ListQuestionOut = AskShellFolderList(PocketDir, FolderRequest);
}

static void OnFolderListAnswer(WPARAM wParam, LPARAM lParam)
{
    ListOpen = FolderListAnswerOpen(wParam);
    if (FolderListAnswerRequest(wParam) != FolderRequest || !PendingSearch.active)
        return;
    ListQuestionOut = false;
    ListedWindow = reinterpret_cast<HWND>(lParam);
    FolderListView list = { ListOpen, ListedWindow };
    TakeFolderWindow(static_cast<HWND>(RecheckFolderSearch(&PendingSearch, PocketDir, list,
                                                           SearchOps)));
}

static void ShowFolderOpenError()
{
    char text[MessageBufferSize];
    FormatText(text, sizeof text, FolderOpenErrorPattern, PocketDir);
    FolderBoxShowing = true;
    MessageBoxA(MainWindow, text, AppCaption, MB_ICONWARNING);
    FolderBoxShowing = false;
}

static void OnFolderOpened(unsigned request, bool opened)
{
    if (request == 0 || request != OpeningRequest)
        return;     // one given up, or from before
    OpeningRequest = 0;
    KillTimer(MainWindow, FolderOpenTimer);
    if (!opened) {
        ShowFolderOpenError();
        return;
    }
    if (OpeningCancelled)
        return;
    StartFolderSearch(&PendingSearch);
    ListQuestionOut = false;
    ListedWindow = 0;
    ContinueFolderSearch();
    if (PendingSearch.active)
        SetTimer(MainWindow, FolderSearchTimer, FolderSearchPauseMs, 0);
}

// Folder requests go on arriving, one per middle click, while the shell opens the
// folder and inside the modal loop of the box that says it cannot be opened. The
// request under way answers for them all, and the box on screen says it: a pile
// of boxes would only grow the stack.
static void OpenPocketFolder()
{
    if (OpeningRequest != 0 || FolderBoxShowing)
        return;
    EndFolderSearch();      // a new request starts the count again
    if (++FolderRequest == 0)
        ++FolderRequest;
    OpeningCancelled = false;
    OpeningRequest = FolderRequest;
    if (!OpenFolderInShell(PocketDir, FolderRequest)) {
        OpeningRequest = 0;
        ShowFolderOpenError();
        return;
    }
    SetTimer(MainWindow, FolderOpenTimer, FolderOpenGiveUpMs, 0);
}

// The shell is still inside the request after seconds: a box of its own, a share
// that does not answer. Its answer, should it come, is for a request given up.
static void GiveUpFolderRequest()
{
    KillTimer(MainWindow, FolderOpenTimer);
    if (OpeningRequest == 0)
        return;
    OpeningRequest = 0;
    GiveUpFolderOpening();
}

static void OnHookRequest(WPARAM request)
{
    if (request != REQUEST_OPEN_FOLDER) {
        EndFolderSearch();  // the window asked for stays shown
        ShowMainWindow();
    } else {
        OpenPocketFolder();
    }
}

// Whether the file is there is looked up by the worker that opens it, which says
// when it is not (DocumentMissingMessage).
static void OpenDocument(HWND window, InstallDocument document)
{
    HideMainWindow(window);
    OpenInstallDocument(document, MainWindow);
}

// The check box sends a command for its focus changes too (BS_NOTIFY), and Enter
// on it sends BN_CLICKED without changing it: the file follows only a change.
static void FollowShiftOption(HWND window, WORD code)
{
    bool on = IsDlgButtonChecked(window, IdShiftOption) == BST_CHECKED;
    if (code != BN_CLICKED || on == ShiftOptionPublished())
        return;
    // The running program follows at once, even when the file cannot follow.
    PublishShiftOption(on);
    if (!WriteShiftFlag(on))
        ShowFlagFileError(MainWindow, on ? FlagCodeShiftOn : FlagCodeShiftOff);
}

// A second Exit (another WM_CLOSE) can arrive while the confirmation is up: the
// box on screen already asks, and its answer decides.
static bool ExitConfirming;

static void ConfirmExit(HWND window)
{
    if (ExitConfirming)
        return;
    EndFolderSearch();      // the last thing asked for is the end
    char folder[PathBufferSize];
    FolderWithoutTrailingSeparator(InstallDir, folder, sizeof folder);
    char text[MessageBufferSize];
    FormatText(text, sizeof text, ExitConfirmPattern, folder);
    ExitConfirming = true;
    int answer = MessageBoxA(MainWindow, text, ExitCaption, MB_YESNO | MB_ICONQUESTION);
    ExitConfirming = false;
    // Ended meanwhile: the box then answers 0, which is no Yes.
    if (!IsWindow(window))
        return;
    if (answer == IDNO) {
        SetFocus(GetDlgItem(window, IdHide));
        return;
    }
    SetAutostart(MainWindow, false);
    DestroyWindow(MainWindow);
}

static void OnCommand(HWND window, WORD id, WORD code)
{
    switch (id) {
    case IDOK: {
        // Enter runs the command of whichever control has the focus.
        HWND focus = GetFocus();
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), 0),
                     reinterpret_cast<LPARAM>(focus));
        break;
    }
    case IdDownload:
        HideMainWindow(window);
        OpenInShell(FreewarePageUrl);
        break;
    case IdLicense:
        OpenDocument(window, LicenseDocument);
        break;
    case IdHelp:
        OpenDocument(window, ReadmeDocument);
        break;
    case IdAbout:
        HideMainWindow(window);
        DialogBoxParamA(AppInstance, "about", MainWindow, AboutDlgProc, 0);
        break;
    case IdExit:
        ConfirmExit(window);
        break;
    case IdHide:
        ShowWindow(MainWindow, SW_HIDE);
        break;
    case IdContest:
        HideMainWindow(window);
        if (ContestWindow != 0) {
            // Already open (the control window was called up meanwhile): bring it back.
            ShowWindow(ContestWindow, SW_SHOWNORMAL);
            SetForegroundWindow(ContestWindow);
        } else {
            DialogBoxParamA(AppInstance, "contest", 0, ContestDlgProc, 0);
        }
        break;
    case IdShiftOption:
        FollowShiftOption(window, code);
        break;
    default:
        break;      // Escape (IDCANCEL) and anything else: nothing
    }
}

// IsDialogMessage turns Tab into WM_NEXTDLGCTL for the window itself. A window of
// our own class answers it through DefWindowProc, which ignores it, so the focus
// move is done here.
static void OnNextDialogControl(HWND window, WPARAM wParam, LPARAM lParam)
{
    HWND target;
    if (LOWORD(lParam) != 0)
        target = reinterpret_cast<HWND>(wParam);
    else
        target = GetNextDlgTabItem(window, GetFocus(), wParam != 0);
    if (target != 0)
        SetFocus(target);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (PrivateMessage != 0 && message == PrivateMessage) {
        OnHookRequest(wParam);
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        SetUpButtonSkin();
        return 0;
    case WM_DRAWITEM:
        DrawMainButton(static_cast<UINT>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == FolderSearchTimer)
            ContinueFolderSearch();
        else if (wParam == FolderSettleTimer)
            SettleFolderWindow();
        else if (wParam == FolderOpenTimer)
            GiveUpFolderRequest();
        return 0;
    case FolderOpenedMessage:
        OnFolderOpened(static_cast<unsigned>(wParam), lParam != 0);
        return 0;
    case FolderListAnswerMessage:
        OnFolderListAnswer(wParam, lParam);
        return 0;
    case DocumentMissingMessage:
        ShowMissingDocument(MainWindow, static_cast<InstallDocument>(wParam));
        return 0;
    case ShiftFlagFailedMessage:
        ShowFlagFileError(MainWindow, wParam != 0 ? FlagCodeShiftOn : FlagCodeShiftOff);
        return 0;
    case WM_DESTROY:
        EndFolderSearch();
        TearDownHookBridge();
        return 0;
    case WM_CLOSE:
        // Closing is the Exit command, with its confirmation.
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IdExit, 1),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IdExit)));
        return 0;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NEXTDLGCTL:
        OnNextDialogControl(window, wParam, lParam);
        return 0;
    case WM_GETDPISCALEDSIZE:       // moving to a monitor of another scale
        return ScaleMainWindowSize(window, static_cast<UINT>(wParam),
                                   reinterpret_cast<SIZE*>(lParam));
    case WM_DPICHANGED:
        FollowMainWindowDpi(window, LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

static void RegisterMainClass()
{
    WNDCLASSEXA windowClass;
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;     // the class of a dialog template
    windowClass.hInstance = AppInstance;
    windowClass.hIcon = LoadIconA(AppInstance, "clickpocket");
    windowClass.hCursor = LoadCursorA(0, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszMenuName = 0;
    windowClass.lpszClassName = "clickpocket";
    windowClass.hIconSm = LoadIconA(AppInstance, "clickpocket");
    RegisterClassExA(&windowClass);
}

bool CreateMainWindow()
{
    RegisterMainClass();
    MainWindow = CreateDialogParamA(AppInstance, "clickpocket", 0, 0, 0);
    if (MainWindow == 0)
        return false;
    // Into the topmost band, without being moved, sized, redrawn or shown.
    SetWindowPos(MainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW);
    return true;
}

bool EndShellThreads()
{
    // About a second each: a thread still in the shell then ends with the process.
    bool listEnded = CloseShellFolderList(1000);
    bool flagEnded = StopFlagWriting(1000);
    return StopShellOpening(1000) && listEnded && flagEnded;
}
