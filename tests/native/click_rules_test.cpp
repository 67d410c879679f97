// The hook library's decisions, fed with hostile relay texts as well as good ones.
#include <gtest/gtest.h>

#include "hooklib/click_rules.h"

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

}  // namespace
