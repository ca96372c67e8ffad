// The picture-mask exports through the real DLL. Runs with a theme, in the
// classic look, and where a version below 4 is reported (old 3-D option).
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "harness.h"
#include "qx_cntl.h"

namespace {

TEST(QXPicFormatText, WorkedExamples) {
    struct {
        const char *mask, *raw;
        bool ok;
        const char *out;
    } cases[] = {
        {"UU-99", "ab12", true, "AB-12"},     {"UU-99", "AB-12", true, "AB-12"},
        {"UU-99", "a", true, "A -  "},        {"UU-99", "a1", false, ""},
        {"/9-99", "12", true, "9-12"},        {"LL", "QR", true, "qr"},
        {"HH", "fg", false, ""},              {"99", "1 ", true, "1 "},
        {"(999) 999-99", "5551234567", true, "(555) 123-45"},
    };
    for (const auto &c : cases) {
        char out[32];
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(QXPicFormatText(c.mask, c.raw, out, sizeof out), c.ok ? 1 : 0)
            << c.mask << " / " << c.raw;
        EXPECT_STREQ(out, c.out) << c.mask << " / " << c.raw;
    }
}

TEST(QXPicFormatText, SizesAndNullArguments) {
    char out[8];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(QXPicFormatText("999", "123", out, 1), 1);
    EXPECT_EQ(out[0], '\0');
    EXPECT_EQ(out[1], '#');
    EXPECT_EQ(QXPicFormatText("999", "123", out, 3), 1);
    EXPECT_STREQ(out, "12");
    EXPECT_EQ(out[3], '#');
    EXPECT_EQ(QXPicFormatText(nullptr, "1", out, 8), 0);
    EXPECT_EQ(QXPicFormatText("9", nullptr, out, 8), 0);
    EXPECT_EQ(QXPicFormatText("9", "1", nullptr, 8), 0);
    EXPECT_EQ(QXPicFormatText("9", "1", out, 0), 0);
}

// A memory DC with a known font; widths come from the font itself.
class MeasureDC {
public:
    MeasureDC()
        : dc_(CreateCompatibleDC(nullptr)),
          font_(CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                            "MS Sans Serif")),
          old_(SelectObject(dc_, font_)) {}
    ~MeasureDC() {
        SelectObject(dc_, old_);
        DeleteObject(font_);
        DeleteDC(dc_);
    }
    HDC get() const { return dc_; }
    int Width(const char *chars) const {
        int sum = 0;
        for (const char *p = chars; *p; ++p) {
            SIZE s;
            GetTextExtentPoint32A(dc_, p, 1, &s);
            sum += s.cx;
        }
        return sum;
    }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

// What the border terms add for this system: the thin border on both sides,
// then the 3-D edge where the version is 4 or more, else the old 3-D frame
// when it is asked for.
int BorderTerms(bool old3d) {
    int w = 2 * GetSystemMetrics(SM_CXBORDER);
    if (qxt::OsMajor() >= 4)
        w += 2 * GetSystemMetrics(SM_CXEDGE);
    else if (old3d)
        w += 4;
    return w;
}

TEST(GetPictCtlWidth, ReportedVersionIsTheRequestedOne) {
    if (qxt::RequestedVersion() == "nt351") {
        EXPECT_EQ(qxt::OsMajor(), 3u);
    } else {
        EXPECT_GE(qxt::OsMajor(), 6u);
    }
}

TEST(GetPictCtlWidth, EmptyMaskIsThreePlusBorders) {
    QXEnableOld3d(0);
    // Wine's metrics: 1-pixel borders, 2-pixel edges, a scroll bar 17 wide
    // themed and 16 classic.
    const int spin = qxt::ClassicPrefix() ? 16 : 17;
    const int borders = qxt::OsMajor() >= 4 ? 2 + 4 : 2;
    MeasureDC dc;
    EXPECT_EQ(GetPictCtlWidth("", dc.get(), 0), static_cast<UINT>(3 + borders));
    EXPECT_EQ(GetPictCtlWidth("", dc.get(), 1), static_cast<UINT>(3 + borders + spin));
    // A missing mask is the empty mask.
    EXPECT_EQ(GetPictCtlWidth(nullptr, dc.get(), 0), static_cast<UINT>(3 + borders));
    EXPECT_EQ(GetPictCtlWidth(nullptr, dc.get(), 1), static_cast<UINT>(3 + borders + spin));
}

TEST(GetPictCtlWidth, RepresentativeCharacters) {
    MeasureDC dc;
    struct {
        const char *mask;
        const char *measured;  // the characters whose widths the mask adds
    } cases[] = {
        {"99", "99"},          {"AaNnUuXx", "WWWWWWWW"}, {"Hh", "EE"},
        {"Ll", "ww"},          {"(999) 999-99", "(999) 999-99"},
        {"/9/A//", "9A/"},     {"99:99 am", "99:99 Wm"},
    };
    for (int old3d = 0; old3d <= 1; ++old3d) {
        QXEnableOld3d(static_cast<QXBOOL>(old3d));
        for (const auto &c : cases) {
            const int expected = dc.Width(c.measured) + 3 + BorderTerms(old3d);
            EXPECT_EQ(GetPictCtlWidth(c.mask, dc.get(), 0), static_cast<UINT>(expected))
                << "mask " << c.mask << " old3d " << old3d;
            EXPECT_EQ(GetPictCtlWidth(c.mask, dc.get(), 1),
                      static_cast<UINT>(expected + GetSystemMetrics(SM_CXVSCROLL)))
                << "mask " << c.mask;
        }
    }
    QXEnableOld3d(0);
}

// Old 3-D matters only where the major version is below 4.
TEST(GetPictCtlWidth, Old3dAddsFourOnlyOnOldSystems) {
    MeasureDC dc;
    QXEnableOld3d(0);
    const UINT off = GetPictCtlWidth("999", dc.get(), 0);
    QXEnableOld3d(1);
    const UINT on = GetPictCtlWidth("999", dc.get(), 0);
    QXEnableOld3d(0);
    EXPECT_EQ(on - off, qxt::OsMajor() < 4 ? 4u : 0u);
}

TEST(GetPictCtlWidth, UnmeasurableCharactersCountZero) {
    QXEnableOld3d(0);
    MeasureDC dc;
    // No device context: every character fails to measure (and beeps).
    EXPECT_EQ(GetPictCtlWidth("999", nullptr, 0), GetPictCtlWidth("", dc.get(), 0));
}

}  // namespace
