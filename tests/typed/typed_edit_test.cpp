// "QXInteger", "QXFloat", "QXPicture" and "QXTime" windows through the DLL:
// typing, stepping, and the exports with their failures.
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <functional>

#include "edit_window.h"

namespace {

const char kPhone[] = "(999) 999-99";
const char *const I = "QXInteger", *F = "QXFloat", *P = "QXPicture", *T = "QXTime";

class TypedEdit : public qxt::EditWindowTest {};

// Keys (see Play) from a marked start: the text, the selection and the changes
// notified (EN_UPDATE and EN_CHANGE each; none for a refusal).
TEST_F(TypedEdit, Scripts) {
    const struct { const char *cls, *mask, *start, *keys, *shown; int changes; } cases[] = {
        {I, "", "", "12a-3", "123|", 3}, {I, "", "", "007", "7|", 3}, {I, "999", "", "-100", "-10|", 3},
        {I, "", "", "-2147483648", "-2147483648|", 11}, {I, "", "", "2147483648", "214748364|", 9},
        {I, "", "2147483647|", "{", "2147483647|", 0}, {I, "", "-2147483648|", "}", "-2147483648|", 0},
        {I, "99", "-9|", "}", "-9|", 0}, {I, "999", "999|", "{", "999|", 0}, {I, "", "", "{}}}", "|-2", 4},
        {I, "", "12|", "=1x", "12|", 0}, {F, "9.9", "1[.]5", "!", "1[.]5", 0}, {F, "", "", "@1-2-", "|", 0},
        {F, "", "", "1234567", "1,234,567|", 7}, {F, "", "", "12345678901", "1,234,567,890|", 10},
        {F, "", "", "1.123456", "1.12345|", 7}, {F, "", "", "007.5", "7.5|", 5}, {F, "", "", "-1a,2", "12|", 2},
        {F, "99.9", "", "123.45", "12.4|", 4}, {F, "", "", "1.25<<7", "1.7|5", 5}, {F, "", "", "1.5^.", "|1.5", 3},
        {F, "", "", "12.5^>--", "1|2.5", 6},  // the sign toggles from anywhere
        // typed or deleted inside the groups, the digits go where the caret is
        {F, "", "", "1234^>56", "156,|234", 6},          {F, "", "", "1234567^>>>>>9", "12,349,|567", 8},
        {F, "", "", "1234^>>~", "|234", 5},              {F, "", "", "1234^>#", "1|34", 5},
        {P, kPhone, "", "5", "(5|  )    -  ", 1},        {P, kPhone, "", "(", "(|   )    -  ", 1},
        {P, kPhone, "", "5a ", "(5|  )    -  ", 1},      {P, kPhone, "", "5551234", "(555) 123-4| ", 7},
        {P, kPhone, "(5|  )    -  ", "~", "(|   )    -  ", 1},
        {P, kPhone, "(555) 123-45|", "6", "(555) 123-45|", 0},
        {P, kPhone, "(|555) 123-45", "#", "( |55) 123-45", 1},
        {P, kPhone, "(555) 123-4|5", "#", "(555) 123-4| ", 1},
        {P, kPhone, "(555) |123-45", "~", "(555)| 123-45", 1}, {P, kPhone, "(|555) 123-45", "~", "|(555) 123-45", 1},
        {P, kPhone, "](555) 123-45[", "~", "|(   )    -  ", 1},
        {P, kPhone, "(5[55) 123]-45", "7", "(57| )    -45", 3},  // blanked, then typed
        {P, kPhone, "", "@5551234", "(555) 123-4| ", 1}, {P, kPhone, "", "@555123456", "|(   )    -  ", 0},
        {P, "ulul", "", "aBcD", "AbCd|", 4},  // both cases of the converting placeholders
        {T, "99:99 am", "", "7:05p", " 7:05 p|m", 5},    {T, "99:99 a.m.", "", "7:05p", " 7:05 p|.m.", 5},
        {T, "99:99 A.M.", "", "11:30a", "11:30 A|.M.", 6},
        {T, "99:99", "", "23:59", "23:59|", 5},          {T, "99:99", "", "9 7", " 9:7| ", 3},
        {T, "99:99", "", "7p", " 7|:  ", 1},             {T, "99:99 am", "", "13", " 1|:    m", 1},
        {T, "99:99", "", "24", " 2|:  ", 1},             {T, "99:99", "", ":60", "  :6| ", 2},
        {T, "99:99 am", "", "123", "12|:    m", 2},      {T, "99:99 am", "", "7:05p~", " 7:05 | m", 6},
        // Backspace or Delete over the space before the letter clears it too
        {T, "99:99 am", "", "7:05p<~", " 7:05|  m", 6},  {T, "99:99 AM", "", "7:05p<<#", " 7:05 | M", 6},
        // the field under the caret steps, the others are filled if empty
        {T, "99:99", "|  :  ", "{", "[00]:00", 1},  {T, "99:99", "|  :  ", "}", "[00]:00", 1},
        {T, "99:99", "  :|  ", "{", "23:[01]", 1},  {T, "99:99", "  : | ", "}", "01:[59]", 1},
        {T, "99:99", "23:[59]", "{", "23:[00]", 1}, {T, "99:99", "2|3:10", "{{", "[01]:10", 2},
        {T, "99:99 am", "|  :    m", "{", "[12]:00 am", 1}, {T, "99:99 am", "  :  |  m", "}", "01:[59] am", 1},
        {T, "99:99 am", "|11:30 am", "{", "[12]:30 pm", 1}, {T, "99:99 am", "07:05 a|m", "{", "07:05 [p]m", 1},
        {T, "99:99 am", "|00:30 am", "{", "|00:30 am", 0},  // no time to read
        {T, "99:99 AM", "  :|    M", "{", "11:[01] PM", 1}, {T, "99:99 AM", "0|1:00 AM", "}}", "[11]:00 PM", 2},
        {T, "99:99 a.m.", "12:05 |a.m.", "{", "12:05 [p.]m.", 1},
        {T, "99:99 A.M.", "12:05 P.M|.", "}", "12:05 [A.]M.", 1},
    };
    for (const auto &c : cases) {
        HWND h = Make(c.cls, c.mask, QXES_SPIN);
        Start(h, c.start);
        Play(h, c.keys);
        EXPECT_EQ(Shown(h), c.shown) << c.cls << " '" << c.start << "' keys " << c.keys;
        EXPECT_TRUE(Saw(h, c.changes)) << c.cls << " '" << c.start << "' keys " << c.keys;
        DestroyWindow(h);
    }
    HWND f = Make(F, "", QXES_SPIN);  // the floating-point edit only asks its parent
    Play(f, "12{}}");
    EXPECT_TRUE(Saw(f, 2, {QXFN_STEPUP, QXFN_STEPDOWN, QXFN_STEPDOWN}));
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
        {I, 1, -2147483648.0, 2147483647, "-2147483648}", "2147483647"},
    };
    for (const auto &c : cases) {
        HWND h = Make(c.cls, "", QXES_SPIN | (c.wrap ? QXES_WRAP : 0));
        ASSERT_TRUE(c.cls == I ? QXIntSetRange(h, static_cast<long>(c.min), static_cast<long>(c.max))
                               : QXFloatSetRange(h, c.min, c.max));
        Play(h, c.keys);
        EXPECT_EQ(Text(h), c.text) << c.cls << " " << c.min << ".." << c.max << " keys " << c.keys;
        DestroyWindow(h);
    }
}

TEST_F(TypedEdit, IntegerValuesAndMasks) {
    HWND h = Make(I, "999");
    char mask[8] = "#";
    EXPECT_TRUE(Text(h).empty() && QXIntGetMask(h, mask, 4) && std::string(mask) == "999");
    Play(h, "12");
    EXPECT_FALSE(QXIntSetMask(h, "99a") || QXIntSetRange(h, 5, 4));  // refused: nothing changes
    EXPECT_TRUE(Text(h) == "12" && Saw(h, 2));
    ASSERT_TRUE(QXIntSetMask(h, "9"));  // the value is emptied
    EXPECT_TRUE(Text(h).empty() && Saw(h, 1));
    // Values go in unchecked and unnotified, come back exactly, and are
    // painted at the next WM_PAINT.
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
}

// Without digit limits the groups, then the fraction, end at the line's 63
// characters: what does not fit is refused, never cut; a value set is shown
// in as many fraction digits as the line holds.
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

// The edit's own separators decide, whatever the C runtime's locale: in the
// mask, the text typed, the value read and the value set.
TEST_F(TypedEdit, FloatSeparators) {
    for (const char *bad : {"x..", "x1,", "x.9", "x-,", "x.-", "x.", "x\x01,", "x.\x7f", "", static_cast<const char *>(nullptr)})
        EXPECT_FALSE(QXFloatSetFormat(Make(F), bad)) << (bad ? bad : "null");
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
    // A new format shows the text anew in its separators: the value stays.
    HWND h = Make(F);
    Play(h, "1234.5");
    ASSERT_TRUE(QXFloatSetFormat(h, " ,."));
    double v = 0;
    EXPECT_TRUE(Text(h) == "1.234,5" && QXFloatGetValue(h, &v) && v == 1234.5) << Text(h) << " " << v;
    Play(h, "$6");
    EXPECT_EQ(Text(h), "1.234,56");
    Start(h, "18");  // only the separators decide, not a mask set since (here one that counts no digit)
    EXPECT_FALSE(QXFloatSetMask(h, "x"));
    EXPECT_TRUE(QXFloatSetFormat(h, "k.#") && Text(h) == "18");
}

// After a click or the keyboard focus, a caret beyond the entered characters
// comes back right after the last one; one among them, or a selection, stays.
TEST_F(TypedEdit, PictureCaretPulledBack) {
    HWND h = Make(P, kPhone);
    // x: a click there, or with 0 the focus gained from the keyboard
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

TEST_F(TypedEdit, PictureValuesAndMasks) {
    HWND h = Make(P, kPhone);
    char buf[16];
    EXPECT_TRUE(QXPicGetValue(h, buf, sizeof buf) && std::string(buf) == "        ");
    EXPECT_FALSE(QXPicSetValue(h, "ab"));  // does not fit: nothing changes
    SendMessageA(h, EM_SETSEL, 5, 5);
    ASSERT_TRUE(QXPicSetValue(h, "5551234567"));
    EXPECT_TRUE(Shown(h) == "|(555) 123-45" && Saw(h, 1));
    EXPECT_TRUE(QXPicGetValue(h, buf, 4) && std::string(buf) == "555");
    const std::string tooLong(64, '9');  // a refused mask changes nothing
    EXPECT_FALSE(QXPicSetMask(h, "") || QXPicSetMask(h, tooLong.c_str()));
    EXPECT_EQ(Text(h), "(555) 123-45");
    ASSERT_TRUE(QXPicSetMask(h, tooLong.c_str() + 1));
    EXPECT_EQ(Text(h), std::string(63, ' '));
    ASSERT_TRUE(QXPicSetMask(h, "UU-/99"));
    Play(h, "=ab-12");
    EXPECT_EQ(Text(h), "AB-92");  // laid position by position
    HWND bare = Make(P);          // no mask: nothing goes in or out
    EXPECT_FALSE(QXPicSetValue(bare, "1") || QXPicGetValue(bare, buf, sizeof buf));
}

// A time set by the host shows in the mask's clock and reads back; a text
// that holds no time reads as none and leaves the outputs alone.
TEST_F(TypedEdit, TimesSetAndRead) {
    // hour -1: the text is set instead and holds no time; -2: empty too
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

// Only the five time masks are taken; the picture exports reach the time
// edit's own rules.
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

// A change the host makes is taken (WM_SETTEXT answers TRUE, an export true,
// the parent is told, the caret goes to the start) or refused silently: the
// text stays, nothing is sent, and the keys the user typed ahead stay queued
// (no beep drops them, as a refused change of the user's does: see
// edit_window_test.cpp). A float's value is printed exactly in the fraction
// digits its mask allows; one the mask or the line cannot hold is refused.
TEST_F(TypedEdit, HostChangesTakenOrRefusedSilently) {
    const auto text = [](const char *t) {
        return [t](HWND h) { return SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t)) == TRUE; };
    };
    const auto value = [](double v) { return [v](HWND h) { return QXFloatSetValue(h, v) != 0; }; };
    const struct { const char *cls, *mask; std::function<bool(HWND)> change; const char *after; } cases[] = {
        {"QXEdit", "", text("abc"), "abc"},  {I, "99", text("42"), "42"},  {I, "99", text("123"), nullptr},
        {I, "", text("1x"), nullptr},        {F, "9.9", text("1.5"), "1.5"},  {F, "9.9", value(12.5), nullptr},
        {F, "", value(2.5), "2.50000"},      {F, "99", value(-2.5), "-3"},     {F, "9.99", value(1.005), "1.00"},
        {F, "99.99", value(9.999), "10.00"}, {F, "", value(NAN), nullptr},
        {F, "9.99999999999999999999", value(0.1), "0.10000000000000000555"},
        {F, "9999999999999.99999", value(1e11), "100,000,000,000.00000"},
        {F, "9999999999999.99999", value(1e12), nullptr},
        {P, kPhone, text("(555)"), "(555)    -  "},
        {P, kPhone, [](HWND h) { return QXPicSetValue(h, "ab") != 0; }, nullptr},
        {T, "99:99", text("12:34"), "12:34"}, {T, "99:99", text("25:00"), nullptr},
        {T, "99:99 am", [](HWND h) { return QXTime_SetTime(h, 13, 5) != 0; }, "01:05 pm"},
    };  // after null: refused
    for (const auto &c : cases) {
        HWND h = Make(c.cls, c.mask);
        const std::string before = Text(h);
        qxt::PostText(h, "7");
        EXPECT_EQ(c.change(h), c.after != nullptr) << c.cls << " " << (c.after ? c.after : before);
        EXPECT_EQ(Shown(h), "|" + std::string(c.after ? c.after : before)) << c.cls;
        EXPECT_TRUE(Saw(h, c.after ? 1 : 0)) << c.cls << " " << (c.after ? c.after : before);
        MSG typedAhead;
        EXPECT_TRUE(PeekMessageA(&typedAhead, h, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE)) << c.cls;
        DestroyWindow(h);
        qxt::Pump();
    }
}

// No control character (below 0x20, or 0x7F) enters the text, in any edit
// class. Typed, it is a key's code (Ctrl+A, Ctrl+Z, Ctrl+Backspace, Enter,
// Esc, Tab outside a dialog) and is ignored: the selection and the keys typed
// after it stay. A new text or value holding one is refused. A paste takes
// the clipboard's first line; a control character left in it refuses it.
TEST_F(TypedEdit, ControlCharactersNeverEnter) {
    const struct { const char *cls, *mask, *start, *newText; } edits[] = {
        {"QXEdit", "", "a[bc]d", "ab\x01"}, {I, "", "1[23]4", "1\r"}, {F, "", "1[.2]5", "1.5\t"},
        {P, "XXXX", "a[bc]d", "ab\x7f" "d"}, {T, "", "1[2:]34", "12:3\x1b"}};
    for (const auto &c : edits) {
        HWND h = Make(c.cls, c.mask);
        for (char ch : {'\x01', '\x1a', '\x7f', '\r', '\n', '\x1b', '\t'}) {
            Start(h, c.start);
            PostMessageA(h, WM_KEYUP, 'Q', 0);  // typed after it, still queued
            SendMessageA(h, WM_CHAR, static_cast<BYTE>(ch), 0);
            MSG typedAfter;
            EXPECT_TRUE(PeekMessageA(&typedAfter, h, WM_KEYUP, WM_KEYUP, PM_REMOVE)) << c.cls << " " << int(ch);
            EXPECT_TRUE(Shown(h) == c.start && Saw(h, 0)) << c.cls << " " << int(ch) << ": " << Shown(h);
        }
        EXPECT_FALSE(SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.newText))) << c.cls;
        EXPECT_TRUE(Shown(h) == c.start && Saw(h, 0)) << c.cls << ": " << Shown(h);
        DestroyWindow(h);
    }
    HWND e = Make("QXEdit");
    const struct { const char *clipboard, *shown; } pastes[] = {
        {"xy\r\nz", "axy|d"}, {"xy\n", "axy|d"}, {"\r\nxy", "a[bc]d"}, {"x\ty", "a[bc]d"}, {"x\x7f", "a[bc]d"}};
    for (const auto &c : pastes) {
        Start(e, "a[bc]d");
        Play(e, (std::string("@") + c.clipboard).c_str());
        EXPECT_EQ(Shown(e), c.shown) << c.clipboard;
    }
    HWND p = Make(P, "XXXX"), f = Make(F);
    EXPECT_FALSE(QXPicSetValue(p, "a\x01") || QXPicSetMask(p, "X\tX") || QXFloatSetFormat(f, "x\x01,"));
    EXPECT_EQ(Text(p), "    ");
}

// Every export fails on a window of another class, a destroyed one or none,
// and with a missing argument or too small an output, which it leaves as it
// was (QXPicFormatText, which takes no window, among them).
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
        {"", [&](HWND h) {
             return QXIntGetValue(h, nullptr) | QXIntGetRange(h, nullptr, &o.l) | QXIntGetRange(h, &o.l, nullptr) |
                    QXIntSetMask(h, nullptr) | QXIntGetMask(h, o.s, 3) | QXIntGetMask(h, o.s, 0) |
                    QXIntGetMask(h, o.s, -1) | QXIntGetMask(h, nullptr, 8) | QXFloatGetValue(h, nullptr) |
                    QXFloatSetFormat(h, nullptr) | QXFloatSetMask(h, nullptr) | QXPicGetValue(h, o.s, 0) |
                    QXPicGetValue(h, o.s, -1) | QXPicGetValue(h, nullptr, 8) | QXPicSetValue(h, nullptr) |
                    QXPicSetMask(h, nullptr) | QXTime_Is24Hour(h, nullptr) | QXTime_HasEmptyTime(h, nullptr) |
                    QXTime_HasValidTime(h, nullptr) | QXTime_GetTime(h, &o.w, nullptr) |
                    QXTime_GetTime(h, nullptr, &o.w) | QXTime_SetMask(h, nullptr) | QXTime_IsTimeMask(nullptr) |
                    QXPicFormatText(nullptr, "1", o.s, 4) | QXPicFormatText("9", nullptr, o.s, 4) |
                    QXPicFormatText("9", "1", nullptr, 4) | QXPicFormatText("9", "1", o.s, 0) |
                    QXPicFormatText("9", "1", o.s, -5); }},
    };
    HWND gone = Make(I);
    DestroyWindow(gone);
    const HWND windows[] = {nullptr, reinterpret_cast<HWND>(0x4321), gone, parent.hwnd(), Make("STATIC"),
                            Make("QXEdit", "999"), Make(I, "999"), Make(F), Make(P, kPhone), Make(T)};
    for (HWND h : windows) {
        char cls[32] = "";
        GetClassNameA(h, cls, sizeof cls);
        for (const auto &[classes, call] : calls) {
            if (!*cls || !std::strstr(classes, cls)) {
                EXPECT_EQ(call(h), 0) << "'" << classes << "' on " << cls;
            }
        }
    }
    EXPECT_TRUE(o.l + o.d + o.b + o.q + o.w == 5 && std::string(o.s) == "ab");
    EXPECT_EQ(Text(windows[8]) + Text(windows[9]), "(   )    -    :  ");
}

}  // namespace
