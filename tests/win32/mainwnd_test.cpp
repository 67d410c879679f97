// The control window from its template, its requests and its keyboard handling.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../tools/gdi_count.h"
#include "core/globals.h"
#include "hook/hook_contract.h"
#include "label_support.h"
#include "paint/styled_label.h"
#include "ui/main_scale.h"
#include "ui/mainwnd.h"
#include "shell/shell_folder_list.h"
#include "shell/shell_open.h"
#include "shell/shell_worker.h"
#include "win32_support.h"
#include "../tools/shell_listing.h"
#include "../tools/window_probe.h"

namespace {

class ControlWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(OpenControlWindow(folder_));
    }
    void TearDown() override { CloseControlWindow(); }
    int FocusedId() { return GetDlgCtrlID(GetFocus()); }
    void Show() { SendMessageA(MainWindow, PrivateMessage, REQUEST_SHOW_WINDOW, 0); }
    ScratchFolder folder_;
};

TEST_F(ControlWindow, IsCreatedHiddenTopmostFromItsTemplate)
{
    EXPECT_FALSE(IsWindowVisible(MainWindow));
    LONG exStyle = GetWindowLongA(MainWindow, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(GetWindowLongA(MainWindow, GWL_STYLE) & WS_SYSMENU);
    char text[64];
    GetWindowTextA(MainWindow, text, sizeof text);
    EXPECT_STREQ("ClickPocket 1.0", text);
    GetClassNameA(MainWindow, text, sizeof text);
    EXPECT_STREQ("clickpocket", text);
    for (int id : { 100, 101, 102, 103, 104, 105, 106, 500 })
        EXPECT_NE(nullptr, GetDlgItem(MainWindow, id)) << id;
    GetDlgItemTextA(MainWindow, IdShiftOption, text, sizeof text);
    EXPECT_STREQ("If the Left Shift key is pressed", text);
}

TEST_F(ControlWindow, AnyNonZeroRequestShowsItWithTheFocusOnHide)
{
    for (WPARAM request : { WPARAM(1), WPARAM(2), ~WPARAM(0) }) {
        ShowWindow(MainWindow, SW_HIDE);
        SetFocus(GetDlgItem(MainWindow, IdExit));
        SendMessageA(MainWindow, PrivateMessage, request, 0);
        EXPECT_TRUE(IsWindowVisible(MainWindow)) << request;
        EXPECT_EQ(IdHide, FocusedId()) << request;
    }
}

TEST_F(ControlWindow, NoMessageIsTakenForTheRequestBeforeItIsRegistered)
{
    PrivateMessage = 0;
    SendMessageA(MainWindow, 0, REQUEST_SHOW_WINDOW, 0);    // WM_NULL stays WM_NULL
    EXPECT_FALSE(IsWindowVisible(MainWindow));
}

TEST_F(ControlWindow, HideCommandAndHideMainWindowBothHide)
{
    Show();
    SendMessageA(MainWindow, WM_COMMAND, IdHide, 0);
    EXPECT_FALSE(IsWindowVisible(MainWindow));
    Show();
    SetFocus(GetDlgItem(MainWindow, IdExit));
    HideMainWindow(MainWindow);
    EXPECT_FALSE(IsWindowVisible(MainWindow));
}

TEST_F(ControlWindow, TabWalksTheControlsInTemplateOrder)
{
    Show();
    SetFocus(GetDlgItem(MainWindow, IdDownload));
    const int order[] = { 101, 102, 103, 104, 105, 500, 106, 100 };
    for (int expected : order) {
        MSG tab = { GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, { 0, 0 } };
        ASSERT_TRUE(IsDialogMessageA(MainWindow, &tab));
        EXPECT_EQ(expected, FocusedId());
    }
    SendMessageA(MainWindow, WM_NEXTDLGCTL, 1, 0);             // Shift+Tab goes back
    EXPECT_EQ(106, FocusedId());
}

TEST_F(ControlWindow, EnterRunsTheFocusedCommandAndEscapeDoesNothing)
{
    Show();
    SendMessageA(MainWindow, WM_COMMAND, IDCANCEL, 0);
    PumpMessages(50);
    EXPECT_TRUE(IsWindowVisible(MainWindow));
    SetFocus(GetDlgItem(MainWindow, IdHide));
    SendMessageA(MainWindow, WM_COMMAND, IDOK, 0);
    PumpMessages(50);
    EXPECT_FALSE(IsWindowVisible(MainWindow));
}

TEST_F(ControlWindow, ClosingAsksFirstAndNoKeepsEverything)
{
    MessageBoxWatcher watcher(IDNO);
    SetFocus(GetDlgItem(MainWindow, IdExit));
    SendMessageA(MainWindow, WM_CLOSE, 0, 0);           // hidden, and still asks
    ASSERT_TRUE(IsWindow(MainWindow));
    EXPECT_EQ(IdHide, FocusedId());
    std::vector<SeenMessageBox> seen = watcher.seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Your attention please!", seen[0].caption);
    EXPECT_EQ(MainWindow, seen[0].owner);
    std::string folder = folder_.path().substr(0, folder_.path().size() - 1);
    EXPECT_NE(std::string::npos, seen[0].text.find("folder:\n\n" + folder + "\n\nAre you sure"));
}

// Where each control stands in the window's client area, in child order.
std::vector<RECT> ControlRects(HWND window)
{
    std::vector<RECT> rects;
    for (HWND child = GetWindow(window, GW_CHILD); child != 0;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(0, window, reinterpret_cast<POINT*>(&r), 2);
        rects.push_back(r);
    }
    return rects;
}

int IconWidthOf(HWND control)
{
    return IconWidth(reinterpret_cast<HICON>(SendMessageA(control, STM_GETICON, 0, 0)));
}

// The window as the template puts it at `dpi`: its client area, and each control
// where it stands; the icon control, which takes its icon's size, at its place.
void ExpectTemplateLayout(HWND window, UINT dpi)
{
    MainLayout layout;
    ASSERT_TRUE(LayOutMainTemplate(dpi, &layout));
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(layout.client.cx, client.right);
    EXPECT_EQ(layout.client.cy, client.bottom);
    std::vector<RECT> rects = ControlRects(window);
    ASSERT_EQ(static_cast<size_t>(layout.count), rects.size());
    for (int i = 0; i < layout.count; ++i) {
        SCOPED_TRACE(testing::Message() << "control " << i);
        const RECT& want = layout.controls[i];
        EXPECT_EQ(want.left, rects[i].left);
        EXPECT_EQ(want.top, rects[i].top);
        if (i == 0)
            continue;
        EXPECT_EQ(want.right, rects[i].right);
        EXPECT_EQ(want.bottom, rects[i].bottom);
    }
}

// At the DPI the tests run at: the template laid out as the dialog manager laid
// it out (the same arithmetic follows a change of DPI), and every text of the
// shown window fits its control.
TEST_F(ControlWindow, LaysOutAsTheDialogManagerAndEveryTextFitsAtTheDisplayDpi)
{
    ExpectTemplateLayout(MainWindow, ScreenDpi());
    Show();
    PumpMessages(100);
    EXPECT_EQ(ScaleToDpi(32, ScreenDpi()), IconWidthOf(GetWindow(MainWindow, GW_CHILD)));
    EXPECT_EQ("", TextsThatDoNotFit(MainWindow));
}

// Moved to monitors of other scales, the window follows by itself, since the
// dialog manager never sees it: the size and layout of its template at the new
// DPI (also what it answers WM_GETDPISCALEDSIZE), the template's font for the
// DPI, the icon at its size, and every button drawn in fonts for it. Its own
// font and icon are freed as the next ones come. The last three changes play a
// Windows that cannot tell the frame or the metrics at a DPI.
TEST_F(ControlWindow, FollowsAChangeOfDpiFromItsTemplate)
{
    Show();
    PumpMessages(100);
    DisplayAt display(ScreenDpi());
    long gdiAfterFirst = 0;
    UINT from = ScreenDpi();
    int step = 0;
    for (UINT to : { 192u, 144u, 96u, 120u, 336u, 192u, 144u, 96u }) {
        SCOPED_TRACE(testing::Message() << from << " to " << to << " DPI");
        display.Play(to);
        if (++step == 6)
            display.WithoutNewerCalls();
        SIZE asked = { 0, 0 };
        EXPECT_EQ(TRUE, SendMessageA(MainWindow, WM_GETDPISCALEDSIZE, to,
                                     reinterpret_cast<LPARAM>(&asked)));
        RECT before;
        GetWindowRect(MainWindow, &before);
        SendDpiChange(MainWindow, from, to);
        PumpMessages(30);
        RECT frame;
        GetWindowRect(MainWindow, &frame);
        EXPECT_EQ(before.left, frame.left);
        EXPECT_EQ(before.top, frame.top);
        ExpectTemplateLayout(MainWindow, to);
        // The size asked for is the template's client area in the frame of that
        // DPI: under Wine the frame is drawn at the screen's DPI whatever is
        // played, so it is the window's own size only there.
        MainLayout layout;
        ASSERT_TRUE(LayOutMainTemplate(to, &layout));
        EXPECT_GT(asked.cx, layout.client.cx);
        EXPECT_GT(asked.cy, layout.client.cy);
        if (to == ScreenDpi()) {
            EXPECT_EQ(asked.cx, frame.right - frame.left);
            EXPECT_EQ(asked.cy, frame.bottom - frame.top);
        }
        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(MainWindow, IdShiftOption,
                                                               WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        EXPECT_EQ(-MulDiv(8, to, 72), font.lfHeight);
        EXPECT_STREQ("MS Sans Serif", font.lfFaceName);
        for (int id = IdDownload; id <= IdContest; ++id) {
            int index = FindLabelSlot(GetDlgItem(MainWindow, id));
            ASSERT_NE(LabelSlotCount, index) << id;
            EXPECT_EQ(-MulDiv(id == IdContest ? 19 : 10, LayoutDpiAt(to), 72),
                      LabelSlots[index]->font->lfHeight)
                << id;
        }
        EXPECT_EQ(ScaleToDpi(32, to), IconWidthOf(GetWindow(MainWindow, GW_CHILD)));
        if (gdiAfterFirst == 0)
            gdiAfterFirst = CountGdiObjects(GetCurrentProcess());
        from = to;
    }
    EXPECT_EQ(gdiAfterFirst, CountGdiObjects(GetCurrentProcess())) << "fonts or icons left behind";
    EXPECT_EQ(IdHide, GetDlgCtrlID(GetFocus())) << "the focus moved";
}

std::wstring Wide(const std::string& path)
{
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    return wide;
}

// Catches what the shell's threads post to the control window: MainWindow is
// this window for the length of a test.
class PostedToControlWindow {
public:
    PostedToControlWindow() : saved_(MainWindow)
    {
        MainWindow = window_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                               0, 0, 0);
    }
    ~PostedToControlWindow()
    {
        DestroyWindow(window_);
        MainWindow = saved_;
    }
    // The next message of that kind, taken within ms: its wParam and lParam.
    bool Take(UINT message, WPARAM* wParam, LPARAM* lParam, DWORD ms = 15000)
    {
        for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(5)) {
            MSG posted;
            if (PeekMessageA(&posted, window_, message, message, PM_REMOVE)) {
                *wParam = posted.wParam;
                *lParam = posted.lParam;
                return true;
            }
        }
        return false;
    }
    // The window the list names for the folder, asked for request 7.
    HWND Listed(const std::string& folder)
    {
        WPARAM answer = 0;
        LPARAM window = 0;
        if (!AskShellFolderList(folder.c_str(), 7)
            || !Take(FolderListAnswerMessage, &answer, &window))
            return reinterpret_cast<HWND>(-1);   // no answer at all
        EXPECT_EQ(7u, FolderListAnswerRequest(answer));
        return reinterpret_cast<HWND>(window);
    }
private:
    HWND saved_;
    HWND window_;
};

// The shell's list of folder windows names the window by the folder's ID list,
// built from its UTF-16 path (here in a folder named outside Wine's code page),
// whatever its title; a copy of the folder is another folder. It is asked on a
// thread of its own, which answers by a posted message.
TEST(ShellFolderList, NamesTheWindowListedForTheFolderAndNoOther)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(0, COINIT_APARTMENTTHREADED)));
    PostedToControlWindow posted;
    ScratchFolder base;
    std::string pocket = base.path() + "\xe8\xb5\x84\xe6\x96\x99 Caf\xc3\xa9";  // UTF-8
    std::string copy = pocket + "\\My ClickPocket - Copy";
    pocket += "\\My ClickPocket";
    ASSERT_TRUE(CreateDirectoryA(pocket.substr(0, pocket.rfind('\\')).c_str(), 0));
    ASSERT_TRUE(CreateDirectoryA(pocket.c_str(), 0));
    ASSERT_TRUE(CreateDirectoryA(copy.c_str(), 0));
    HWND copyWindow = CreateWindowExA(0, "STATIC", "My ClickPocket - Copy - File Explorer",
                                      WS_POPUP, 0, 0, 10, 10, 0, 0, 0, 0);
    HWND folderWindow = CreateWindowExA(0, "STATIC", "My ClickPocket and 2 more tabs",
                                        WS_POPUP, 0, 0, 10, 10, 0, 0, 0, 0);
    ShellListing listedCopy, listedFolder;
    ASSERT_TRUE(ListWindowForFolder(copyWindow, Wide(copy).c_str(), &listedCopy));
    EXPECT_EQ(nullptr, posted.Listed(pocket));
    ASSERT_TRUE(ListWindowForFolder(folderWindow, Wide(pocket).c_str(), &listedFolder));
    EXPECT_EQ(folderWindow, posted.Listed(pocket));
    UnlistWindow(&listedFolder);                   // closed: the same list no longer names it
    EXPECT_EQ(nullptr, posted.Listed(pocket));
    EXPECT_EQ(copyWindow, posted.Listed(copy));
    // A path that is no text of this code page is refused, not cut short.
    EXPECT_EQ(nullptr, posted.Listed(copy + "\xff"));
    CloseShellFolderList(10000);
    UnlistWindow(&listedCopy);
    DestroyWindow(copyWindow);
    DestroyWindow(folderWindow);
    CoUninitialize();
}

// The shell takes 3 s to open the folder and the list 5 s to open (a sleeping
// drive, no Explorer serving the list): the control window's thread answers
// throughout. The folder goes to the shell with no owner window, and without the
// shell's own error UI: a refusal is the program's own box.
SHELLEXECUTEINFOA HandedOver;
int ShellOpenings;
BOOL ShellOpenResult;

BOOL WINAPI SlowShellExecute(SHELLEXECUTEINFOA* info)
{
    HandedOver = *info;
    Sleep(3000);
    info->hInstApp = reinterpret_cast<HINSTANCE>(ShellOpenResult ? 42 : 2);
    ++ShellOpenings;
    return ShellOpenResult;
}

HRESULT SlowFolderList(IShellWindows**)
{
    Sleep(5000);
    return 0x80040152;      // what Wine answers where nobody serves the list
}

TEST_F(ControlWindow, AnswersWhileTheShellAndItsListTakeSeconds)
{
    HRESULT (*listCall)(IShellWindows**) = OpenFolderListCall;
    for (BOOL opened : { TRUE, FALSE }) {
        ShellExecuteCall = SlowShellExecute;
        OpenFolderListCall = SlowFolderList;
        ShellOpenResult = opened;
        ShellOpenings = 0;
        MessageBoxWatcher watcher(IDOK);
        OpenShellFolderListAhead();
        SendMessageA(MainWindow, PrivateMessage, REQUEST_OPEN_FOLDER, 0);
        SendMessageA(MainWindow, PrivateMessage, REQUEST_OPEN_FOLDER, 0);  // under way: one opening
        Pinger ping = {};
        ping.window = MainWindow;
        ping.limitMs = 6000;
        HANDLE pinger = CreateThread(0, 0, PingOnThread, &ping, 0, 0);
        ASSERT_NE(nullptr, pinger);
        while (MsgWaitForMultipleObjects(1, &pinger, FALSE, 10000, QS_ALLINPUT) != WAIT_OBJECT_0)
            PumpMessages(1);
        CloseHandle(pinger);
        EXPECT_LT(ping.longestMs, 1000) << opened;
        EXPECT_GT(ping.answers, 10u) << opened;
        EXPECT_EQ(0u, ping.unanswered) << opened;
        EXPECT_EQ(1, ShellOpenings);
        EXPECT_EQ(PocketDir, std::string(HandedOver.lpFile));
        EXPECT_EQ(nullptr, HandedOver.hwnd);
        EXPECT_TRUE(HandedOver.fMask & SEE_MASK_FLAG_NO_UI);
        std::vector<SeenMessageBox> seen = watcher.seen();
        ASSERT_EQ(opened ? 0u : 1u, seen.size());
        if (!opened) {
            EXPECT_EQ(MainWindow, seen[0].owner);
            EXPECT_EQ(0u, seen[0].text.find("Failed to open folder \"My ClickPocket\" !"));
        }
        CloseShellFolderList(10000);
        StopShellOpening(10000);
    }
    ShellExecuteCall = ShellExecuteExA;
    OpenFolderListCall = listCall;
}

// A document whose opening does not come back (an "Open with" box, a browser's
// DDE that hangs) and a folder opening that does not either: a folder request
// is never held behind the document, and one the shell has not answered in 10 s
// is given up, the next going to a fresh thread.
HANDLE ShellGoesOn;
LONG FolderOpenings;
DWORD FolderThreads[4];

BOOL WINAPI ShellThatHangs(SHELLEXECUTEINFOA* info)
{
    if (PocketDir != std::string(info->lpFile)) {
        WaitForSingleObject(ShellGoesOn, 30000);
        return TRUE;
    }
    LONG opening = InterlockedIncrement(&FolderOpenings);
    FolderThreads[opening & 3] = GetCurrentThreadId();
    if (opening == 1)
        WaitForSingleObject(ShellGoesOn, 30000);
    return TRUE;
}

bool FolderOpeningsReach(LONG count, DWORD ms)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; PumpMessages(10)) {
        if (FolderOpenings >= count)
            return true;
    }
    return false;
}

TEST_F(ControlWindow, AFolderNeverWaitsBehindADocumentNorOnAShellThatHangs)
{
    WriteFile(folder_.file("license.txt"), "");
    ShellGoesOn = CreateEventA(0, TRUE, FALSE, 0);
    FolderOpenings = 0;
    ShellExecuteCall = ShellThatHangs;
    SendMessageA(MainWindow, WM_COMMAND, IdLicense, 0);
    PumpMessages(200);                                      // the document is with the shell
    SendMessageA(MainWindow, PrivateMessage, REQUEST_OPEN_FOLDER, 0);
    EXPECT_TRUE(FolderOpeningsReach(1, 1000));
    PumpMessages(9000);                                     // that one is still out
    SendMessageA(MainWindow, PrivateMessage, REQUEST_OPEN_FOLDER, 0);
    EXPECT_EQ(1, FolderOpenings);
    PumpMessages(1500);                                     // past 10 s: given up
    SendMessageA(MainWindow, PrivateMessage, REQUEST_OPEN_FOLDER, 0);
    EXPECT_TRUE(FolderOpeningsReach(2, 1000));
    EXPECT_NE(FolderThreads[1], FolderThreads[2]);
    SetEvent(ShellGoesOn);
    EXPECT_TRUE(StopShellOpening(10000));
    CloseShellFolderList(10000);
    ShellExecuteCall = ShellExecuteExA;
    CloseHandle(ShellGoesOn);
}

// Shell code, or another program, may post WM_QUIT to a worker's thread: it
// ends, and the next request starts it again.
BOOL WINAPI ShellThatQuits(SHELLEXECUTEINFOA*)
{
    InterlockedIncrement(&FolderOpenings);
    PostQuitMessage(0);
    return TRUE;
}

HRESULT ListThatQuits(IShellWindows**)
{
    PostQuitMessage(0);
    return E_FAIL;
}

TEST(ShellWorkers, AWorkerThatEndsIsStartedAgainByTheNextRequest)
{
    PostedToControlWindow posted;
    ShellExecuteCall = ShellThatQuits;
    HRESULT (*listCall)(IShellWindows**) = OpenFolderListCall;
    OpenFolderListCall = ListThatQuits;
    FolderOpenings = 0;
    WPARAM wParam;
    LPARAM lParam;
    for (unsigned request = 1; request <= 3; ++request) {
        ASSERT_TRUE(OpenFolderInShell("C:\\", request));
        ASSERT_TRUE(posted.Take(FolderOpenedMessage, &wParam, &lParam, 5000)) << request;
        EXPECT_EQ(request, wParam);
        ASSERT_TRUE(AskShellFolderList("C:\\", request));
        ASSERT_TRUE(posted.Take(FolderListAnswerMessage, &wParam, &lParam, 5000)) << request;
        EXPECT_EQ(request, FolderListAnswerRequest(wParam));
        Sleep(200);                                         // each has ended meanwhile
    }
    EXPECT_EQ(3, FolderOpenings);
    CloseShellFolderList(5000);
    StopShellOpening(5000);
    ShellExecuteCall = ShellExecuteExA;
    OpenFolderListCall = listCall;
}

}  // namespace
