// The spin's geometry as plain numbers: layout, button rectangles, hit
// tests, themed rectangles, frame and arrow shape.
#include <gtest/gtest.h>

#include "visual/spin_ctl.h"

namespace {

using qx::SpinGeometry;

TEST(SpinLayout, SplitsTheHeightBetweenTwoEqualButtons) {
    struct {
        int width, height;
        unsigned edges;
        int border;
        int buttonHeight, buttonWidth, gap;
    } cases[] = {
        {16, 20, 11, 1, 9, 14, 0},  // left, right, bottom edges: 20 - 2 rows
        {16, 21, 11, 1, 9, 14, 1},  // the odd row widens the divider
        {16, 20, 1, 1, 9, 15, 1},   // left edge only: 19 rows left
        {16, 20, 15, 1, 8, 14, 1},  // every edge
        {16, 20, 15, 2, 7, 12, 0},  // 2-pixel borders: 20 - 6 rows
        {17, 40, 11, 1, 19, 15, 0},
        {1, 20, 3, 1, 9, 0, 1},     // narrower than its borders
        {16, 1, 11, 1, 0, 14, 0},   // lower than its borders
    };
    for (const auto &c : cases) {
        const SpinGeometry g = qx::SpinLayout(7, 3, c.width, c.height, c.edges, c.border, c.border);
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " edges " << c.edges);
        EXPECT_EQ(g.upperHeight, c.buttonHeight);
        EXPECT_EQ(g.lowerHeight, c.buttonHeight);
        EXPECT_EQ(g.buttonWidth, c.buttonWidth);
        EXPECT_EQ(g.gap, c.gap);
        EXPECT_EQ(g.left, 7);
        EXPECT_EQ(g.top, 3);
    }
}

bool SameRect(const RECT &a, LONG l, LONG t, LONG r, LONG b) {
    return a.left == l && a.top == t && a.right == r && a.bottom == b;
}

TEST(SpinLayout, RectanglesFrameAndThemedRectangles) {
    // Edges 11 at x 30: a 1-pixel left frame column, a divider row and a gap row.
    SpinGeometry g = qx::SpinLayout(30, 0, 16, 21, 11, 1, 1);
    const RECT up = qx::SpinButtonRect(g, qx::kSpinUpper), down = qx::SpinButtonRect(g, qx::kSpinLower);
    EXPECT_TRUE(SameRect(up, 31, 0, 44, 8));
    EXPECT_TRUE(SameRect(down, 31, 11, 44, 19));
    EXPECT_TRUE(SameRect(qx::SpinThemedRect(up, qx::kSpinUpper), 30, -1, 46, 10));
    EXPECT_TRUE(SameRect(qx::SpinThemedRect(down, qx::kSpinLower), 30, 12, 46, 22));
    const qx::SpinFrame f = qx::SpinFrameOf(g);
    EXPECT_EQ(f.x1, 45);
    EXPECT_EQ(f.y1, 20);
    EXPECT_EQ(f.xa, 31);
    EXPECT_EQ(f.xb, 44);
    EXPECT_TRUE(SameRect(f.divider, 31, 9, 45, 12));

    // A top edge moves both buttons down a border row.
    g = qx::SpinLayout(0, 5, 10, 20, 4, 1, 1);
    EXPECT_TRUE(SameRect(qx::SpinButtonRect(g, qx::kSpinUpper), 0, 6, 9, 14));
    EXPECT_TRUE(SameRect(qx::SpinButtonRect(g, qx::kSpinLower), 0, 16, 9, 24));
}

TEST(SpinLayout, HitTestLeavesOutTheLastColumnAndRow) {
    const SpinGeometry g = qx::SpinLayout(30, 0, 16, 21, 11, 1, 1);
    struct {
        int x, y;
        qx::SpinButton hit;
    } cases[] = {
        {31, 0, qx::kSpinUpper},  {43, 7, qx::kSpinUpper},  {44, 0, qx::kSpinNone},
        {31, 8, qx::kSpinNone},   {31, 9, qx::kSpinNone},   {31, 10, qx::kSpinNone},
        {31, 11, qx::kSpinLower}, {43, 18, qx::kSpinLower}, {43, 19, qx::kSpinNone},
        {30, 5, qx::kSpinNone},   {45, 5, qx::kSpinNone},   {31, 20, qx::kSpinNone},
    };
    for (const auto &c : cases)
        EXPECT_EQ(qx::SpinHitTest(g, c.x, c.y), c.hit) << c.x << "," << c.y;
}

TEST(SpinArrow, TwoThirdsOfTheHeightNoWiderThanTheButton) {
    struct {
        RECT r;
        int rows, cx, top;
    } cases[] = {
        {{0, 0, 11, 6}, 4, 6, 1},    // 12 x 7: height decides
        {{10, 20, 14, 34}, 3, 12, 26},  // 5 x 15: width decides
        {{0, 0, 1, 2}, 1, 1, 1},     // 2 x 3
        {{0, 0, 0, 0}, 0, 0, 0},     // 1 x 1: nothing fits
        {{5, 5, 3, 3}, 0, 4, 5},     // an empty button
    };
    for (const auto &c : cases) {
        const qx::SpinArrow a = qx::SpinArrowIn(c.r, true);
        EXPECT_EQ(a.rows, c.rows) << c.r.left << "," << c.r.top;
        if (a.rows == 0) continue;
        EXPECT_EQ(a.cx, c.cx);
        EXPECT_EQ(a.top, c.top);
        EXPECT_EQ(a.RowY(0), c.top);
        EXPECT_EQ(qx::SpinArrowIn(c.r, false).RowY(0), c.top + c.rows - 1);
    }
}

}  // namespace
