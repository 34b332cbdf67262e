// Hot, pressed and focus as the shared state machine moves them.
#include "framework/ButtonBehavior.h"

#include <gtest/gtest.h>

using orvane::ButtonBehavior;

TEST(ButtonBehaviorTest, EnteringPressingAndLeaving) {
    ButtonBehavior b;
    EXPECT_TRUE(b.pointerOver());
    EXPECT_FALSE(b.pointerOver());  // only the first move enters
    EXPECT_TRUE(b.press());
    EXPECT_FALSE(b.pointerOutside());  // a press holds the hot state
    EXPECT_TRUE(b.hot());
    EXPECT_TRUE(b.release());
    EXPECT_TRUE(b.pointerOutside());
    EXPECT_FALSE(b.pointerOutside());
    EXPECT_FALSE(b.hot());
}

TEST(ButtonBehaviorTest, LosingTheFocusEndsAPress) {
    ButtonBehavior b;
    EXPECT_TRUE(b.focus());
    EXPECT_FALSE(b.focus());
    b.press();
    EXPECT_TRUE(b.blur());
    EXPECT_FALSE(b.pressed());
    EXPECT_FALSE(b.focused());
    EXPECT_FALSE(b.blur());
}
