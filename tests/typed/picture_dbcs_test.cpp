// A picture window under code page 932: a position holds one byte, so no
// placeholder takes a lead byte, and a two-byte literal of the mask is one
// position showing its first byte.
#include "edit_window.h"

namespace {

class PictureDoubleByte : public qxt::EditWindowTest {};

TEST_F(PictureDoubleByte, OneByteAPosition) {
    ASSERT_EQ(GetACP(), 932u);
    const std::string literal = "\x81\x40", wide = "\x82\xa0";
    HWND h = Make("QXPicture", (literal + "XX9").c_str());
    Start(h, (literal + wide + "1").c_str());
    EXPECT_EQ(Shown(h), "|\x81 1 ");
    Play(h, "\xb1");  // a one-byte character of the code page
    EXPECT_EQ(Shown(h), "\x81\xb1|1 ");
    Play(h, ("@" + wide).c_str());
    EXPECT_EQ(Shown(h), "\x81\xb1|1 ");
    EXPECT_TRUE(Saw(h, 1));
}

}  // namespace
