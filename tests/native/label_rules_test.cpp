// Where a label's text goes, and which look a button takes for a draw request.
#include <gtest/gtest.h>

#include "paint/label_rules.h"

namespace {

void ExpectArea(LabelTextArea area, int left, int top, int right, int bottom)
{
    EXPECT_EQ(left, area.left);
    EXPECT_EQ(top, area.top);
    EXPECT_EQ(right, area.right);
    EXPECT_EQ(bottom, area.bottom);
}

TEST(LabelInset, KeepsAHundredthFreeAndOneMarginMoreAtTheRightAndBottom)
{
    ExpectArea(LabelInset(250, 40, 0), 2, 0, 248, 40);
    ExpectArea(LabelInset(200, 30, 5), 7, 5, 188, 20);
    ExpectArea(LabelInset(99, 99, 0), 0, 0, 99, 99);     // divisions truncate
    ExpectArea(LabelInset(0, 0, 0), 0, 0, 0, 0);
    ExpectArea(LabelInset(100, 100, -1), 0, 0, 101, 101); // a negative margin grows it
}

TEST(ButtonLook, DisabledWinsOverEveryAction)
{
    for (unsigned action : { 0x1u, 0x2u, 0x4u, 0x0u })   // full, select, focus, none
        EXPECT_EQ(LookDisabled, PickButtonLook(action, StateDisabled | StateSelected, true));
    EXPECT_FALSE(LookNeedsFocusBit(DrawEntire, StateDisabled));
}

TEST(ButtonLook, AFullRedrawGoesByTheButtonsOwnFocusBitAlone)
{
    EXPECT_TRUE(LookNeedsFocusBit(DrawEntire, 0));
    EXPECT_FALSE(LookNeedsFocusBit(DrawFocus | DrawSelect, StateFocus));
    EXPECT_EQ(LookFocus, PickButtonLook(DrawEntire, 0, true));
    EXPECT_EQ(LookRest, PickButtonLook(DrawEntire, StateFocus | StateSelected, false));
    // A full redraw is looked at before the other actions.
    EXPECT_EQ(LookRest, PickButtonLook(DrawEntire | DrawSelect, StateSelected, false));
}

TEST(ButtonLook, FocusThenSelectionActions)
{
    EXPECT_EQ(LookFocus, PickButtonLook(DrawFocus, StateFocus, false));
    EXPECT_EQ(LookRest, PickButtonLook(DrawFocus, StateSelected, false));
    EXPECT_EQ(LookRest, PickButtonLook(DrawFocus | DrawSelect, StateSelected, false));
    EXPECT_EQ(LookPressed, PickButtonLook(DrawSelect, StateSelected, false));
    // A release shows the focus look, focused or not.
    EXPECT_EQ(LookFocus, PickButtonLook(DrawSelect, 0, false));
    EXPECT_EQ(LookNone, PickButtonLook(0, StateSelected | StateFocus, true));
}

}  // namespace
