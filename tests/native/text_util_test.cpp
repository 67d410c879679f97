#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "core/text_util.h"

namespace {

TEST(DeriveInstallDir, KeepsFolderWithItsBackslash)
{
    char out[64];
    ASSERT_TRUE(DeriveInstallDir("C:\\Tools\\ClickPocket\\ClickPocket.exe", out, sizeof out));
    EXPECT_STREQ("C:\\Tools\\ClickPocket\\", out);
    ASSERT_TRUE(DeriveInstallDir("C:\\ClickPocket.exe", out, sizeof out));
    EXPECT_STREQ("C:\\", out);
}

TEST(DeriveInstallDir, OddPathsFollowTheBackwardScan)
{
    char out[16];
    // The first character is never examined: a lone leading backslash is not a folder.
    ASSERT_TRUE(DeriveInstallDir("\\file.exe", out, sizeof out));
    EXPECT_STREQ("\\", out);
    ASSERT_TRUE(DeriveInstallDir("program.exe", out, sizeof out));
    EXPECT_STREQ("p", out);
    ASSERT_TRUE(DeriveInstallDir("", out, sizeof out));
    EXPECT_STREQ("", out);
    ASSERT_TRUE(DeriveInstallDir("ab\\", out, sizeof out));
    EXPECT_STREQ("ab\\", out);
}

TEST(DeriveInstallDir, RefusesAFolderThatDoesNotFit)
{
    char out[8];
    memset(out, 'x', sizeof out);
    EXPECT_FALSE(DeriveInstallDir("C:\\1234567\\a.exe", out, sizeof out));
    EXPECT_STREQ("", out);
    EXPECT_TRUE(DeriveInstallDir("C:\\12\\a.exe", out, sizeof out));   // 6 + NUL fits
}

TEST(SameText, GoesByteForByte)
{
    EXPECT_TRUE(SameText("C:\\My ClickPocket", "C:\\My ClickPocket"));
    EXPECT_FALSE(SameText("C:\\My ClickPocket", "C:\\My ClickPocket\xff"));   // no character, still a byte
    EXPECT_FALSE(SameText("c:\\my clickpocket", "C:\\My ClickPocket"));
    EXPECT_FALSE(SameText("", 0));
}

TEST(BoundedText, CopyAppendAndJoinStopAtTheBufferEnd)
{
    char out[8];
    EXPECT_TRUE(CopyText(out, sizeof out, "1234567"));
    EXPECT_FALSE(CopyText(out, sizeof out, "12345678"));
    EXPECT_STREQ("", out);

    ASSERT_TRUE(CopyText(out, sizeof out, "abc"));
    EXPECT_TRUE(AppendText(out, sizeof out, "defg"));
    EXPECT_STREQ("abcdefg", out);
    EXPECT_FALSE(AppendText(out, sizeof out, "h"));
    EXPECT_STREQ("", out);          // never a cut-off text

    EXPECT_TRUE(JoinText(out, sizeof out, "C:\\", "a.tx"));
    EXPECT_STREQ("C:\\a.tx", out);
    EXPECT_FALSE(JoinText(out, sizeof out, "C:\\dir\\", "a.txt"));
}

TEST(BoundedText, AppendRefusesABufferWithoutTerminator)
{
    char out[4] = { 'a', 'b', 'c', 'd' };
    EXPECT_FALSE(AppendText(out, sizeof out, ""));
    EXPECT_EQ('\0', out[0]);
}

TEST(FormatText, ReplacesTheFirstPlaceholderOnly)
{
    char out[64];
    ASSERT_TRUE(FormatText(out, sizeof out, "[Error %s]", "58R4TH"));
    EXPECT_STREQ("[Error 58R4TH]", out);
    ASSERT_TRUE(FormatText(out, sizeof out, "%s and %s", "one"));
    EXPECT_STREQ("one and %s", out);
    ASSERT_TRUE(FormatText(out, sizeof out, "100%", "x"));
    EXPECT_STREQ("100%", out);
    ASSERT_TRUE(FormatText(out, sizeof out, "a%sb", ""));
    EXPECT_STREQ("ab", out);
}

TEST(FormatText, RefusesWhatDoesNotFit)
{
    char out[10];
    EXPECT_TRUE(FormatText(out, sizeof out, "ab%scd", "12345"));     // 9 + NUL
    EXPECT_FALSE(FormatText(out, sizeof out, "ab%scd", "123456"));
    EXPECT_STREQ("", out);
}

TEST(FormatUnsigned, WritesPlainDecimalDigits)
{
    char out[16];
    ASSERT_TRUE(FormatUnsigned(out, sizeof out, 0));
    EXPECT_STREQ("0", out);
    ASSERT_TRUE(FormatUnsigned(out, sizeof out, 65818));
    EXPECT_STREQ("65818", out);
    // A handle with its top bit set is a number above 2147483647, with no sign.
    ASSERT_TRUE(FormatUnsigned(out, sizeof out, 0x80000001UL));
    EXPECT_STREQ("2147483649", out);
    ASSERT_TRUE(FormatUnsigned(out, sizeof out, 0xFFFFFFFFUL));
    EXPECT_STREQ("4294967295", out);
    char tiny[3];
    EXPECT_FALSE(FormatUnsigned(tiny, sizeof tiny, 123));
}

TEST(FolderWithoutTrailingSeparator, ShowsTheFolderWithoutItsBackslash)
{
    char out[32];
    ASSERT_TRUE(FolderWithoutTrailingSeparator("C:\\Tools\\", out, sizeof out));
    EXPECT_STREQ("C:\\Tools", out);
    // At the root of a drive: the letter and the colon alone.
    ASSERT_TRUE(FolderWithoutTrailingSeparator("D:\\", out, sizeof out));
    EXPECT_STREQ("D:", out);
    // Nothing to cut never reaches before the buffer.
    ASSERT_TRUE(FolderWithoutTrailingSeparator("", out, sizeof out));
    EXPECT_STREQ("", out);
    ASSERT_TRUE(FolderWithoutTrailingSeparator("\\", out, sizeof out));
    EXPECT_STREQ("", out);
}

TEST(RunCommand, IsThePathInQuotesOrNothing)
{
    const char path[] = "D:\\My Tools\\\xE8\xB5\x84\xE6\x96\x99 Caf\xC3\xA9\\ClickPocket.exe";
    char out[64];
    ASSERT_TRUE(QuoteText(out, sizeof out, path));
    EXPECT_EQ(std::string("\"") + path + "\"", out);
    // Exactly full, then one byte short: refused whole, never cut.
    char exact[sizeof path + 2];
    EXPECT_TRUE(QuoteText(exact, sizeof exact, path));
    char shortOne[sizeof path + 1];
    EXPECT_FALSE(QuoteText(shortOne, sizeof shortOne, path));
    EXPECT_STREQ("", shortOne);
}

TEST(RunCommand, NamesAPathQuotedOrNotInAnyLetterCase)
{
    const char path[] = "C:\\Tools\\Caf\xC3\xA9\\ClickPocket.exe";
    EXPECT_TRUE(CommandNamesPath(path, path));
    EXPECT_TRUE(CommandNamesPath("\"C:\\Tools\\Caf\xC3\xA9\\ClickPocket.exe\"", path));
    EXPECT_TRUE(CommandNamesPath("c:\\TOOLS\\CAF\xC3\xA9\\clickpocket.EXE", path));
    EXPECT_FALSE(CommandNamesPath("C:\\Tools\\Cafe\\ClickPocket.exe", path));
    EXPECT_FALSE(CommandNamesPath("\"C:\\Tools\\Caf\xC3\xA9\\ClickPocket.exe", path));
    EXPECT_FALSE(CommandNamesPath("\"C:\\Tools\\Caf\xC3\xA9\\ClickPocket.exe\" /x", path));
    EXPECT_FALSE(CommandNamesPath("C:\\Tools\\Caf\xC3\xA9\\ClickPocket.exe2", path));
    EXPECT_FALSE(CommandNamesPath("\"\"", ""));
    EXPECT_FALSE(CommandNamesPath(0, path));
}

}  // namespace
