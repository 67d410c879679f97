// The hook bridge with the real hook library, the relay and the Shift option.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/single_instance.h"
#include "core/globals.h"
#include "hook/bridge.h"
#include "hook/hook_contract.h"
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
        RelayWindow = 0;
        HookHandle = 0;
        HookModule = 0;
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

TEST_F(Bridge, TheShiftOptionFollowsIntoFileAndField)
{
    ASSERT_TRUE(InstallMouseHook(MainWindow));
    MessageBoxWatcher watcher;
    SetShiftOption(true, MainWindow);
    EXPECT_EQ("", ReadFile(folder_.file("shift.dat")));
    EXPECT_EQ("1", FieldText(RELAY_FIELD_SHIFT_OPTION));
    SetShiftOption(true, MainWindow);                    // already on: stays, empty
    EXPECT_EQ("", ReadFile(folder_.file("shift.dat")));
    SetShiftOption(false, MainWindow);
    EXPECT_EQ("<missing>", ReadFile(folder_.file("shift.dat")));
    EXPECT_EQ("0", FieldText(RELAY_FIELD_SHIFT_OPTION));
    EXPECT_TRUE(watcher.seen().empty());
}

TEST_F(Bridge, AFlagThatCannotBeRemovedIsReportedAndTheFieldStillFollows)
{
    ASSERT_TRUE(InstallMouseHook(MainWindow));
    std::string flag = folder_.file("shift.dat");
    WriteFile(flag, "");
    SetFileAttributesA(flag.c_str(), FILE_ATTRIBUTE_READONLY);
    MessageBoxWatcher watcher;
    SetShiftOption(false, MainWindow);
    EXPECT_EQ("0", FieldText(RELAY_FIELD_SHIFT_OPTION));
    std::vector<SeenMessageBox> seen = watcher.seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_NE(std::string::npos, seen[0].text.find("[Error 78R4TH]"));
    EXPECT_EQ(MainWindow, seen[0].owner);
    SetFileAttributesA(flag.c_str(), FILE_ATTRIBUTE_NORMAL);
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
    RunningCopyImage = L"ClickPocket.exe";
    PumpMessages(200);          // the request is posted, as the hook library posts it
    EXPECT_TRUE(IsWindowVisible(MainWindow));
    EXPECT_EQ(IdHide, GetDlgCtrlID(GetFocus()));
    SetEvent(done);
    WaitForSingleObject(other, 5000);
    CloseHandle(other);
    CloseHandle(done);
    CloseControlWindow();
}

}  // namespace
