#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/folder_search.h"

namespace {

// A scripted desktop: windows appear (and become visible) after a number of pauses.
struct FakeWindow {
    std::string title;
    int appearsAfterPauses;
    int visibleAfterPauses;
};

struct FakeDesktop {
    std::vector<FakeWindow> windows;
    int pauses = 0;
    unsigned pausedMs = 0;
};

FakeDesktop* desktop;

void* Handle(size_t index) { return reinterpret_cast<void*>(index + 1); }

void* FakeFind(const char* title, void* after)
{
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

void FakePause(unsigned ms)
{
    ++desktop->pauses;
    desktop->pausedMs += ms;
}

const FolderSearchOps ops = { FakeFind, FakeVisible, FakePause };
const char* const pocket = "C:\\CP\\My ClickPocket";

class FolderSearch : public ::testing::Test {
protected:
    void SetUp() override { desktop = &fake; }
    FakeDesktop fake;
};

TEST_F(FolderSearch, AnOpenFolderIsFoundAtOnce)
{
    fake.windows = { { "Other", 0, 0 }, { "My ClickPocket", 0, 0 } };
    EXPECT_EQ(Handle(1), SearchFolderWindow(pocket, ops));
    EXPECT_EQ(0, fake.pauses);
}

TEST_F(FolderSearch, TheFullPathTitleIsTheSecondChoice)
{
    fake.windows = { { pocket, 0, 0 } };
    EXPECT_EQ(Handle(0), SearchFolderWindow(pocket, ops));
    fake.windows = { { pocket, 0, 0 }, { "My ClickPocket", 0, 0 } };
    EXPECT_EQ(Handle(1), SearchFolderWindow(pocket, ops));
}

TEST_F(FolderSearch, WaitsForAWindowStillBeingCreated)
{
    fake.windows = { { "My ClickPocket", 3, 7 } };
    EXPECT_EQ(Handle(0), SearchFolderWindow(pocket, ops));
    EXPECT_EQ(7, fake.pauses);          // hidden while being created: not found yet
    EXPECT_EQ(700u, fake.pausedMs);
}

TEST_F(FolderSearch, SkipsAHiddenNamesakeForAVisibleOne)
{
    fake.windows = { { "My ClickPocket", 0, 1000 }, { "My ClickPocket", 0, 0 } };
    EXPECT_EQ(Handle(1), SearchFolderWindow(pocket, ops));
}

TEST_F(FolderSearch, GivesUpAfterFiftyAttemptsAndPauses)
{
    fake.windows = { { "My ClickPocket", 0, 50 } };   // would show one pause too late
    EXPECT_EQ(nullptr, SearchFolderWindow(pocket, ops));
    EXPECT_EQ(50, fake.pauses);
    EXPECT_EQ(5000u, fake.pausedMs);
}

TEST_F(FolderSearch, TheLastAttemptCanStillSucceed)
{
    fake.windows = { { "My ClickPocket", 49, 49 } };
    EXPECT_EQ(Handle(0), SearchFolderWindow(pocket, ops));
    EXPECT_EQ(49, fake.pauses);
}

}  // namespace
