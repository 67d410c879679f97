#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/folder_search.h"

namespace {

// A scripted desktop: windows appear (and become visible) after a number of pauses.
enum Listed { NotListed, ListedForPocket, ListedForOther };   // in the shell's list of folder windows

struct FakeWindow {
    std::string title;
    int appearsAfterPauses;
    int visibleAfterPauses;
    Listed listed = NotListed;
    bool explorer = false;          // of File Explorer's own classes
};

struct FakeDesktop {
    std::vector<FakeWindow> windows;
    int pauses = 0;
    int lookups = 0;
    bool listAnswering = true;
};

FakeDesktop* desktop;

void* Handle(size_t index) { return reinterpret_cast<void*>(index + 1); }

void* FakeFind(const char* title, void* after)
{
    ++desktop->lookups;
    size_t start = after == 0 ? 0 : reinterpret_cast<size_t>(after);
    for (size_t i = start; i < desktop->windows.size(); ++i) {
        const FakeWindow& w = desktop->windows[i];
        if (w.title == title && desktop->pauses >= w.appearsAfterPauses)
            return Handle(i);
    }
    return 0;
}

bool FakeVisible(void* window)
{
    const FakeWindow& w = desktop->windows[reinterpret_cast<size_t>(window) - 1];
    return desktop->pauses >= w.visibleAfterPauses;
}

bool FakeExplorer(void* window)
{
    return desktop->windows[reinterpret_cast<size_t>(window) - 1].explorer;
}

const char* const pocket = "C:\\CP\\My ClickPocket";

// What the list says between two attempts: the first window it lists for the
// folder, hidden or not; nothing while it does not answer.
FolderListView FakeList()
{
    FolderListView view = { desktop->listAnswering, 0 };
    for (size_t i = 0; view.answering && i < desktop->windows.size(); ++i) {
        const FakeWindow& w = desktop->windows[i];
        if (w.listed == ListedForPocket && desktop->pauses >= w.appearsAfterPauses) {
            view.window = Handle(i);
            break;
        }
    }
    return view;
}

const FolderSearchOps ops = { FakeFind, FakeVisible, FakeExplorer };

class FolderSearchTest : public ::testing::Test {
protected:
    void SetUp() override { desktop = &fake; }

    // As the control window runs it: an attempt at once, then one after each pause
    // (a timer tick), until the search ends. Bounded, should it never end.
    void* Run()
    {
        StartFolderSearch(&search);
        for (int tick = 0; tick < 1000; ++tick) {
            void* window = TryFolderSearch(&search, pocket, FakeList(), ops);
            if (window != 0 || !search.active)
                return window;
            ++fake.pauses;
        }
        ADD_FAILURE() << "the search never ended";
        return 0;
    }

    FakeDesktop fake;
    FolderSearch search = { false, 0 };
};

TEST_F(FolderSearchTest, AnOpenFolderIsFoundAtOnce)
{
    fake.windows = { { "Other", 0, 0 }, { "My ClickPocket", 0, 0 } };
    EXPECT_EQ(Handle(1), Run());
    EXPECT_EQ(0, fake.pauses);
    EXPECT_EQ(1, search.attemptsMade);
    EXPECT_FALSE(search.active);
}

TEST_F(FolderSearchTest, TheFullPathTitleIsTheSecondChoice)
{
    fake.windows = { { pocket, 0, 0 } };
    EXPECT_EQ(Handle(0), Run());
    fake.windows = { { pocket, 0, 0 }, { "My ClickPocket", 0, 0 } };
    EXPECT_EQ(Handle(1), Run());
}

TEST_F(FolderSearchTest, WaitsForAWindowStillBeingCreated)
{
    fake.windows = { { "My ClickPocket", 3, 7 } };
    EXPECT_EQ(Handle(0), Run());
    EXPECT_EQ(7, fake.pauses);          // hidden while being created: not found yet
    EXPECT_EQ(8, search.attemptsMade);
}

TEST_F(FolderSearchTest, SkipsAHiddenNamesakeForAVisibleOne)
{
    fake.windows = { { "My ClickPocket", 0, 1000 }, { "My ClickPocket", 0, 0 } };
    EXPECT_EQ(Handle(1), Run());
}

TEST_F(FolderSearchTest, GivesUpAfterFiftyAttemptsAndLooksNoMore)
{
    fake.windows = { { "My ClickPocket", 0, 50 } };   // would show one pause too late
    EXPECT_EQ(nullptr, Run());
    EXPECT_EQ(50, search.attemptsMade);
    EXPECT_EQ(49, fake.pauses);          // FolderSearchPauseMs apart: about 5 s in all
    EXPECT_FALSE(search.active);
    ++fake.pauses;                       // the window shows now, but the search is over
    int lookups = fake.lookups;
    EXPECT_EQ(nullptr, TryFolderSearch(&search, pocket, FakeList(), ops));
    EXPECT_EQ(nullptr, RecheckFolderSearch(&search, pocket, FakeList(), ops));
    EXPECT_EQ(lookups, fake.lookups);
}

TEST_F(FolderSearchTest, TheLastAttemptCanStillSucceed)
{
    fake.windows = { { "My ClickPocket", 49, 49 } };
    EXPECT_EQ(Handle(0), Run());
    EXPECT_EQ(50, search.attemptsMade);
}

TEST_F(FolderSearchTest, ARestartCountsItsAttemptsAfresh)
{
    fake.windows = { { "My ClickPocket", 70, 70 } };
    StartFolderSearch(&search);
    for (; fake.pauses < 30; ++fake.pauses)
        EXPECT_EQ(nullptr, TryFolderSearch(&search, pocket, FakeList(), ops));
    // A second request 30 attempts in: 50 more from here, enough for the window at 70.
    EXPECT_EQ(Handle(0), Run());
    EXPECT_EQ(41, search.attemptsMade);
}

TEST_F(FolderSearchTest, AStoppedSearchLooksNoMore)
{
    fake.windows = { { "My ClickPocket", 0, 0 } };
    StartFolderSearch(&search);
    StopFolderSearch(&search);
    EXPECT_EQ(nullptr, TryFolderSearch(&search, pocket, FakeList(), ops));
    EXPECT_EQ(0, fake.lookups);
    EXPECT_EQ(0, search.attemptsMade);
}

// Windows 11 titles Explorer in the user's language and with its tab count; the
// shell's list says which window shows the folder, whatever its title.
TEST_F(FolderSearchTest, TheShellsListedWindowIsTakenWhateverItsTitle)
{
    fake.windows = { { "My ClickPocket and 2 more tabs - File Explorer", 0, 0, ListedForPocket, true } };
    EXPECT_EQ(Handle(0), Run());
    fake.windows = { { pocket, 0, 0 },
                     { "My ClickPocket und 2 weitere Registerkarten \u2013 Explorer", 0, 0,
                       ListedForPocket, true } };
    EXPECT_EQ(Handle(1), Run());
    // Listed but still hidden (being created): waited for.
    fake.windows = { { "My ClickPocket - File Explorer", 2, 6, ListedForPocket, true } };
    EXPECT_EQ(Handle(0), Run());
    EXPECT_EQ(6, fake.pauses);
}

// Windows 10 titles every folder named "My ClickPocket" alike: another copy of
// the program beside this one has its own. While the list answers, an Explorer
// window it does not name for our folder shows another; any other program's
// window (another file manager) still counts by its title, and so does every
// window while the list is slow, closed or absent.
TEST_F(FolderSearchTest, AnotherFoldersExplorerWindowIsNotTakenWhileTheListAnswers)
{
    struct Row { bool answering; bool otherIsExplorer; size_t expected; int pauses; };
    const Row rows[] = {
        { true, true, 1, 5 },       // the other's is passed over; ours comes 5 pauses late
        { false, true, 0, 0 },      // no list to tell: the title decides at once
        { true, false, 0, 0 },      // not Explorer's: the title decides at once
    };
    for (const Row& row : rows) {
        fake = FakeDesktop();
        fake.listAnswering = row.answering;
        fake.windows = { { "My ClickPocket", 0, 0, ListedForOther, row.otherIsExplorer },
                         { "My ClickPocket", 5, 5, ListedForPocket, true } };
        EXPECT_EQ(Handle(row.expected), Run()) << row.answering << row.otherIsExplorer;
        EXPECT_EQ(row.pauses, fake.pauses);
    }
}

// The list answers between two attempts: its answer is taken at once, and counts
// no attempt.
TEST_F(FolderSearchTest, AnAnswerBetweenAttemptsIsTakenAtOnce)
{
    fake.windows = { { "My ClickPocket", 0, 0, ListedForPocket, true } };
    StartFolderSearch(&search);
    FolderListView notYet = { true, 0 };
    EXPECT_EQ(nullptr, TryFolderSearch(&search, pocket, notYet, ops));
    EXPECT_EQ(Handle(0), RecheckFolderSearch(&search, pocket, FakeList(), ops));
    EXPECT_EQ(1, search.attemptsMade);
    EXPECT_FALSE(search.active);
}

TEST_F(FolderSearchTest, ATitleThatOnlyBeginsWithTheNameIsNeverTaken)
{
    fake.windows = {
        { "My ClickPocket - Copy - File Explorer", 0, 0 },   // a copy of the folder
        { "My ClickPocket and 2 more tabs - File Explorer", 0, 0 },
        { "My ClickPocket - plans.txt - Notepad", 0, 0 },
        { std::string(pocket) + " - File Explorer", 0, 0 },
        { "My ClickPocket", 0, 1000 },                       // hidden for good
    };
    EXPECT_EQ(nullptr, Run());
    EXPECT_EQ(50, search.attemptsMade);
}

// A list that could not be opened is tried again by a later request only, and
// after a pause that doubles while it fails (every failed try costs seconds,
// and under Wine two handles); once it opens, a failure starts the count again.
TEST(FolderListRetry, WaitsLongerAfterEachFailure)
{
    FolderListRetry retry = { false, 0, 0, 0 };
    EXPECT_TRUE(MayOpenFolderList(retry, 1, 0));
    struct Row { unsigned request; unsigned now; bool may; bool opened; };
    const unsigned first = FolderListFirstRetryMs;
    const Row rows[] = {
        { 1, 1000, true, false },               // fails at 1 s: 30 s pause
        { 1, 1000 + first, false, false },      // the same request never tries again
        { 2, 1000 + first - 1, false, false },
        { 2, 1000 + first, true, false },       // fails again: 60 s pause
        { 3, 1000 + 3 * first - 1, false, false },
        { 3, 1000 + 3 * first, true, true },    // opens
        { 4, 1000 + 3 * first, true, false },   // fails: 30 s pause again
        { 5, 1000 + 4 * first, true, false },
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.may, MayOpenFolderList(retry, row.request, row.now)) << row.now;
        if (row.may)
            NoteFolderListOpened(&retry, row.opened, row.request, row.now);
    }
    for (int failure = 0; failure < 20; ++failure)
        NoteFolderListOpened(&retry, false, 6, 0);
    EXPECT_EQ(unsigned(FolderListLongestRetryMs), retry.pauseMs);
    EXPECT_TRUE(MayOpenFolderList(retry, 7, 0x10000000u + FolderListLongestRetryMs));
    retry.failedAt = 0xFFFFFFF0u;           // the tick count wraps
    EXPECT_FALSE(MayOpenFolderList(retry, 7, 0x10u));
}

}  // namespace
