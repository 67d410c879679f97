// The texts the program writes and shows: what the user reads must be exact.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/info_text.h"
#include "core/messages.h"
#include "core/path_rules.h"
#include "core/text_util.h"

namespace {

std::vector<std::string> SplitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

TEST(InfoText, IsThirteenCrLfLinesOf550Bytes)
{
    std::string text(InfoText, InfoTextLength);
    EXPECT_EQ(550u, text.size());
    EXPECT_EQ(std::string::npos, text.find('\0'));
    std::vector<std::string> lines = SplitCrLf(text);
    ASSERT_EQ(13u, lines.size());
    EXPECT_EQ("Welcome!", lines[0]);
    EXPECT_EQ("(Corvellan International)", lines[12]);
    for (size_t i = 1; i < lines.size(); i += 2)
        EXPECT_EQ("", lines[i]) << "line " << i + 1;
    // No stray line ends inside the lines, and none after the last.
    for (const std::string& line : lines)
        EXPECT_EQ(std::string::npos, line.find_first_of("\r\n"));
    EXPECT_NE('\n', text.back());
}

TEST(Messages, EveryPatternHasExactlyOnePlaceholder)
{
    const char* patterns[] = { FlagFileErrorPattern, FolderOpenErrorPattern,
                               MissingDocumentPattern, ExitConfirmPattern,
                               MissingLicensePattern };
    for (const char* pattern : patterns) {
        std::string text(pattern);
        size_t first = text.find("%s");
        ASSERT_NE(std::string::npos, first) << pattern;
        EXPECT_EQ(std::string::npos, text.find("%s", first + 2)) << pattern;
        EXPECT_EQ(first, text.find('%')) << pattern;
    }
}

TEST(Messages, FlagFileErrorEndsWithItsCode)
{
    char text[1024];
    ASSERT_TRUE(FormatText(text, sizeof text, FlagFileErrorPattern, FlagCodeShiftOn));
    std::string shown(text);
    EXPECT_EQ(0u, shown.find("Failed to create flag file!\n\n"));
    EXPECT_EQ("\n\n[Error 68R4TH]", shown.substr(shown.size() - 16));
}

TEST(Messages, MissingDocumentNamesThePathThenTheProductPage)
{
    char text[5120];
    ASSERT_TRUE(FormatText(text, sizeof text, MissingDocumentPattern, "C:\\CP\\readme.txt"));
    EXPECT_EQ(std::string("File:\n\nC:\\CP\\readme.txt\n\ncannot be found. Please reinstall "
                          "software or visit:\n") + ProductPageUrl,
              text);
}

TEST(Messages, ExitConfirmationShowsTheFolderWithoutBackslash)
{
    char folder[16];
    char text[5120];
    ASSERT_TRUE(FolderWithoutTrailingSeparator("E:\\", folder, sizeof folder));
    ASSERT_TRUE(FormatText(text, sizeof text, ExitConfirmPattern, folder));
    EXPECT_NE(std::string::npos, std::string(text).find(":\n\nE:\n\nAre you sure"));
}

TEST(Messages, AnyInstallPathFitsTheMessageBuffers)
{
    // The longest folder the program accepts still fits every message that quotes it.
    std::string folder = "C:\\" + std::string(PathBufferBytes - LongestInstallSuffix - 5, 'x') + "\\";
    ASSERT_TRUE(InstallDirFits(folder.size()));
    std::string path = folder + "license.txt";
    char text[4096 + 1024];
    EXPECT_TRUE(FormatText(text, sizeof text, MissingLicensePattern, path.c_str()));
    EXPECT_TRUE(FormatText(text, sizeof text, ExitConfirmPattern, folder.c_str()));
}

TEST(PathRules, RefusesAnInstallFolderTooLongForItsLongestPath)
{
    EXPECT_EQ(40, LongestInstallSuffix);
    EXPECT_TRUE(InstallDirFits(PathBufferBytes - 41));
    EXPECT_FALSE(InstallDirFits(PathBufferBytes - 40));
    EXPECT_FALSE(InstallDirFits(PathBufferBytes));
}

}  // namespace
