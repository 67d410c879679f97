// The hook bridge with the real hook library, the relay and the Shift option.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/single_instance.h"
#include "core/flag_files.h"
#include "core/globals.h"
#include "hook/bridge.h"
#include "hook/hook_contract.h"
#include "hooklib/relay_check.h"
#include "shell/flag_writer.h"
#include "shell/shell_open.h"
#include "ui/mainwnd.h"
#include "win32_support.h"

namespace {

std::string FieldText(int id)
{
    char text[64] = "";
    GetDlgItemTextA(RelayWindow, id, text, sizeof text);
    return text;
}

std::string Decimal(const void* handle)
{
    char text[24];
    wsprintfA(text, "%lu", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(handle)));
    return text;
}

// The hook library the build put beside this test program.
std::string BuiltLibrary()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(0, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\') + 1) + HOOK_LIBRARY_FILE;
}

class Bridge : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseInstallDir(folder_.path());
        ASSERT_TRUE(CopyFileA(BuiltLibrary().c_str(), folder_.file(HOOK_LIBRARY_FILE).c_str(),
                              FALSE));
        ASSERT_TRUE(CreateMainWindow());
    }
    void TearDown() override
    {
        if (IsWindow(MainWindow))
            DestroyWindow(MainWindow);
        MSG quit;
        PeekMessageA(&quit, 0, WM_QUIT, WM_QUIT, PM_REMOVE);
        ReleaseHookLibrary();
        RelayWindow = 0;
        HookHandle = 0;
    }
    ScratchFolder folder_;
};

TEST_F(Bridge, PublishesEveryFieldBeforeTheReadyTitle)
{
    ASSERT_TRUE(InstallMouseHook(MainWindow));
    EXPECT_EQ(RelayWindow, FindWindowA(0, RELAY_TITLE_READY));
    EXPECT_NE(nullptr, HookHandle);
    EXPECT_NE(nullptr, HookModule);
    EXPECT_EQ(RegisterWindowMessageA(PRIVATE_MESSAGE_NAME), PrivateMessage);
    EXPECT_EQ(Decimal(MainWindow), FieldText(RELAY_FIELD_MAIN_WINDOW));
    EXPECT_EQ(Decimal(HookHandle), FieldText(RELAY_FIELD_HOOK_HANDLE));
    EXPECT_EQ("0", FieldText(RELAY_FIELD_SHIFT_OPTION));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(MainWindow, IdShiftOption));
    // The relay is hidden, owned by the control window, and never shown.
    EXPECT_FALSE(IsWindowVisible(RelayWindow));
    EXPECT_EQ(MainWindow, GetWindow(RelayWindow, GW_OWNER));
    // The second-instance probe reads field 100 the way another process would.
    EXPECT_EQ(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(MainWindow)),
              GetDlgItemInt(FindWindowA(0, RELAY_TITLE_READY), RELAY_FIELD_MAIN_WINDOW, 0, FALSE));
}

TEST_F(Bridge, TheLibraryComesFromTheInstallFolderOnly)
{
    // The same library lies beside this program, first in the search order; with
    // none in the install folder it must still not be loaded.
    DeleteFileA(folder_.file(HOOK_LIBRARY_FILE).c_str());
    MessageBoxWatcher watcher;
    EXPECT_FALSE(InstallMouseHook(MainWindow));
    EXPECT_EQ(nullptr, HookModule);
    EXPECT_EQ(nullptr, GetModuleHandleA(HOOK_LIBRARY_FILE));
    std::vector<SeenMessageBox> seen = watcher.seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Failed to Load/Init DLL.", seen[0].text);
}

TEST_F(Bridge, AShiftFlagAtStartChecksTheOption)
{
    WriteFile(folder_.file("shift.dat"), "");
    ASSERT_TRUE(InstallMouseHook(MainWindow));
    EXPECT_EQ("1", FieldText(RELAY_FIELD_SHIFT_OPTION));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(MainWindow, IdShiftOption));
}

// The check box clicked, as the dialog manager reports it; what the worker
// writes is done once StopFlagWriting returns, and its report is pumped in.
void ClickShiftOption(UINT state)
{
    CheckDlgButton(MainWindow, IdShiftOption, state);
    SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(IdShiftOption, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(MainWindow, IdShiftOption)));
    StopFlagWriting(5000);
    PumpMessages(50);
}

TEST_F(Bridge, TheShiftOptionFollowsIntoFileAndField)
{
    ASSERT_TRUE(InstallMouseHook(MainWindow));
    MessageBoxWatcher watcher;
    ClickShiftOption(BST_CHECKED);
    EXPECT_EQ("", ReadFile(folder_.file("shift.dat")));
    EXPECT_EQ("1", FieldText(RELAY_FIELD_SHIFT_OPTION));
    ClickShiftOption(BST_CHECKED);                       // already on: stays, empty
    EXPECT_EQ("", ReadFile(folder_.file("shift.dat")));
    ClickShiftOption(BST_UNCHECKED);
    EXPECT_EQ("<missing>", ReadFile(folder_.file("shift.dat")));
    EXPECT_EQ("0", FieldText(RELAY_FIELD_SHIFT_OPTION));
    EXPECT_TRUE(watcher.seen().empty());
}

TEST_F(Bridge, AFlagThatCannotBeRemovedIsReportedAndTheFieldStillFollows)
{
    std::string flag = folder_.file("shift.dat");
    WriteFile(flag, "");
    ASSERT_TRUE(InstallMouseHook(MainWindow));
    SetFileAttributesA(flag.c_str(), FILE_ATTRIBUTE_READONLY);
    MessageBoxWatcher watcher;
    ClickShiftOption(BST_UNCHECKED);
    EXPECT_EQ("0", FieldText(RELAY_FIELD_SHIFT_OPTION));
    std::vector<SeenMessageBox> seen = watcher.seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_NE(std::string::npos, seen[0].text.find("[Error 78R4TH]"));
    EXPECT_EQ(MainWindow, seen[0].owner);
    SetFileAttributesA(flag.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Every file call, with the thread that made it, and the shell's openings.
struct FileCallSeen { DWORD thread; std::string path; std::string mode; };
std::vector<FileCallSeen> FileCallsSeen;
CRITICAL_SECTION FileCallLock;
LONG ShellOpenings;

void RecordFileCall(const char* path, const char* mode)
{
    EnterCriticalSection(&FileCallLock);
    FileCallsSeen.push_back({ GetCurrentThreadId(), path, mode });
    LeaveCriticalSection(&FileCallLock);
}
FILE* RecordOpen(const char* path, const char* mode)
{
    RecordFileCall(path, mode);
    return fopen(path, mode);
}
int RecordRemove(const char* path)
{
    RecordFileCall(path, "remove");
    return remove(path);
}
BOOL WINAPI CountShellOpening(SHELLEXECUTEINFOA*)
{
    InterlockedIncrement(&ShellOpenings);
    return TRUE;
}

// Once the hook is in, the control window's thread answers the mouse of other
// programs: a sleeping disk must not hold it. The user tabs across the Shift
// option (its focus changes come as commands too), clicks it on, presses Enter
// on it, clicks it off, and opens the licence and the missing manual.
TEST_F(Bridge, NoFileCallOnTheControlWindowsThreadOnceTheHookIsIn)
{
    ASSERT_TRUE(InstallMouseHook(MainWindow));
    WriteFile(folder_.file("license.txt"), "");
    InitializeCriticalSection(&FileCallLock);
    FileCallsSeen.clear();
    ShellOpenings = 0;
    FileCallSet real = FileCalls;
    FileCalls = { RecordOpen, RecordRemove };
    ShellExecuteCall = CountShellOpening;
    MessageBoxWatcher watcher;
    ShowWindow(MainWindow, SW_SHOW);
    HWND option = GetDlgItem(MainWindow, IdShiftOption);
    for (int pass = 0; pass < 2; ++pass) {
        SetFocus(option);
        SetFocus(GetDlgItem(MainWindow, IdHide));
    }
    SetFocus(option);
    SendMessageA(option, BM_CLICK, 0, 0);
    SendMessageA(MainWindow, WM_COMMAND, IDOK, 0);          // Enter: BN_CLICKED, no change
    PumpMessages(50);
    SendMessageA(option, BM_CLICK, 0, 0);
    SendMessageA(MainWindow, WM_COMMAND, IdLicense, 0);
    SendMessageA(MainWindow, WM_COMMAND, IdHelp, 0);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000
                                       && (ShellOpenings == 0 || watcher.seen().empty());)
        PumpMessages(20);
    EXPECT_TRUE(StopFlagWriting(5000));
    EXPECT_TRUE(StopShellOpening(5000));
    FileCalls = real;
    ShellExecuteCall = ShellExecuteExA;
    int shiftWrites = 0, documentLookups = 0;
    for (const FileCallSeen& call : FileCallsSeen) {
        EXPECT_NE(GetCurrentThreadId(), call.thread) << call.path << " " << call.mode;
        bool shift = call.path == folder_.file("shift.dat");
        shiftWrites += shift && call.mode != "rb";
        documentLookups += !shift && call.mode == "rb";
    }
    EXPECT_EQ(2, shiftWrites);                              // on, then off: nothing else
    EXPECT_EQ(2, documentLookups);
    EXPECT_EQ(1, ShellOpenings);                            // the licence; the manual is missing
    std::vector<SeenMessageBox> seen = watcher.seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_NE(std::string::npos, seen[0].text.find("readme.txt"));
    EXPECT_EQ(MainWindow, seen[0].owner);
    DeleteCriticalSection(&FileCallLock);
}

// What the teardown let go of, in order.
std::vector<std::string> Released;
BOOL WINAPI RecordUnhook(HHOOK hook)
{
    Released.push_back("unhook");
    return UnhookWindowsHookEx(hook);
}
BOOL WINAPI RecordPost(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window == HWND_BROADCAST && message == WM_NULL)
        Released.push_back("nudge every window");
    return PostMessageA(window, message, wParam, lParam);
}

TEST_F(Bridge, DestroyingTheControlWindowTakesEverythingDown)
{
    ASSERT_TRUE(InstallMouseHook(MainWindow));
    HWND relay = RelayWindow;
    HHOOK hook = HookHandle;
    HookReleaseCalls real = HookRelease;
    HookRelease = { RecordUnhook, RecordPost };
    Released.clear();
    DestroyWindow(MainWindow);
    HookRelease = real;
    // Idle programs let go of the library once they take a message after the unhook.
    EXPECT_EQ((std::vector<std::string>{ "unhook", "nudge every window" }), Released);
    EXPECT_FALSE(IsWindow(relay));
    EXPECT_EQ(nullptr, FindWindowA(0, RELAY_TITLE_READY));
    EXPECT_FALSE(UnhookWindowsHookEx(hook));             // already removed
    // The library stays until no thread of ours can be inside its procedure.
    EXPECT_NE(nullptr, GetModuleHandleA(HOOK_LIBRARY_FILE));
    EXPECT_TRUE(EndShellThreads());
    ReleaseHookLibrary();
    EXPECT_EQ(nullptr, GetModuleHandleA(HOOK_LIBRARY_FILE));
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, 0, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, quit.wParam);
}

HANDLE WINAPI RefuseMutex(SECURITY_ATTRIBUTES*, BOOL, const char*)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return 0;
}

// The running copy's relay, owned by its control window, on a thread of its own,
// ready only 300 ms in (that copy is still starting); it answers until the test
// is done with it.
DWORD WINAPI RunOtherCopysRelay(void* done)
{
    HWND relay = CreateWindowExA(0, "STATIC", RELAY_TITLE_PENDING, WS_POPUP, 0, 0, 1, 1,
                                 MainWindow, 0, 0, 0);
    CreateWindowExA(0, "STATIC", Decimal(MainWindow).c_str(), WS_CHILD, 0, 0, 1, 1, relay,
                    reinterpret_cast<HMENU>(RELAY_FIELD_MAIN_WINDOW), 0, 0);
    for (DWORD start = GetTickCount(); MsgWaitForMultipleObjects(1, &done, FALSE, 20, QS_ALLINPUT)
                                       != WAIT_OBJECT_0;) {
        if (GetTickCount() - start > 300)
            SetWindowTextA(relay, RELAY_TITLE_READY);
        MSG message;
        while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    DestroyWindow(relay);
    return 0;
}

// A copy started as administrator holds the mutex with a security that refuses a
// copy started without elevation: held all the same, and once the running copy is
// ready its control window is brought forward.
TEST(SingleInstance, AMutexRefusedCountsAsHeldAndTheRunningCopyComesForward)
{
    ScratchFolder folder;
    ASSERT_TRUE(OpenControlWindow(folder));
    HANDLE done = CreateEventA(0, TRUE, FALSE, 0);
    HANDLE other = CreateThread(0, 0, RunOtherCopysRelay, done, 0, 0);
    CreateInstanceMutex = RefuseMutex;
    RunningCopyImage = L"win32_tests.exe";
    EXPECT_TRUE(HandOverToRunningCopy());
    CreateInstanceMutex = CreateMutexA;
    RunningCopyImage = L"" PROGRAM_FILE;
    PumpMessages(200);          // the request is posted, as the hook library posts it
    EXPECT_TRUE(IsWindowVisible(MainWindow));
    EXPECT_EQ(IdHide, GetDlgCtrlID(GetFocus()));
    SetEvent(done);
    WaitForSingleObject(other, 5000);
    CloseHandle(other);
    CloseHandle(done);
    CloseControlWindow();
}

// Which relay the hook library trusts. ClickPocket is played by cpclicktarget,
// copied as ClickPocket.exe into a folder named in other letters, beside a copy
// of the library that this test loads for its folder; another program's relay,
// topmost and made after it, by a window of this test program.
std::wstring Wide(const std::string& text)
{
    WCHAR wide[MAX_PATH];
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH);
    return std::wstring(wide, length > 0 ? length - 1 : 0);
}

std::wstring BesideThisProgram(const char* name)
{
    std::string library = BuiltLibrary();
    return Wide(library.substr(0, library.rfind('\\') + 1) + name);
}

// A stand-in ClickPocket.exe in folder, with a ready relay and no hook.
class StandIn {
public:
    explicit StandIn(const std::wstring& folder) : folder_(folder)
    {
        CopyFileW(BesideThisProgram("cpclicktarget.exe").c_str(), program().c_str(), FALSE);
        std::wstring command = L"\"" + program() + L"\" relay - NUL 0";
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        if (!CreateProcessW(0, &command[0], 0, 0, FALSE, 0, 0, 0, &startup, &process_))
            return;
        for (DWORD start = GetTickCount(); GetTickCount() - start < 10000 && relay_ == 0;
             Sleep(20)) {
            for (HWND w = FindWindowExA(0, 0, 0, RELAY_TITLE_READY); w != 0;
                 w = FindWindowExA(0, w, 0, RELAY_TITLE_READY)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == process_.dwProcessId)
                    relay_ = w;
            }
        }
    }
    ~StandIn() { End(); }
    void End()
    {
        if (process_.hProcess == 0)
            return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
        process_.hProcess = 0;
        DeleteFileW(program().c_str());
    }
    HWND relay() const { return relay_; }
    DWORD id() const { return process_.dwProcessId; }
private:
    std::wstring program() const { return folder_ + L"ClickPocket.exe"; }
    std::wstring folder_;
    PROCESS_INFORMATION process_ = {};
    HWND relay_ = 0;
};

int ProcessesOpened;
bool RefuseToOpen;
HANDLE WINAPI CountingOpenProcess(DWORD access, BOOL inherit, DWORD process)
{
    ++ProcessesOpened;
    if (RefuseToOpen) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    return OpenProcess(access, inherit, process);
}

TEST(TrustedRelay, OnlyClickPocketFromTheLibrarysOwnFolderCounts)
{
    ScratchFolder scratch;
    std::wstring folder = Wide(scratch.path()) + L"\u00dcbersicht \u0416\u00e9\\";
    std::wstring longer = Wide(scratch.path()) + L"\u00dcbersicht \u0416\u00e92\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), 0));
    ASSERT_TRUE(CreateDirectoryW(longer.c_str(), 0));
    std::wstring library = folder + L"ClickPocket.dll";
    ASSERT_TRUE(CopyFileW(BesideThisProgram(HOOK_LIBRARY_FILE).c_str(), library.c_str(), FALSE));
    HMODULE loaded = LoadLibraryW(library.c_str());
    ASSERT_NE(nullptr, loaded);
    RelayCheckCalls real = RelayCheck;
    RelayCheck.openProcess = CountingOpenProcess;
    RefuseToOpen = false;
    {
        // A ClickPocket.exe in a folder that only begins like the library's.
        StandIn elsewhere(longer);
        ASSERT_NE(nullptr, elsewhere.relay());
        TrustedRelay known = {};
        EXPECT_EQ(nullptr, FindTrustedRelay(loaded, &known).window);
        EXPECT_EQ(nullptr, known.window);
    }
    StandIn clickPocket(folder);
    ASSERT_NE(nullptr, clickPocket.relay());
    HWND other = CreateWindowExA(WS_EX_TOPMOST, "STATIC", RELAY_TITLE_READY, WS_POPUP, 0, 0, 1, 1,
                                 0, 0, 0, 0);
    CreateWindowExA(0, "STATIC", Decimal(other).c_str(), WS_CHILD, 0, 0, 1, 1, other,
                    reinterpret_cast<HMENU>(RELAY_FIELD_MAIN_WINDOW), 0, 0);
    ASSERT_EQ(other, FindWindowA(0, RELAY_TITLE_READY));       // the first one found by title

    // Where ClickPocket's process may not be opened, nothing counts.
    RefuseToOpen = true;
    TrustedRelay known = {};
    EXPECT_EQ(nullptr, FindTrustedRelay(loaded, &known).window);
    RefuseToOpen = false;
    TrustedRelay found = FindTrustedRelay(loaded, &known);
    EXPECT_EQ(clickPocket.relay(), found.window);
    EXPECT_EQ(clickPocket.id(), found.process);
    // Remembered while it lives: no process is opened again.
    ProcessesOpened = 0;
    EXPECT_EQ(clickPocket.relay(), FindTrustedRelay(loaded, &known).window);
    EXPECT_EQ(0, ProcessesOpened);
    // Once it has gone, the relay left is checked again, and does not count.
    clickPocket.End();
    EXPECT_EQ(nullptr, FindTrustedRelay(loaded, &known).window);
    EXPECT_EQ(1, ProcessesOpened);

    RelayCheck = real;
    DestroyWindow(other);
    FreeLibrary(loaded);
    DeleteFileW(library.c_str());
    RemoveDirectoryW(folder.c_str());
    RemoveDirectoryW(longer.c_str());
}

TEST(TrustedRelay, FoldersCompareAsWindowsComparesFileNames)
{
    struct Row { const wchar_t* image; const wchar_t* library; bool counts; };
    const Row rows[] = {
        { L"\\Device\\HarddiskVolume3\\\u00dcbersicht Caf\u00e9\\ClickPocket.exe",
          L"\\DEVICE\\harddiskvolume3\\\u00fcBERSICHT CAF\u00c9\\clickpocket.dll", true },
        { L"\\Device\\HarddiskVolume3\\\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u044b\\CLICKPOCKET.EXE",
          L"\\Device\\HarddiskVolume3\\\u041f\u0420\u041e\u0413\u0420\u0410\u041c\u041c\u042b\\ClickPocket.dll", true },
        { L"\\Device\\HarddiskVolume3\\\u03a6\u03ac\u03ba\u03b5\u03bb\u03bf\u03b9\\ClickPocket.exe",
          L"\\Device\\HarddiskVolume3\\\u03a6\u0386\u039a\u0395\u039b\u039f\u0399\\ClickPocket.dll", true },
        { L"\\Device\\HarddiskVolume3\\Caf\u00e9\\ClickPocket.exe",
          L"\\Device\\HarddiskVolume3\\Cafe\\ClickPocket.dll", false },
        { L"\\Device\\HarddiskVolume3\\Caf\u00e92\\ClickPocket.exe",
          L"\\Device\\HarddiskVolume3\\CAF\u00c9\\ClickPocket.dll", false },
        { L"\\Device\\HarddiskVolume3\\Caf\u00e9\\ClickPocket.ex\u00e9",
          L"\\Device\\HarddiskVolume3\\Caf\u00e9\\ClickPocket.dll", false },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.counts, IsProgramBesideLibraryPath(row.image, lstrlenW(row.image), row.library,
                                                         lstrlenW(row.library)))
            << static_cast<int>(&row - rows);
}

}  // namespace
