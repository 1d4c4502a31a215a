#include "EditBox.h"

#include <gtest/gtest.h>

namespace zaro::test {
namespace {

TEST(EditBox, TellsTheViewAboutRealChangesOnly) {
    TEditBox box;
    int changes = 0;
    box.OnChange.Connect([&](TEditBox& sender) { changes += &sender == &box ? 1 : 100; });
    box.SetText("1k");
    box.SetText("1k");
    box.SetReadOnly(true);
    box.SetReadOnly(true);
    box.SetColor(clBtnFace);
    box.SetColor(clBtnFace);
    box.SetFontHeight(11);
    box.SetFontHeight(11);
    box.SetBounds(12, 26, 72, 16);
    box.SetBounds(12, 26, 72, 16);
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(box.Text(), "1k");
    EXPECT_TRUE(box.ReadOnly());
    EXPECT_EQ(box.Color(), clBtnFace);
    EXPECT_EQ(box.FontHeight(), 11);
    EXPECT_EQ(box.BoundsRect(), (TRect{12, 26, 84, 42}));
}

TEST(EditBox, NegativeSizeIsTakenAsZero) {
    TEditBox box;
    box.SetBounds(4, 4, -9, -1);
    EXPECT_EQ(box.Left(), 4);
    EXPECT_EQ(box.Width(), 0);
    EXPECT_EQ(box.Height(), 0);
}

} // namespace
} // namespace zaro::test
