// The typed edits through the DLL: typing, stepping, and the exports with their failures.
#include <clocale>

#include "edit_window.h"

namespace {

const char kPhone[] = "(999) 999-99";
const char kControls[] = "\x01\x1a\x7f\r\n\x1b\t";
const char *const E = "QXEdit", *I = "QXInteger", *F = "QXFloat", *P = "QXPicture", *T = "QXTime";

class TypedEdit : public qxt::EditWindowTest {};

// Keys (see Play) from a marked start, and what they left (see Run).
TEST_F(TypedEdit, Scripts) {
    const struct { const char *cls, *mask, *start, *keys, *seen; } cases[] = {
        {I, "", "", "12a-3", "123| u +3 beep"}, {I, "", "", "007", "7| u +3"}, {I, "999", "", "-100", "-10| u +3 beep"},
        {I, "", "", "-2147483648", "-2147483648| u +11"}, {I, "", "", "2147483648", "214748364| u +9 beep"},
        {I, "", "2147483647|", "{", "2147483647|"}, {I, "", "-2147483648|", "}", "-2147483648|"},
        {I, "99", "-9|", "}", "-9|"}, {I, "999", "999|", "{", "999|"}, {I, "", "", "{}}}", "|-2 u +4"},
        {I, "", "12|", "=1x", "12| ->0"}, {F, "9.9", "1[.]5", "!", "1[.]5 beep"}, {F, "", "", "@1-2-", "| beep"},
        {F, "", "", "1234567", "1,234,567| u +7"}, {F, "", "", "12345678901", "1,234,567,890| u +10 beep"},
        {F, "", "", "1.123456", "1.12345| u +7 beep"}, {F, "", "", "007.5", "7.5| u +5"}, {F, "", "", "-1a,2", "12| u +2 beep"},
        {F, "99.9", "", "123.45", "12.4| u +4 beep"}, {F, "", "", "1.25<<7", "1.7|5 u +5"}, {F, "", "", "1.5^.", "|1.5 u +3 beep"},
        {F, "", "", "12.5^>--", "1|2.5 u +6"},  // the sign toggles from anywhere
        {F, "", "", "(mask:99,999.99)123.5", "12.| u +3 beep ->0"},  // a refused mask: its digits count
        // typed or deleted inside the groups, the digits go where the caret is
        {F, "", "", "1234^>56", "156,|234 u +6"}, {F, "", "", "1234^>>~", "|234 u +5"},
        {F, "", "", "1234^>#", "1|34 u +5"},
        {P, kPhone, "", "5", "(5|  )    -   u +1"},        {P, kPhone, "", "(", "(|   )    -   +1"},
        {P, kPhone, "", "5a ", "(5|  )    -   u +1 beep"},      {P, kPhone, "", "5551234", "(555) 123-4|  u +7"},
        {P, kPhone, "(5|  )    -  ", "~", "(|   )    -   u +1"},
        {P, kPhone, "(555) 123-45|", "6", "(555) 123-45| beep"},
        {P, kPhone, "(|555) 123-45", "#", "( |55) 123-45 u +1"},
        {P, kPhone, "(555) 123-4|5", "#", "(555) 123-4|  u +1"},
        {P, kPhone, "(555) |123-45", "~", "(555)| 123-45 +1"}, {P, kPhone, "(|555) 123-45", "~", "|(555) 123-45 +1"},
        {P, kPhone, "](555) 123-45[", "~", "|(   )    -   u +1"},
        {P, kPhone, "(5[55) 123]-45", "7", "(57| )    -45 u +3"},  // blanked, then typed
        {P, kPhone, "", "@5551234", "(555) 123-4|  u +1"}, {P, kPhone, "", "@555123456", "|(   )    -   beep"},
        {P, "ulul", "", "aBcD", "AbCd| u +4"},  // both cases of the converting placeholders
        {T, "99:99 am", "", "7:05p", " 7:05 p|m u +5"},    {T, "99:99 a.m.", "", "7:05p", " 7:05 p|.m. u +5"},
        {T, "99:99 A.M.", "", "11:30a", "11:30 A|.M. u +6"},
        {T, "99:99", "", "23:59", "23:59| u +5"},          {T, "99:99", "", "9 7", " 9:7|  u +3"},
        {T, "99:99", "", "7p", " 7|:   u +1 beep"},             {T, "99:99 am", "", "13", " 1|:    m u +1 beep"},
        {T, "99:99", "", "24", " 2|:   u +1 beep"},             {T, "99:99", "", ":60", "  :6|  u +2 beep"},
        {T, "99:99 am", "", "123", "12|:    m u +2 beep"},      {T, "99:99 am", "", "7:05p~", " 7:05 | m u +6"},
        // Backspace or Delete over the space before the letter clears it too
        {T, "99:99 am", "", "7:05p<~", " 7:05|  m u +6"},  {T, "99:99 AM", "", "7:05p<<#", " 7:05 | M u +6"},
        // the field under the caret steps, the others are filled if empty
        {T, "99:99", "|  :  ", "{", "[00]:00 u +1"},  {T, "99:99", "|  :  ", "}", "[00]:00 u +1"},
        {T, "99:99", "  :|  ", "{", "23:[01] u +1"},  {T, "99:99", "  : | ", "}", "01:[59] u +1"},
        {T, "99:99", "23:[59]", "{", "23:[00] u +1"}, {T, "99:99", "2|3:10", "{{", "[01]:10 u +2"},
        {T, "99:99 am", "|  :    m", "{", "[12]:00 am u +1"}, {T, "99:99 am", "  :  |  m", "}", "01:[59] am u +1"},
        {T, "99:99 am", "|11:30 am", "{", "[12]:30 pm u +1"}, {T, "99:99 am", "07:05 a|m", "{", "07:05 [p]m u +1"},
        {T, "99:99 am", "|00:30 am", "{", "|00:30 am"},  // no time to read
        {T, "99:99 AM", "  :|    M", "{", "11:[01] PM u +1"}, {T, "99:99 AM", "0|1:00 AM", "}}", "[11]:00 PM u +2"},
        {T, "99:99 a.m.", "12:05 |a.m.", "{", "12:05 [p.]m. u +1"},
        {T, "99:99 A.M.", "12:05 P.M|.", "}", "12:05 [A.]M. u +1"}, {F, "", "", "12{}}", "12| u up down down +2"},
        // control characters: typed, ignored; in a new text, refused; a paste takes the first line
        {E, "", "a[bc]d", kControls, "a[bc]d"}, {I, "", "1[23]4", kControls, "1[23]4"}, {T, "", "1[2:]34", kControls, "1[2:]34"},
        {F, "", "1[.2]5", kControls, "1[.2]5"}, {P, "XXXX", "a[bc]d", kControls, "a[bc]d"},
        {E, "", "a[bc]d", "=ab\x01", "a[bc]d ->0"}, {P, "XXXX", "a[bc]d", "=ab\x7f" "d", "a[bc]d ->0"},
        {I, "", "1[23]4", "=1\r", "1[23]4 ->0"}, {F, "", "1[.2]5", "=1.5\t", "1[.2]5 ->0"},
        {T, "", "1[2:]34", "=12:3\x1b", "1[2:]34 ->0"}, {E, "", "a[bc]d", "@xy\r\nz", "axy|d u +1"}, {E, "", "a[bc]d", "@xy\n", "axy|d u +1"},
        {E, "", "a[bc]d", "@\r\nxy", "a[bc]d"}, {E, "", "a[bc]d", "@x\ty", "a[bc]d beep"}, {E, "", "a[bc]d", "@x\x7f", "a[bc]d beep"},
        {P, "XXXX", "", "(value:a\x01)(mask:X\tX)", "|     ->0"}, {F, "", "", "(format:x\x01,)", "| ->0"},
        // the host's change taken (caret to the start) or refused quietly; a float printed in its mask's digits
        {E, "", "", "=abc", "|abc +1 ->1"}, {I, "99", "", "=42", "|42 +1 ->1"}, {I, "99", "", "=123", "| ->0"},
        {F, "9.9", "", "=1.5", "|1.5 +1 ->1"}, {F, "9.9", "", "(value:12.5)", "| ->0"}, {F, "", "", "(value:nan)", "| ->0"},
        {F, "", "", "(value:2.5)", "|2.50000 +1 ->1"}, {F, "99", "", "(value:-2.5)", "|-3 +1 ->1"},
        {F, "9.99", "", "(value:1.005)", "|1.00 +1 ->1"}, {F, "99.99", "", "(value:9.999)", "|10.00 +1 ->1"},
        {F, "9.99999999999999999999", "", "(value:0.1)", "|0.10000000000000000555 +1 ->1"},
        {F, "9999999999999.99999", "", "(value:1e11)", "|100,000,000,000.00000 +1 ->1"},
        {F, "9999999999999.99999", "", "(value:1e12)", "| ->0"}, {P, kPhone, "", "=(555)", "|(555)    -   +1 ->1"},
        {P, kPhone, "", "=5551234567", "|(551) 456-   +1 ->1"}, {T, "99:99", "", "=7:05", "|7 :5  +1 ->1"},
        {I, "", "1[23]4", "x", "1|4 u +2 beep"}, {I, "", "12|34", "!", "12|34 +1"},
        {P, kPhone, "", "(value:ab)", "|(   )    -   ->0"}, {T, "99:99", "", "=12:34", "|12:34 +1 ->1"},
        {T, "99:99", "", "=25:00", "|  :   ->0"}, {T, "99:99 am", "", "(time:13:5)", "|01:05 pm +1 ->1"},
    };
    for (const auto &c : cases) {
        HWND h = Make(c.cls, c.mask, QXES_SPIN);
        Start(h, c.start);
        EXPECT_EQ(Run(h, c.keys), c.seen) << c.cls << " '" << c.start << "' keys " << c.keys;
        DestroyWindow(h);
    }
}

// Typing and stepping at the ends of a range, wrapping where the style asks.
TEST_F(TypedEdit, Ranges) {
    const struct { const char *cls; bool wrap; double min, max; const char *keys, *text; } cases[] = {
        {I, 0, 10, 20, "5", "5"},     {I, 0, 10, 20, "25", "2"},      {I, 0, -20, -10, "-5", ""},
        {F, 0, 0, 100, "5-", "-5"},   {F, 0, -20, -10, "25-", "25"},  {F, 0, -1.5, 1.5, "1.6", "1."},
        {I, 0, 10, 20, "5{", "6"},    {I, 0, 10, 20, "5}", "5"},      {I, 1, 10, 20, "20{", "10"},
        {I, 1, 10, 20, "10}", "20"},  {I, 0, 10, 20, "19{", "20"},    {I, 0, 10, 20, "20{", "20"},
        {I, 0, 10, 20, "11}", "10"},  {I, 0, 10, 20, "10}", "10"},    {I, 1, 10, 20, "19{", "20"},
        {I, 1, 10, 20, "11}", "10"},  {I, 1, -2147483648.0, 2147483647, "2147483647{", "-2147483648"},
        {I, 1, -2147483648.0, 2147483647, "-2147483648}", "2147483647"}, {I, 0, 10, 20, "{}", "1"},
        {F, 0, 10, 20, "(value:25)", ""}, {F, 0, -20, -10, "(value:-5)", "-5.00000"},
    };
    for (const auto &c : cases) {
        HWND h = Make(c.cls, "", QXES_SPIN | (c.wrap ? QXES_WRAP : 0));
        ASSERT_TRUE(c.cls == I ? QXIntSetRange(h, long(c.min), long(c.max)) : QXFloatSetRange(h, c.min, c.max));
        Play(h, c.keys);
        EXPECT_EQ(Text(h), c.text) << c.cls << " " << c.min << ".." << c.max << " keys " << c.keys;
        DestroyWindow(h);
    }
}

TEST_F(TypedEdit, IntegerValuesAndMasks) {
    HWND h = Make(I, "999");
    char mask[8] = "#";
    EXPECT_TRUE(Text(h).empty() && QXIntGetMask(h, mask, 4) && std::string(mask) == "999");
    // Values go in unchecked and unnotified, come back, and are painted.
    for (long v : {-2147483647L - 1, 2147483647L}) {
        long back = 0;
        qxt::Repaint(h);
        const qxt::Pixels before(h);
        EXPECT_TRUE(QXIntSetValue(h, v) && QXIntGetValue(h, &back) && back == v) << v;
        UpdateWindow(h);
        EXPECT_GT(before.Differences(qxt::Pixels(h)), 0) << v;
        EXPECT_EQ(Text(h), std::to_string(v));
        Play(h, "$");
    }
    ASSERT_TRUE(QXIntSetValue(h, -7));  // the caret lowered to the new end
    Play(h, "=abc");                    // refused: back to the value set, not to a typed one
    EXPECT_TRUE(Shown(h) == "-7|" && Saw(h, 0));
    EXPECT_FALSE(QXIntGetMask(Make(I), mask, 4));  // made without one
}

// Without digit limits the 63 characters end the groups, then the fraction, never cut.
TEST_F(TypedEdit, FloatLineIsNeverCut) {
    HWND h = Make(F);
    ASSERT_TRUE(QXFloatSetMask(h, "") && QXFloatSetRange(h, -1e300, 1e300));
    Play(h, ("@" + std::string(49, '1')).c_str());  // fits ungrouped, not grouped
    Play(h, std::string(49, '1').c_str());
    EXPECT_EQ(Text(h), "111,111,111,111,111,111,111,111,111,111,111,111,111,111,111,111");
    const std::string typed = "1." + std::string(62, '2');
    Start(h, "");
    Play(h, typed.c_str());
    EXPECT_EQ(Text(h), typed.substr(0, 63));
    ASSERT_TRUE(QXFloatSetValue(h, 2.5));  // of a value's 127 fraction digits, as many as fit
    EXPECT_EQ(Text(h), "2.5" + std::string(60, '0'));
    ASSERT_TRUE(QXFloatSetValue(h, -1234567.25));
    EXPECT_EQ(Text(h), "-1,234,567.25" + std::string(50, '0'));
}

// The edit's own separators decide, whatever the C runtime's locale.
TEST_F(TypedEdit, FloatSeparators) {
    for (const char *locale : {"German_Germany.1252", "C"}) {
        ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr);  // the first reads a decimal comma
        EXPECT_EQ(std::strtod("1,5", nullptr), *locale == 'G' ? 1.5 : 1.0);
        for (const std::string format : {"x.,", "x,."}) {
            const char dec = format[1], group = format[2];
            HWND h = Make(F);
            ASSERT_TRUE(QXFloatSetFormat(h, format.c_str()));
            ASSERT_TRUE(QXFloatSetMask(h, (std::string("99999") + dec + "99").c_str()));
            Play(h, (std::string("123456") + dec + "678").c_str());
            EXPECT_EQ(Text(h), std::string("12") + group + "345" + dec + "67") << locale;
            double v = 0;
            EXPECT_TRUE(QXFloatGetValue(h, &v) && v == 12345.67) << locale << " " << v;
            ASSERT_TRUE(QXFloatSetValue(h, -2.25));
            EXPECT_EQ(Text(h), std::string("-2") + dec + "25") << locale;
        }
    }
}

// After a click or the focus (x 0), a caret past the entered characters comes back after the last.
TEST_F(TypedEdit, PictureCaretPulledBack) {
    HWND h = Make(P, kPhone);
    const struct { int x; const char *start, *shown; } cases[] = {
        {250, "|(   )    -  ", "|(   )    -  "}, {250, "(5|  )    -  ", "(5|  )    -  "},
        {2, "(5|  )    -  ", "|(5  )    -  "},   {0, "(5  )    -|  ", "(5|  )    -  "},
        {0, "(5 [ )    -]  ", "(5 [ )    -]  "},
    };
    for (const auto &c : cases) {
        SetFocus(parent.hwnd());
        Start(h, c.start);
        c.x ? qxt::Click(h, c.x, 8) : (void)SetFocus(h);
        EXPECT_EQ(Shown(h), c.shown) << c.x << " " << c.start;
    }
}

// A value set moves the caret to the start; a mask of 64 is refused, one of 63 taken.
TEST_F(TypedEdit, PictureValuesAndMasks) {
    HWND h = Make(P, kPhone);
    char buf[16];
    SendMessageA(h, EM_SETSEL, 5, 5);
    ASSERT_TRUE(QXPicSetValue(h, "5551234567"));
    EXPECT_TRUE(Shown(h) == "|(555) 123-45" && Saw(h, 1));
    const std::string tooLong(64, '9');
    EXPECT_FALSE(QXPicSetMask(h, "") || QXPicSetMask(h, tooLong.c_str()));
    EXPECT_EQ(Text(h), "(555) 123-45");
    ASSERT_TRUE(QXPicSetMask(h, tooLong.c_str() + 1));
    EXPECT_EQ(Text(h), std::string(63, ' '));
    HWND bare = Make(P);  // no mask: nothing goes in or out
    EXPECT_FALSE(QXPicSetValue(bare, "1") || QXPicGetValue(bare, buf, sizeof buf));
}

// A time set shows in the mask's clock and reads back; a text of none (hour -1, -2 empty) reads none.
TEST_F(TypedEdit, TimesSetAndRead) {
    const struct { const char *mask; int hour, minute; const char *text; } cases[] = {
        {"99:99 am", 0, 5, "12:05 am"}, {"99:99 am", 12, 5, "12:05 pm"}, {"99:99", 0, 5, "00:05"},
        {"99:99 am", 13, 5, "01:05 pm"}, {"99:99 a.m.", 9, 0, "09:00 a.m."}, {"99:99 A.M.", 23, 59, "11:59 P.M."},
        {"99:99 am", -2, 0, "  :    m"}, {"99:99 am", -1, 0, "  :   pm"}, {"99:99", -1, 0, "  :05"},
        {"99:99 am", -1, 0, "00:30 am"}, {"99:99 am", -1, 0, "07:30  m"},
    };
    for (const auto &c : cases) {
        HWND h = Make(T, c.mask);
        if (c.hour < 0) Start(h, c.text);
        EXPECT_TRUE(c.hour < 0 || (QXTime_SetTime(h, c.hour, c.minute) && Saw(h, 1))) << c.text;
        EXPECT_FALSE(QXTime_SetTime(h, 24, 0) || QXTime_SetTime(h, 0, 60));
        EXPECT_TRUE(Text(h) == c.text && Saw(h, 0)) << c.text;
        WORD hour = 99, minute = 99;
        BOOL valid = 2;
        QXBOOL empty = 2;
        EXPECT_EQ(QXTime_GetTime(h, &hour, &minute), c.hour >= 0) << c.text;
        EXPECT_EQ(hour * 100 + minute, c.hour >= 0 ? c.hour * 100 + c.minute : 9999) << c.text;
        EXPECT_TRUE(QXTime_HasValidTime(h, &valid) && QXTime_HasEmptyTime(h, &empty)) << c.text;
        EXPECT_EQ(valid * 10 + empty, (c.hour >= 0) * 10 + (c.hour == -2)) << c.text;
        DestroyWindow(h);
    }
}

// Only the five time masks are taken; the picture exports reach the time edit's own rules.
TEST_F(TypedEdit, TimeMasksAndPictureExports) {
    for (const char *m : {"", "99:99 pm", "99:99 Am", "9:99"}) EXPECT_FALSE(QXTime_IsTimeMask(m)) << m;
    HWND h = Make(T, "not a time");  // refused: the 24-hour mask stays
    BOOL is24 = FALSE;
    EXPECT_TRUE(QXTime_Is24Hour(h, &is24) && is24 && Text(h) == "  :  ");
    ASSERT_TRUE(QXTime_IsTimeMask("99:99 AM") && QXTime_SetMask(h, "99:99 AM"));
    EXPECT_TRUE(QXTime_Is24Hour(h, &is24) && !is24);
    ASSERT_TRUE(QXPicSetValue(h, "0705P"));
    EXPECT_FALSE(QXPicSetMask(h, kPhone) || QXTime_SetMask(h, "99:99 pm") || QXPicSetValue(h, "1305P"));
    char buf[8];
    EXPECT_TRUE(QXPicGetValue(h, buf, sizeof buf) && std::string(buf) == "0705P" && Text(h) == "07:05 PM");
    ASSERT_TRUE(QXTime_Clear(h));
    EXPECT_TRUE(Text(h) == "  :    M" && Saw(h, 3));
}

// Every export fails on a window of another class, a destroyed one or none, outputs untouched.
TEST_F(TypedEdit, ExportFailures) {
    struct { long l = 1; double d = 1; char s[4] = "ab"; BOOL b = 1; QXBOOL q = 1; WORD w = 1; } o;
    const std::pair<const char *, std::function<int(HWND)>> calls[] = {  // classes that take it
        {I, [&](HWND h) { return QXIntSetValue(h, 1) | QXIntGetValue(h, &o.l) | QXIntSetRange(h, 0, 1) |
                                 QXIntGetRange(h, &o.l, &o.l) | QXIntSetMask(h, "9") | QXIntGetMask(h, o.s, 4); }},
        {F, [&](HWND h) { return QXFloatSetValue(h, 1) | QXFloatGetValue(h, &o.d) | QXFloatSetRange(h, 0, 1) |
                                 QXFloatSetFormat(h, "x.,") | QXFloatSetMask(h, "9"); }},
        {"QXPicture QXTime", [&](HWND h) { return QXPicSetMask(h, "9") | QXPicSetValue(h, "1") |
                                                  QXPicGetValue(h, o.s, 4) | QXPicHideEmptyValues(h, 0); }},
        {T, [&](HWND h) { return QXTime_Clear(h) | QXTime_Is24Hour(h, &o.b) | QXTime_SetMask(h, "99:99") |
                                 QXTime_HasEmptyTime(h, &o.q) | QXTime_HasValidTime(h, &o.b) |
                                 QXTime_GetTime(h, &o.w, &o.w) | QXTime_SetTime(h, 7, 5); }},
    };
    HWND gone = Make(I);
    DestroyWindow(gone);
    const HWND windows[] = {nullptr, reinterpret_cast<HWND>(0x4321), gone, parent.hwnd(), Make("STATIC"),
                            Make("QXEdit", "999"), Make(I, "999"), Make(F), Make(P, kPhone), Make(T)};
    for (HWND h : windows) {
        char cls[32] = "";
        GetClassNameA(h, cls, sizeof cls);
        for (const auto &[classes, call] : calls) {
            EXPECT_EQ(*cls && std::strstr(classes, cls) ? 0 : call(h), 0) << "'" << classes << "' on " << cls;
        }
    }
    EXPECT_TRUE(o.l + o.d + o.b + o.q + o.w == 5 && std::string(o.s) == "ab");
    EXPECT_EQ(Text(windows[8]) + Text(windows[9]), "(   )    -    :  ");
}

}  // namespace
