// The hook library's decisions, fed with hostile relay texts as well as good ones.
#include <gtest/gtest.h>

#include "hooklib/click_rules.h"

#include <cwchar>
#include <string>

namespace {

TEST(ClassifyMouseMessage, PressesAndReleasesOfTheMiddleButtonOnly)
{
    EXPECT_EQ(MiddlePress, ClassifyMouseMessage(0x0207));    // WM_MBUTTONDOWN
    EXPECT_EQ(MiddlePress, ClassifyMouseMessage(0x0209));    // WM_MBUTTONDBLCLK
    EXPECT_EQ(MiddlePress, ClassifyMouseMessage(0x00A7));    // WM_NCMBUTTONDOWN
    EXPECT_EQ(MiddlePress, ClassifyMouseMessage(0x00A9));    // WM_NCMBUTTONDBLCLK
    EXPECT_EQ(MiddleRelease, ClassifyMouseMessage(0x0208));
    EXPECT_EQ(MiddleRelease, ClassifyMouseMessage(0x00A8));
    for (unsigned m : { 0x0200u, 0x0201u, 0x0202u, 0x0203u, 0x0204u, 0x020Au, 0x020Bu,
                        0x00A0u, 0x00A1u, 0x0000u, 0xFFFFFFFFu })
        EXPECT_EQ(OtherMouseEvent, ClassifyMouseMessage(m)) << m;
}

TEST(ParseRelayHandle, AcceptsPlainDecimalWithin32Bits)
{
    unsigned long value = 0;
    ASSERT_TRUE(ParseRelayHandle("65818", &value));
    EXPECT_EQ(65818ul, value);
    ASSERT_TRUE(ParseRelayHandle("4294967295", &value));
    EXPECT_EQ(4294967295ul, value);
    ASSERT_TRUE(ParseRelayHandle("2147483649", &value));
    EXPECT_EQ(2147483649ul, value);
}

TEST(ParseRelayHandle, RefusesAnythingElseAndLeavesTheValueAlone)
{
    const char* hostile[] = { "", "0", "00", "012", "-1", "+1", " 1", "1 ", "1a", "0x10",
                              "4294967296", "99999999999", "12345678901", "1e3", "\xb9",
                              "18446744073709551617" };
    for (const char* text : hostile) {
        unsigned long value = 7;
        EXPECT_FALSE(ParseRelayHandle(text, &value)) << '"' << text << '"';
        EXPECT_EQ(7ul, value);
    }
    unsigned long value = 7;
    EXPECT_FALSE(ParseRelayHandle(nullptr, &value));
}

TEST(ParseShiftField, OnlyOneAndZeroAreOptions)
{
    EXPECT_EQ(ShiftFieldOn, ParseShiftField("1"));
    EXPECT_EQ(ShiftFieldOff, ParseShiftField("0"));
    for (const char* text : { "", "10", "01", "2", " 1", "1\n", "true" })
        EXPECT_EQ(ShiftFieldInvalid, ParseShiftField(text)) << text;
    EXPECT_EQ(ShiftFieldInvalid, ParseShiftField(nullptr));
}

TEST(DecideClickRequest, ControlShowsTheWindowWhateverTheOption)
{
    for (bool shift : { false, true })
        for (ShiftField option : { ShiftFieldOff, ShiftFieldOn })
            EXPECT_EQ(RequestShowWindow, DecideClickRequest(true, shift, option));
}

TEST(DecideClickRequest, TheShiftOptionLimitsOnlyTheFolder)
{
    EXPECT_EQ(RequestOpenFolder, DecideClickRequest(false, false, ShiftFieldOff));
    EXPECT_EQ(RequestOpenFolder, DecideClickRequest(false, true, ShiftFieldOff));
    EXPECT_EQ(NoRequest, DecideClickRequest(false, false, ShiftFieldOn));
    EXPECT_EQ(RequestOpenFolder, DecideClickRequest(false, true, ShiftFieldOn));
}

TEST(DecideClickRequest, AnUntrustedRelayAsksForNothing)
{
    for (bool control : { false, true })
        for (bool shift : { false, true })
            EXPECT_EQ(NoRequest, DecideClickRequest(control, shift, ShiftFieldInvalid));
}

// Which program's relay counts: the folder structure, with an exact comparison
// (the platform's case folding is the Win32 layer's to show).
bool Exact(const wchar_t* first, const wchar_t* second, int length)
{
    return std::wmemcmp(first, second, static_cast<size_t>(length)) == 0;
}

bool Beside(const std::wstring& image, const std::wstring& library)
{
    return IsProgramBesideLibrary(image.c_str(), static_cast<int>(image.size()), library.c_str(),
                                  static_cast<int>(library.size()), Exact);
}

TEST(IsProgramBesideLibrary, OnlyTheProgramFileInTheLibrarysOwnFolder)
{
    const std::wstring library = L"\\Device\\HarddiskVolume3\\Tools\\CP\\ClickPocket.dll";
    // The program's file, also renamed as a second download or a copy is named.
    for (const wchar_t* name : { L"ClickPocket.exe", L"ClickPocket (2).exe", L"ClickPocket - Copy.exe" })
        EXPECT_TRUE(Beside(L"\\Device\\HarddiskVolume3\\Tools\\CP\\" + std::wstring(name), library));
    const wchar_t* others[] = {
        L"\\Device\\HarddiskVolume3\\Tools\\CP2\\ClickPocket.exe",     // same beginning, longer
        L"\\Device\\HarddiskVolume3\\Tools\\C\\ClickPocket.exe",       // shorter
        L"\\Device\\HarddiskVolume3\\Tools\\ClickPocket.exe",          // the folder above
        L"\\Device\\HarddiskVolume3\\Tools\\CP\\sub\\ClickPocket.exe", // a folder below
        L"\\Device\\HarddiskVolume2\\Tools\\CP\\ClickPocket.exe",      // another volume
        L"\\Device\\HarddiskVolume3\\Tools\\XY\\ClickPocket.exe",      // another folder, same length
        L"\\Device\\HarddiskVolume3\\Tools\\CP\\cpclicktarget.exe",    // another program beside it
        L"\\Device\\HarddiskVolume3\\Tools\\CP\\ClickPocket.exe2",
        L"\\Device\\HarddiskVolume3\\Tools\\CP\\ClickPocket.ex",
        L"\\Device\\HarddiskVolume3\\Tools\\CP\\Other.exe",           // any other name beside it
        L"\\Device\\HarddiskVolume3\\Tools\\CP\\MyClickPocket.exe",
        L"\\Device\\HarddiskVolume3\\Tools\\CP\\ClickPocket.exe.lnk",
        L"\\Device\\HarddiskVolume3\\Tools\\CP\\CLICKP~1.EXE",        // an alias: the file system's to say
        L"\\Device\\HarddiskVolume3\\Tools\\CP\\",
        L"ClickPocket.exe", L"" };
    for (const wchar_t* image : others)
        EXPECT_FALSE(Beside(image, library)) << std::wstring(image).size();
    // A library path without a folder has no program beside it.
    EXPECT_FALSE(Beside(L"\\ClickPocket.exe", L"ClickPocket.dll"));
}

TEST(IsProgramBesideLibrary, ComparesTheWholeFolderOfAnyLetters)
{
    // Non-ASCII letters compare unit for unit; the folder is not cut short.
    const std::wstring folder = L"\\Device\\HarddiskVolume3\\\u8d44\u6599 Caf\u00e9\\";
    EXPECT_TRUE(Beside(folder + L"ClickPocket.exe", folder + L"ClickPocket.dll"));
    EXPECT_FALSE(Beside(L"\\Device\\HarddiskVolume3\\\u8d44\u6599 Cafe\\ClickPocket.exe",
                        folder + L"ClickPocket.dll"));
    std::wstring deep = L"\\Device\\HarddiskVolume3\\" + std::wstring(400, L'x') + L"\\";
    EXPECT_TRUE(Beside(deep + L"ClickPocket.exe", deep + L"ClickPocket.dll"));
    EXPECT_FALSE(Beside(deep + L"y\\ClickPocket.exe", deep + L"ClickPocket.dll"));
}

TEST(MayHoldShortNames, OnlyAPathWithATilde)
{
    auto holds = [](const wchar_t* path, int length) { return MayHoldShortNames(path, length); };
    EXPECT_TRUE(holds(L"C:\\PROGRA~1\\ClickPocket.exe", 27));
    EXPECT_TRUE(holds(L"Z:\\tmp\\CLIC~DUW.EXE", 19));
    EXPECT_FALSE(holds(L"C:\\Tools\\ClickPocket (2).exe", 28));
    EXPECT_FALSE(holds(L"C:\\A~", 4));          // only the length given counts
}

TEST(DrivePathPrefixLength, OnlyWinesDriveFormOfAMappedFile)
{
    const wchar_t* drive = L"\\??\\Z:\\tmp\\ClickPocket.dll";
    EXPECT_EQ(4, DrivePathPrefixLength(drive, 26));
    EXPECT_EQ(4, DrivePathPrefixLength(L"\\??\\c:\\x", 8));
    const wchar_t* others[] = { L"\\Device\\HarddiskVolume2\\tmp\\ClickPocket.dll",
                                L"\\??\\UNC\\server\\share\\ClickPocket.dll", L"\\??\\Z:",
                                L"\\??\\1:\\x", L"\\\\?\\Z:\\x", L"Z:\\tmp\\ClickPocket.dll", L"" };
    for (const wchar_t* path : others)
        EXPECT_EQ(0, DrivePathPrefixLength(path, static_cast<int>(std::wcslen(path))));
}

}  // namespace
