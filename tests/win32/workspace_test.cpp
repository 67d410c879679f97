// The workspace folder and the marker files, on Wine's real file system; and what
// WinMain sets up for the process before them.
#include <gtest/gtest.h>

#include <objbase.h>

#include <string>

#include "core/globals.h"
#include "core/info_text.h"
#include "app/process_setup.h"
#include "shell/shell_worker.h"
#include "app/workspace.h"
#include "core/flag_files.h"
#include "core/system_calls.h"
#include "win32_support.h"

namespace {

TEST(FileExists, SeesReadableFilesOnly)
{
    ScratchFolder folder;
    EXPECT_FALSE(FileExists(folder.file("missing.dat").c_str()));
    WriteFile(folder.file("empty.dat"), "");
    WriteFile(folder.file("full.dat"), "content counts as present");
    EXPECT_TRUE(FileExists(folder.file("empty.dat").c_str()));
    EXPECT_TRUE(FileExists(folder.file("full.dat").c_str()));
    CreateDirectoryA(folder.file("shift.dat").c_str(), 0);
    EXPECT_FALSE(FileExists(folder.file("shift.dat").c_str()));   // a folder is not a flag
}

TEST(FlagFiles, CreateEmptiesAndRemoveDeletes)
{
    ScratchFolder folder;
    std::string flag = folder.file("welcome.dat");
    WriteFile(flag, "old content");
    EXPECT_TRUE(CreateFlagFile(flag.c_str()));
    EXPECT_EQ("", ReadFile(flag));
    EXPECT_TRUE(RemoveFlagFile(flag.c_str()));
    EXPECT_FALSE(FileExists(flag.c_str()));
    EXPECT_TRUE(RemoveFlagFile(flag.c_str()));     // already gone is gone
}

// (Run as root, Wine may still open a read-only file for writing; deleting it is
// refused all the same, which is the case that matters here.)
TEST(FlagFiles, AReadOnlyFlagCountsAsCreatedButCannotBeRemoved)
{
    ScratchFolder folder;
    std::string flag = folder.file("shift.dat");
    WriteFile(flag, "x");
    SetFileAttributesA(flag.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(CreateFlagFile(flag.c_str()));
    EXPECT_FALSE(RemoveFlagFile(flag.c_str()));
    EXPECT_TRUE(FileExists(flag.c_str()));
}

TEST(FlagFiles, TheErrorNamesItsCodeWithTheProgramCaption)
{
    MessageBoxWatcher watcher(IDOK);
    ShowFlagFileError(0, "78R4TH");
    std::vector<SeenMessageBox> seen = watcher.seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("ClickPocket 1.0", seen[0].caption);
    EXPECT_EQ(0u, seen[0].text.find("Failed to create flag file!"));
    EXPECT_NE(std::string::npos, seen[0].text.find("[Error 78R4TH]"));
}

// PrepareWorkspace works beside the running executable: here, the test program.
class PrepareWorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char module[MAX_PATH];
        GetModuleFileNameA(0, module, sizeof module);
        exeDir_ = module;
        exeDir_.erase(exeDir_.rfind('\\') + 1);
        Clean();
    }
    void TearDown() override { Clean(); }
    void Clean()
    {
        DeleteFileA((exeDir_ + "welcome.dat").c_str());
        DeleteFileA((exeDir_ + "My ClickPocket\\Info.txt").c_str());
        RemoveDirectoryA((exeDir_ + "My ClickPocket").c_str());
    }
    std::string exeDir_;
};

TEST_F(PrepareWorkspaceTest, FirstStartCreatesTheFolderWithItsNote)
{
    ASSERT_TRUE(PrepareWorkspace());
    EXPECT_EQ(exeDir_, InstallDir);
    EXPECT_EQ(exeDir_ + "My ClickPocket", PocketDir);
    EXPECT_TRUE(PathIsFolder(PocketDir));
    EXPECT_EQ(std::string(InfoText, InfoTextLength), ReadFile(exeDir_ + "My ClickPocket\\Info.txt"));
    EXPECT_EQ("<missing>", ReadFile(exeDir_ + "My ClickPocket\\test_A785S2C_788WE9D.test"));
}

TEST_F(PrepareWorkspaceTest, TheNoteIsRewrittenUntilWelcomeIsDismissedForGood)
{
    ASSERT_TRUE(PrepareWorkspace());
    std::string info = exeDir_ + "My ClickPocket\\Info.txt";
    WriteFile(info, "edited by the user");
    ASSERT_TRUE(PrepareWorkspace());
    EXPECT_EQ(550u, ReadFile(info).size());

    WriteFile(exeDir_ + "welcome.dat", "");
    WriteFile(info, "edited by the user");
    ASSERT_TRUE(PrepareWorkspace());
    EXPECT_EQ("edited by the user", ReadFile(info));
    DeleteFileA(info.c_str());
    ASSERT_TRUE(PrepareWorkspace());
    EXPECT_EQ("<missing>", ReadFile(info));
    EXPECT_TRUE(ShowWelcomeIfNeeded());            // no dialog with welcome.dat present
}

TEST_F(PrepareWorkspaceTest, AFileInThePlaceOfTheFolderEndsTheStart)
{
    WriteFile(exeDir_ + "My ClickPocket", "not a folder");
    MessageBoxWatcher watcher(IDOK);
    EXPECT_FALSE(PrepareWorkspace());
    DeleteFileA((exeDir_ + "My ClickPocket").c_str());
    std::vector<SeenMessageBox> seen = watcher.seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("File access error in folder \"My ClickPocket\". Program will terminate.",
              seen[0].text);
    EXPECT_EQ(nullptr, seen[0].owner);
}

// --- what WinMain sets up before the gates -----------------------------------

std::string BesideThisProgram(const char* name)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(0, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\') + 1) + name;
}

// Vista lacks K32GetMappedFileNameW, which the hook library's relay check needs:
// there the program ends at start-up, after its box.
void* LookUpAsOnVista(const char* module, const char* name)
{
    return lstrcmpA(name, "K32GetMappedFileNameW") == 0 ? 0 : FindSystemCall(module, name);
}

TEST(StartUp, RelaysCanBeCheckedFromWindows7On)
{
    EXPECT_TRUE(CanCheckRelays(FindSystemCall));
    EXPECT_FALSE(CanCheckRelays(LookUpAsOnVista));
}

TEST(StartUp, LibrariesLoadedByNameComeFromSystem32Only)
{
    // A library that a web page might have dropped into the program's folder.
    const std::string planted = BesideThisProgram("cpplanted.dll");
    ASSERT_TRUE(CopyFileA(BesideThisProgram("ClickPocket.dll").c_str(), planted.c_str(), FALSE));
    HMODULE found = LoadLibraryA("cpplanted.dll");
    ASSERT_NE(nullptr, found) << "the usual search looks beside the program";
    FreeLibrary(found);

    LockLibrarySearch();
    HMODULE planted_ = LoadLibraryA("cpplanted.dll");
    EXPECT_EQ(nullptr, planted_);
    if (planted_ != 0)
        FreeLibrary(planted_);
    HMODULE system = LoadLibraryA("version.dll");
    EXPECT_NE(nullptr, system);
    if (system != 0)
        FreeLibrary(system);

    // The usual search again, for the tests that follow.
    typedef BOOL (WINAPI *SetDefaultProc)(DWORD);
    SetDefaultProc setDefault = reinterpret_cast<SetDefaultProc>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    ASSERT_NE(nullptr, setDefault);
    setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    DeleteFileA(planted.c_str());
}

struct ApartmentSeen {
    bool entered;
    HRESULT multithreadedInside;
    HRESULT multithreadedAfter;
};

DWORD WINAPI TryApartment(void* param)
{
    ApartmentSeen* seen = static_cast<ApartmentSeen*>(param);
    seen->entered = EnterShellApartment();
    seen->multithreadedInside = CoInitializeEx(0, COINIT_MULTITHREADED);
    if (SUCCEEDED(seen->multithreadedInside))
        CoUninitialize();
    if (seen->entered)
        LeaveShellApartment();
    seen->multithreadedAfter = CoInitializeEx(0, COINIT_MULTITHREADED);
    if (SUCCEEDED(seen->multithreadedAfter))
        CoUninitialize();
    return 0;
}

TEST(StartUp, TheShellIsCalledFromASingleThreadedApartment)
{
    // On a thread of its own, which no earlier test has put in an apartment.
    ApartmentSeen seen = { false, S_OK, E_FAIL };
    HANDLE thread = CreateThread(0, 0, TryApartment, &seen, 0, 0);
    ASSERT_NE(nullptr, thread);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    EXPECT_TRUE(seen.entered);
    EXPECT_EQ(RPC_E_CHANGED_MODE, seen.multithreadedInside);  // a single-threaded one
    EXPECT_EQ(S_OK, seen.multithreadedAfter);                  // and left at the end
}

}  // namespace
