// cpsmoke: checks a ClickPocket program folder from start to Exit on the PC it
// runs on, as a user would, and leaves the PC as it found it.
//   cpsmoke [--responsive-ms N] [program folder]   (default: the folder cpsmoke.exe
//   is in; N, the longest wait for the control window's answer: 50 ms)
// It prints one line per check ("<check>: passed", "<check>: FAILED: <why>" or
// "<check>: skipped: <why>") and last "N passed, N failed"; exit code 1 on any
// failure. The folder is copied, with welcome.dat, into a temporary folder and
// started from there; clicks go through SendInput to a window of cpsmoke's own
// (cpclicktarget.exe beside it, and cpclicktarget32.exe or cpclicktarget64.exe
// for the other bitness). Every wait has a limit; what it started it ends by
// handle; the "CLICKPOCKET" Run values are put back as they were, and the
// temporary folder deleted.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "shell_listing.h"
#include "smoke_input.h"
#include "smoke_system.h"
#include "window_probe.h"
#include "../../core/display_scale.h"
#include "../../hook/hook_contract.h"

enum {
    ReadyLimitMs = 15000, RunValueLimitMs = 3000, ShowLimitMs = 5000,
    FolderLimitMs = 10000, AfterRaiseMs = 500, SettleMs = 300, CloseLimitMs = 5000,
    ExitLimitMs = 10000, RemoveLimitMs = 15000
};
// The longest a sender may wait for the control window during a folder request:
// 50 ms on a Windows PC (--responsive-ms).
static unsigned long ResponsiveMs = 50;
static const int HideButton = 105;
static const char ControlTitle[] = "ClickPocket 1.0";
static const char ExitCaption[] = "Your attention please!";
// The name app/single_instance.cpp gives the mutex the running copy holds.
static const char InstanceMutexName[] = "Local\\ClickPocket.RunningCopy.cp_dn475dc";
static const WCHAR PocketTitle[] = L"My ClickPocket";
// The clicks go to a program of cpsmoke's own bitness, then to one of the other.
#ifdef _WIN64
static const char Build[] = "x86_64";
static const char OwnBitness[] = "64-bit program";
static const char OtherBitness[] = "32-bit program";
static const WCHAR OtherHelper[] = L"cpclicktarget32.exe";
#else
static const char Build[] = "i686";
static const char OwnBitness[] = "32-bit program";
static const char OtherBitness[] = "64-bit program";
static const WCHAR OtherHelper[] = L"cpclicktarget64.exe";
#endif

static int Passed, Failed;

static void Report(const char* verdict, const std::string& check, const char* format, va_list args)
{
    char detail[2048] = "";
    if (format != 0)
        vsnprintf(detail, sizeof detail, format, args);
    if (verdict[0] == 'p')
        printf(detail[0] ? "%s: passed (%s)\n" : "%s: passed\n", check.c_str(), detail);
    else
        printf("%s: %s: %s\n", check.c_str(), verdict, detail);
    fflush(stdout);
}

static bool Pass(const std::string& check, const char* format = 0, ...)
{
    va_list args;
    va_start(args, format);
    Report("passed", check, format, args);
    va_end(args);
    ++Passed;
    return true;
}

static bool Fail(const std::string& check, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Report("FAILED", check, format, args);
    va_end(args);
    ++Failed;
    return false;
}

static void Skip(const std::string& check, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Report("skipped", check, format, args);
    va_end(args);
}

static std::string TitleOf(HWND window)
{
    WCHAR title[512] = L"";
    if (window != 0)
        GetWindowTextW(window, title, 512);
    return "\"" + Utf8(title) + "\"";
}

static std::string ClassOf(HWND window)
{
    WCHAR name[256] = L"";
    GetClassNameW(window, name, 256);
    return Utf8(name);
}

static DWORD ProcessOf(HWND window)
{
    DWORD process = 0;
    if (window != 0)
        GetWindowThreadProcessId(window, &process);
    return process;
}

// Everything a run sets up, for the checks and for the clean-up.
struct Run {
    std::wstring toolFolder;
    std::wstring source;            // the program folder given
    std::wstring scratch;           // cpsmoke's temporary folder
    std::wstring install;           // the copy started: <scratch>\program
    std::wstring program;           // <install>\ClickPocket.exe
    std::wstring pocket;            // <install>\My ClickPocket
    std::vector<RunPlace> places;
    std::vector<RunValue> saved;
    std::vector<HWND> foreignPockets;   // windows titled "My ClickPocket" before the run
    POINT cursor;
    PROCESS_INFORMATION app;
    HWND relay;
    HWND control;
    IShellWindows* shellList;       // opened by the first look, kept as ClickPocket keeps it
};

// --- before anything is touched ---------------------------------------------------

static bool NoOtherCopy()
{
    const char* check = "no ClickPocket already runs in this session";
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, InstanceMutexName);
    bool held = mutex != 0 || GetLastError() == ERROR_ACCESS_DENIED;
    if (mutex != 0)
        CloseHandle(mutex);
    if (held || FindWindowA(0, RELAY_TITLE_READY) || FindWindowA(0, RELAY_TITLE_PENDING)
        || FindWindowA(0, "Welcome to ClickPocket !"))
        return Fail(check, "one runs (its start-up mutex or its windows are there): the test's "
                           "clicks would go to it; end it (Exit in its control window) and "
                           "run cpsmoke again");
    return Pass(check);
}

static BOOL CALLBACK NoteForeignPocket(HWND window, LPARAM param)
{
    WCHAR title[64];
    if (GetWindowTextW(window, title, 64) > 0 && lstrcmpW(title, PocketTitle) == 0)
        reinterpret_cast<Run*>(param)->foreignPockets.push_back(window);
    return TRUE;
}

static void SaveWhatIsTouched(Run* run)
{
    GetCursorPos(&run->cursor);
    run->places = RunPlaces();
    for (const RunPlace& place : run->places)
        run->saved.push_back(ReadRunValue(place));
    EnumWindows(NoteForeignPocket, reinterpret_cast<LPARAM>(run));
}

static bool SetUp(Run* run)
{
    const char* check = "a fresh copy of the program folder";
    run->program = run->source + L"\\ClickPocket.exe";
    if (!FileExistsW(run->program))
        return Fail(check, "no ClickPocket.exe in %s", Utf8(run->source).c_str());
    run->scratch = MakeScratchFolder();
    if (run->scratch.empty())
        return Fail(check, "no temporary folder could be made");
    run->install = run->scratch + L"\\program";
    run->program = run->install + L"\\ClickPocket.exe";
    run->pocket = run->install + L"\\" + PocketTitle;
    int copied = CreateDirectoryW(run->install.c_str(), 0)
        ? CopyProgramFiles(run->source, run->install) : -1;
    HANDLE welcome = CreateFileW((run->install + L"\\welcome.dat").c_str(), GENERIC_WRITE, 0, 0,
                                 CREATE_NEW, 0, 0);
    if (welcome != INVALID_HANDLE_VALUE)
        CloseHandle(welcome);
    if (copied < 0 || welcome == INVALID_HANDLE_VALUE)
        return Fail(check, "could not copy %s to %s", Utf8(run->source).c_str(),
                    Utf8(run->install).c_str());
    return Pass(check, "%d files and welcome.dat in %s", copied, Utf8(run->install).c_str());
}

// --- start ------------------------------------------------------------------------

static HWND ReadyRelayOf(DWORD process)
{
    for (HWND w = FindWindowExA(0, 0, 0, RELAY_TITLE_READY); w != 0;
         w = FindWindowExA(0, w, 0, RELAY_TITLE_READY)) {
        if (ProcessOf(w) == process)
            return w;
    }
    return 0;
}

static std::string BoxText(HWND box)
{
    WCHAR text[2048] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, 2048);
    std::string out = Utf8(text);
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

static bool Start(Run* run)
{
    const char* check = "start: ClickPocket gets ready";
    std::wstring command = L"\"" + run->program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(run->program.c_str(), &command[0], 0, 0, FALSE, 0, 0,
                        run->install.c_str(), &startup, &run->app))
        return Fail(check, "CreateProcess failed (error %lu)", GetLastError());
    DWORD start = GetTickCount();
    while ((run->relay = ReadyRelayOf(run->app.dwProcessId)) == 0) {
        HWND box = FindMessageBox(ControlTitle, run->app.dwProcessId);
        if (box != 0)
            return Fail(check, "it says \"%s\"", BoxText(box).c_str());
        if (WaitForSingleObject(run->app.hProcess, 0) == WAIT_OBJECT_0)
            return Fail(check, "it ended without a ready relay");
        if (GetTickCount() - start >= ReadyLimitMs)
            return Fail(check, "no ready relay within %d s", ReadyLimitMs / 1000);
        Sleep(20);
    }
    DWORD took = GetTickCount() - start;
    run->control = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(
        GetDlgItemInt(run->relay, RELAY_FIELD_MAIN_WINDOW, 0, FALSE)));
    if (ProcessOf(run->control) != run->app.dwProcessId)
        return Fail(check, "the relay names no window of ClickPocket's");
    return Pass(check, "ready after %lu ms", took);
}

// --- autostart and DPI ---------------------------------------------------------------

// The places whose Run value starts this copy, as "HKCU, HKLM (64-bit view)".
static std::string PlacesNamingProgram(const Run& run, int* count)
{
    std::string names;
    *count = 0;
    for (const RunPlace& place : run.places) {
        if (!RunValueNames(ReadRunValue(place), run.program))
            continue;
        names += (names.empty() ? "" : ", ") + std::string(place.name);
        ++*count;
    }
    return names;
}

static void CheckRunValueWritten(const Run& run)
{
    const char* check = "autostart: the Run value starts this copy";
    int count = 0;
    std::string where;
    for (DWORD start = GetTickCount(); GetTickCount() - start < RunValueLimitMs; Sleep(50)) {
        where = PlacesNamingProgram(run, &count);
        if (count > 0)
            break;
    }
    if (count == 1)
        Pass(check, "written under %s", where.c_str());
    else if (count == 0)
        Fail(check, "no CLICKPOCKET value under HKCU or HKLM names %s", Utf8(run.program).c_str());
    else
        Fail(check, "written under %s: it would start twice at log-on", where.c_str());
}

typedef UINT (WINAPI *GetDpiForWindowProc)(HWND);
typedef HANDLE (WINAPI *GetWindowDpiAwarenessContextProc)(HWND);
typedef int (WINAPI *GetAwarenessFromDpiAwarenessContextProc)(HANDLE);
typedef BOOL (WINAPI *AreDpiAwarenessContextsEqualProc)(HANDLE, HANDLE);

template <typename Proc> static Proc User32Call(const char* name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

static const char* AwarenessName(HANDLE context)
{
    GetAwarenessFromDpiAwarenessContextProc awareness =
        User32Call<GetAwarenessFromDpiAwarenessContextProc>("GetAwarenessFromDpiAwarenessContext");
    AreDpiAwarenessContextsEqualProc equal =
        User32Call<AreDpiAwarenessContextsEqualProc>("AreDpiAwarenessContextsEqual");
    if (context == 0 || awareness == 0)
        return "unknown";
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 is the pseudo-handle -4.
    if (equal != 0 && equal(context, reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4))))
        return "per-monitor v2";
    switch (awareness(context)) {
    case 0: return "unaware";
    case 1: return "system aware";
    case 2: return "per-monitor";
    default: return "invalid";
    }
}

static void RecordDpi(const Run& run)
{
    const char* check = "DPI of the control window (for the record)";
    GetDpiForWindowProc dpiFor = User32Call<GetDpiForWindowProc>("GetDpiForWindow");
    GetWindowDpiAwarenessContextProc contextOf =
        User32Call<GetWindowDpiAwarenessContextProc>("GetWindowDpiAwarenessContext");
    if (dpiFor == 0 || contextOf == 0) {
        Skip(check, "GetDpiForWindow needs Windows 10 version 1607");
        return;
    }
    UINT dpi = dpiFor(run.control);
    HDC screen = GetDC(0);
    int system = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(0, screen);
    if (dpi == 0)
        Fail(check, "GetDpiForWindow answers 0 for it");
    else {
        // The dialog font's base units there, which the layout grows by.
        SIZE units = DialogBaseUnits(dpi);
        Pass(check, "%u DPI, awareness %s; the screen at %d DPI; base units %ldx%ld "
             "(fonts and pictures as at %u DPI)", dpi, AwarenessName(contextOf(run.control)),
             system, units.cx, units.cy, LayoutDpiAt(dpi));
    }
}

// --- the clicks -----------------------------------------------------------------------

static bool IsForeignPocket(const Run& run, HWND window)
{
    for (HWND foreign : run.foreignPockets)
        if (foreign == window)
            return true;
    return false;
}

// The folder window, found as ClickPocket finds it: the window the shell's list
// names for the folder, else one titled "My ClickPocket" or with the full path
// (not one of those that were open before the run).
static HWND FindFolderWindow(Run* run, const char** how)
{
    if (run->shellList == 0)
        run->shellList = OpenShellList();
    HWND listed = run->shellList != 0 ? FindListedWindow(run->shellList, run->pocket.c_str()) : 0;
    if (listed != 0 && IsWindowVisible(listed)) {
        *how = "listed for the folder by the shell";
        return listed;
    }
    for (const WCHAR* title : { PocketTitle, run->pocket.c_str() }) {
        for (HWND w = FindWindowExW(0, 0, 0, title); w != 0; w = FindWindowExW(0, w, 0, title)) {
            if (IsWindowVisible(w) && !IsForeignPocket(*run, w)) {
                *how = "found by its title";
                return w;
            }
        }
    }
    return 0;
}

static void CloseFolderWindow(Run* run)
{
    const char* how;
    HWND folder = FindFolderWindow(run, &how);
    if (folder == 0)
        return;
    PostMessageW(folder, WM_CLOSE, 0, 0);
    for (DWORD start = GetTickCount(); IsWindow(folder) && GetTickCount() - start < CloseLimitMs;)
        Sleep(50);
}

static bool ClickPointReady(const ClickTarget& target, const std::string& on, POINT* point)
{
    std::string check = on + ": cpsmoke's window to click on is in front (not ClickPocket's check)";
    if (!TakeForeground(target.window))
        return Fail(check, "the foreground stays with %s", TitleOf(GetForegroundWindow()).c_str());
    if (!ClickPointOf(target.window, point))
        return Fail(check, "%s covers it", TitleOf(WindowFromPoint(*point)).c_str());
    return true;
}

static void CheckKeptFromTarget(const ClickTarget& target, int before, const std::string& check)
{
    Sleep(SettleMs);        // the release reaches the target's thread a moment later
    int reached = MiddleButtonMessages(target) - before;
    if (reached == 0)
        Pass(check);
    else
        Fail(check, "the target received %d middle button message(s)", reached);
}

static void LeftCtrlClick(const Run& run, const ClickTarget& target, const std::string& on)
{
    POINT point;
    if (!ClickPointReady(target, on, &point))
        return;
    int before = MiddleButtonMessages(target);
    DWORD start = GetTickCount();
    MiddleClickAt(point, true);
    HWND hide = GetDlgItem(run.control, HideButton);
    std::string check = on + ", Left Ctrl + middle click: the control window is in front, "
                             "the focus on Hide";
    while (!(IsWindowVisible(run.control) && GetForegroundWindow() == run.control
             && ThreadFocus(run.control) == hide)) {
        if (GetTickCount() - start >= ShowLimitMs)
            break;
        Sleep(20);
    }
    HWND focus = ThreadFocus(run.control);
    if (!IsWindowVisible(run.control))
        Fail(check, "it was not shown within %d s", ShowLimitMs / 1000);
    else if (GetForegroundWindow() != run.control)
        Fail(check, "it is shown, but %s has the foreground",
             TitleOf(GetForegroundWindow()).c_str());
    else if (focus != hide)
        Fail(check, "the focus is on control %d", focus != 0 ? GetDlgCtrlID(focus) : 0);
    else
        Pass(check, "after %lu ms", GetTickCount() - start);
    CheckKeptFromTarget(target, before, on + ", Left Ctrl + middle click: press and release "
                                             "kept from the program clicked");
}

// What a folder request brought: the folder window, how it was found, when it
// was first seen in front (-1: never), and the control window's answers to
// WM_NULL from a thread of cpsmoke's own, from before the click (the press itself
// delivers the request) until the folder window has been in front a while.
struct FolderSeen {
    HWND folder;
    const char* how;
    double inFront;
    Pinger pings;
};

static FolderSeen WatchFolderRequest(Run* run, POINT point)
{
    FolderSeen seen = {};
    seen.inFront = -1;
    seen.pings.window = run->control;
    seen.pings.limitMs = INFINITE;
    HANDLE pinging = CreateThread(0, 0, PingOnThread, &seen.pings, 0, 0);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    MiddleClickAt(point, false);
    // A look every tenth of a second, until the window has been in front a while.
    for (double now = 0; now < FolderLimitMs; now = MillisecondsSince(start)) {
        if (seen.inFront < 0) {
            seen.folder = FindFolderWindow(run, &seen.how);
            if (seen.folder != 0 && GetForegroundWindow() == seen.folder)
                seen.inFront = now;
        }
        if (seen.inFront >= 0 && now - seen.inFront >= AfterRaiseMs)
            break;
        Sleep(100);
    }
    InterlockedExchange(&seen.pings.stop, 1);
    if (pinging != 0) {
        WaitForSingleObject(pinging, INFINITE);     // each ping is bounded (10 s)
        CloseHandle(pinging);
    }
    return seen;
}

static void FolderRequest(Run* run, const ClickTarget& target, const std::string& on)
{
    POINT point;
    if (!ClickPointReady(target, on, &point))
        return;
    int before = MiddleButtonMessages(target);
    FolderSeen seen = WatchFolderRequest(run, point);
    HWND folder = seen.folder;
    std::string check = on + ", middle click: the folder window is in front";
    if (seen.inFront >= 0)
        Pass(check, "%s, class %s, %s, after %.0f ms", TitleOf(folder).c_str(),
             ClassOf(folder).c_str(), seen.how, seen.inFront);
    else if (folder != 0)
        Fail(check, "%s is open, but %s has the foreground", TitleOf(folder).c_str(),
             TitleOf(GetForegroundWindow()).c_str());
    else
        Fail(check, "no window shows %s within %d s", Utf8(run->pocket).c_str(),
             FolderLimitMs / 1000);

    check = on + ", middle click: the folder window's thread has the keyboard focus";
    HWND focus = ThreadFocus(folder);
    if (folder == 0)
        Fail(check, "no folder window");
    else if (focus != 0 && (focus == folder || IsChild(folder, focus)))
        Pass(check, "on a window of class %s", ClassOf(focus).c_str());
    else
        Fail(check, "its thread's focus is on %s", focus != 0 ? TitleOf(focus).c_str() : "nothing");

    check = on + ", middle click: the control window is hidden";
    if (IsWindowVisible(run->control))
        Fail(check, "it is still shown");
    else
        Pass(check);
    CheckKeptFromTarget(target, before, on + ", middle click: press and release kept from "
                                             "the program clicked");

    check = on + ", middle click: the control window answers throughout";
    const Pinger& pings = seen.pings;
    if (pings.unanswered == 0 && pings.longestMs <= ResponsiveMs)
        Pass(check, "longest wait %.1f ms over %lu answers, %.0f a second; bound %lu ms",
             pings.longestMs, pings.answers, PingsPerSecond(pings), ResponsiveMs);
    else
        Fail(check, "longest wait %.1f ms (bound %lu ms), %lu answers, %lu unanswered",
             pings.longestMs, ResponsiveMs, pings.answers, pings.unanswered);
    CloseFolderWindow(run);
}

// Both clicks in a window of `helper`: first Left Ctrl, so that the folder
// request has a control window to hide.
static void ClickIn(Run* run, const std::wstring& helper, const std::string& on)
{
    ClickTarget target;
    std::wstring title = L"CP Smoke Target";
    if (!StartClickTarget(run->toolFolder + L"\\" + helper, title,
                          run->scratch + L"\\" + helper + L".log", &target)) {
        Fail(on, "%s beside cpsmoke.exe did not start", Utf8(helper).c_str());
        return;
    }
    LeftCtrlClick(*run, target, on);
    FolderRequest(run, target, on);
    EndClickTarget(&target);
}

static void ClickInOtherBitness(Run* run)
{
    const char* on = OtherBitness;
    std::wstring helper = OtherHelper;
    // Windows runs the hook for a program of the other bitness on the thread
    // that installed it, ClickPocket's own; Wine never does.
    if (!WineVersion().empty())
        Skip(on, "needs Windows");
    else if (!Is64BitWindows())
        Skip(on, "32-bit Windows runs no 64-bit program");
    else if (!FileExistsW(run->toolFolder + L"\\" + helper))
        Fail(on, "%s is not beside cpsmoke.exe", Utf8(helper).c_str());
    else
        ClickIn(run, helper, on);
}

// --- Exit -------------------------------------------------------------------------------

static HWND WaitForBox(const char* caption, DWORD process, DWORD ms)
{
    DWORD start = GetTickCount();
    HWND box;
    while ((box = FindMessageBox(caption, process)) == 0 && GetTickCount() - start < ms)
        Sleep(20);
    return box;
}

static void ExitThroughClose(Run* run)
{
    const char* check = "Exit: WM_CLOSE, then Yes, ends ClickPocket with exit code 0";
    PostMessageA(run->control, WM_CLOSE, 0, 0);
    HWND box = WaitForBox(ExitCaption, run->app.dwProcessId, ShowLimitMs);
    if (box == 0) {
        Fail(check, "no \"%s\" confirmation within %d s", ExitCaption, ShowLimitMs / 1000);
        return;
    }
    // What the Yes button sends its box when pressed.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDYES)));
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(run->app.hProcess, ExitLimitMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(run->app.hProcess, &code);
    if (code == 0)
        Pass(check);
    else if (code == STILL_ACTIVE)
        Fail(check, "still running %d s after Yes", ExitLimitMs / 1000);
    else
        Fail(check, "exit code %lu", code);
}

static void CheckNothingLeft(const Run& run)
{
    const char* check = "Exit: nothing of ClickPocket's left running";
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, InstanceMutexName);
    bool mutexLeft = mutex != 0 || GetLastError() == ERROR_ACCESS_DENIED;
    if (mutex != 0)
        CloseHandle(mutex);
    std::wstring running = ProgramRunningFrom(run.install);
    if (!running.empty())
        Fail(check, "%s runs", Utf8(running).c_str());
    else if (FindWindowA(0, RELAY_TITLE_READY) != 0 || FindWindowA(0, RELAY_TITLE_PENDING) != 0)
        Fail(check, "a relay window is left");
    else if (mutexLeft)
        Fail(check, "its start-up mutex is still held");
    else
        Pass(check, "no program from the copy, no relay, the start-up mutex free");
    check = "Exit: the Run value is removed";
    int count = 0;
    std::string where = PlacesNamingProgram(run, &count);
    if (count == 0)
        Pass(check);
    else
        Fail(check, "still under %s", where.c_str());
}

// --- clean-up ---------------------------------------------------------------------------

static void EndWhatWasStarted(Run* run)
{
    if (run->app.hProcess == 0)
        return;
    if (WaitForSingleObject(run->app.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(run->app.hProcess, 1);
        WaitForSingleObject(run->app.hProcess, 5000);
    }
    CloseHandle(run->app.hProcess);
    CloseHandle(run->app.hThread);
    run->app.hProcess = 0;
}

static void PutBackRunValues(const Run& run)
{
    const char* check = "the CLICKPOCKET Run values are as they were";
    std::string restored, failed;
    for (size_t i = 0; i < run.places.size(); ++i) {
        if (SameRunValue(ReadRunValue(run.places[i]), run.saved[i]))
            continue;
        bool back = WriteRunValue(run.places[i], run.saved[i])
                    && SameRunValue(ReadRunValue(run.places[i]), run.saved[i]);
        std::string& list = back ? restored : failed;
        list += (list.empty() ? "" : ", ") + std::string(run.places[i].name);
    }
    if (!failed.empty())
        Fail(check, "could not put back the value under %s", failed.c_str());
    else if (!restored.empty())
        Pass(check, "put back under %s", restored.c_str());
    else
        Pass(check);
}

static void RemoveScratch(const Run& run)
{
    const char* check = "the temporary folder is deleted";
    if (run.scratch.empty())
        return;
    std::wstring blocked;
    DWORD start = GetTickCount();
    if (RemoveFolderWithin(run.scratch, RemoveLimitMs, &blocked))
        Pass(check, "after %lu ms", GetTickCount() - start);
    else
        Fail(check, "%s still in use after %d s (a program may still have ClickPocket.dll "
                    "mapped)", Utf8(blocked).c_str(), RemoveLimitMs / 1000);
}

int main()
{
    int count = 0;
    WCHAR** args = CommandLineToArgvW(GetCommandLineW(), &count);
    const WCHAR* folder = 0;
    bool usage = args == 0;
    for (int i = 1; !usage && i < count; ++i) {
        if (lstrcmpW(args[i], L"--responsive-ms") == 0 && i + 1 < count)
            usage = (ResponsiveMs = wcstoul(args[++i], 0, 10)) == 0;
        else if (folder == 0 && args[i][0] != L'-' && lstrcmpW(args[i], L"/?") != 0)
            folder = args[i];
        else
            usage = true;
    }
    if (usage) {
        printf("usage: cpsmoke [--responsive-ms N] [program folder]\n"
               "  N: the longest wait for the control window's answer, in ms (default 50)\n"
               "  program folder: default, the folder of cpsmoke.exe\n");
        return 2;
    }
    Run run = {};
    WCHAR self[32768];
    DWORD length = GetModuleFileNameW(0, self, 32768);
    run.toolFolder = FolderOf(std::wstring(self, length));
    WCHAR full[32768];
    length = GetFullPathNameW(folder != 0 ? folder : run.toolFolder.c_str(), 32768, full, 0);
    run.source = std::wstring(full, length);
    while (run.source.size() > 3 && (run.source.back() == L'\\' || run.source.back() == L'/'))
        run.source.pop_back();
    LocalFree(args);
    CoInitializeEx(0, COINIT_APARTMENTTHREADED);
    printf("# cpsmoke (%s) on %s: %s\n", Build, SystemSummary().c_str(), Utf8(run.source).c_str());

    if (NoOtherCopy()) {
        SaveWhatIsTouched(&run);
        if (SetUp(&run) && Start(&run)) {
            CheckRunValueWritten(run);
            RecordDpi(run);
            ClickIn(&run, L"cpclicktarget.exe", OwnBitness);
            ClickInOtherBitness(&run);
            ExitThroughClose(&run);
            CheckNothingLeft(run);
        }
        if (run.shellList != 0)
            run.shellList->Release();
        EndWhatWasStarted(&run);
        PutBackRunValues(run);
        SetCursorPos(run.cursor.x, run.cursor.y);
        RemoveScratch(run);
    }
    CoUninitialize();
    printf("%d passed, %d failed\n", Passed, Failed);
    return Failed > 0 ? 1 : 0;
}
