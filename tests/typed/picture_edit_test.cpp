// "QXPicture" windows through the DLL: typing, deleting and pasting over the
// layout, the caret pulled back after a click, the empty box painted without
// its literals, and the QXPic exports with their failures. Runs with a theme
// and in the classic look.
#include "edit_window.h"

namespace {

using qxt::EditWindowTest;

const char kPhone[] = "(999) 999-99";
const char kPhoneEmpty[] = "(   )    -  ";

class PictureEdit : public EditWindowTest {};

struct TypeCase {
    const char *value;  // set with QXPicSetValue first
    int anchor, caret;
    const char *keys;
    const char *text;
    int endCaret;
    int changes;  // accepted changes, each notified with EN_UPDATE and EN_CHANGE
};

TEST_F(PictureEdit, TypingOverTheLayout) {
    const TypeCase cases[] = {
        {"", 0, 0, "5", "(5  )    -  ", 2, 1},
        {"", 0, 0, "(", kPhoneEmpty, 1, 1},
        {"5", 2, 2, "\b", kPhoneEmpty, 1, 1},
        {"", 0, 0, "5551234", "(555) 123-4 ", 11, 7},
        {"", 0, 0, "5a ", "(5  )    -  ", 2, 1},           // refused: no notification
        {"55512345", 12, 12, "6", "(555) 123-45", 12, 0},    // nothing after the end
        {"55512345", 1, 1, "\x7f", "( 55) 123-45", 2, 1},    // Delete
        {"55512345", 11, 11, "\x7f", "(555) 123-4 ", 11, 1},  // Delete at the last
        {"55512345", 6, 6, "\b", "(555) 123-45", 5, 1},      // Backspace over a literal
        {"55512345", 12, 0, "\b", kPhoneEmpty, 0, 1},         // Backspace over a selection
        // Typing over a selection: it is blanked (notified twice), then the
        // character goes to its start.
        {"55512345", 2, 9, "7", "(57 )    -45", 3, 3},
    };
    for (const auto &c : cases) {
        HWND h = Make("QXPicture", kPhone);
        ASSERT_EQ(QXPicSetValue(h, c.value), 1);
        SendMessageA(h, EM_SETSEL, c.anchor, c.caret);
        parent.ClearNotifications();
        Play(h, c.keys);
        EXPECT_EQ(Text(h), c.text) << "keys '" << c.keys << "' from '" << c.value << "'";
        EXPECT_EQ(Sel(h), std::make_pair(c.endCaret, c.endCaret)) << "keys '" << c.keys << "'";
        EXPECT_TRUE(qxt::SameNotifications(Changes(h, c.changes), parent.Notifications()))
            << "keys '" << c.keys << "'";
        DestroyWindow(h);
    }
}

TEST_F(PictureEdit, PasteOvertypesOrIsRefusedWhole) {
    struct {
        const char *clip;
        const char *text;
        int changes;
    } cases[] = {
        {"5551234", "(555) 123-4 ", 1},
        {"555123456", kPhoneEmpty, 0},  // one digit too many
    };
    for (const auto &c : cases) {
        HWND h = Make("QXPicture", kPhone);
        ASSERT_TRUE(qxt::SetClipboardText(c.clip));
        SendMessageA(h, WM_PASTE, 0, 0);
        EXPECT_EQ(Text(h), c.text) << c.clip;
        EXPECT_TRUE(qxt::SameNotifications(Changes(h, c.changes), parent.Notifications())) << c.clip;
        DestroyWindow(h);
    }
}

// A click beyond the entered characters puts the caret right after the last
// one; gaining the focus from the keyboard does the same; a click among them
// or a selection stays.
TEST_F(PictureEdit, CaretPulledBackAfterClickAndFocus) {
    HWND h = Make("QXPicture", kPhone);
    qxt::Click(h, 150, 8);
    EXPECT_EQ(Sel(h), std::make_pair(0, 0));
    ASSERT_EQ(QXPicSetValue(h, "5"), 1);
    qxt::Click(h, 150, 8);
    EXPECT_EQ(Sel(h), std::make_pair(2, 2));
    qxt::Click(h, 2, 8);
    EXPECT_EQ(Sel(h), std::make_pair(0, 0));

    SetFocus(parent.hwnd());
    SendMessageA(h, EM_SETSEL, 10, 10);
    SetFocus(h);
    EXPECT_EQ(Sel(h), std::make_pair(2, 2));
    SetFocus(parent.hwnd());
    SendMessageA(h, EM_SETSEL, 3, 10);
    SetFocus(h);
    EXPECT_EQ(Sel(h), std::make_pair(3, 10));
    DestroyWindow(h);
}

// Pixels that are not the window colour in the client area.
int Ink(HWND h) {
    qxt::Repaint(h);
    qxt::Pixels px(h);
    return px.CountOther(GetSysColor(COLOR_WINDOW), RECT{0, 0, px.width(), px.height()});
}

TEST_F(PictureEdit, UnfocusedEmptyControlHidesItsLiterals) {
    HWND h = Make("QXPicture", kPhone);
    EXPECT_EQ(Ink(h), 0);
    ASSERT_EQ(QXPicHideEmptyValues(h, 0), 1);
    const int literals = Ink(h);
    EXPECT_GT(literals, 0);
    ASSERT_EQ(QXPicHideEmptyValues(h, 1), 1);
    SetFocus(h);  // focused, the layout shows
    HideCaret(h);
    EXPECT_EQ(Ink(h), literals);
    SetFocus(parent.hwnd());
    ASSERT_EQ(QXPicSetValue(h, "5"), 1);  // one digit: the full layout
    EXPECT_GT(Ink(h), literals);
    DestroyWindow(h);
}

TEST_F(PictureEdit, ValuesAndMasks) {
    HWND h = Make("QXPicture", kPhone);
    char buf[16];
    ASSERT_EQ(QXPicGetValue(h, buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "        ");
    ASSERT_EQ(QXPicSetValue(h, "ab"), 0);  // does not fit: nothing changes
    EXPECT_EQ(Text(h), kPhoneEmpty);
    EXPECT_TRUE(parent.Notifications().empty());
    SendMessageA(h, EM_SETSEL, 5, 5);
    ASSERT_EQ(QXPicSetValue(h, "5551234567"), 1);
    EXPECT_EQ(Text(h), "(555) 123-45");
    EXPECT_EQ(Sel(h), std::make_pair(0, 0));
    EXPECT_TRUE(qxt::SameNotifications(Changes(h, 1), parent.Notifications()));
    ASSERT_EQ(QXPicGetValue(h, buf, 4), 1);
    EXPECT_STREQ(buf, "555");

    // A refused mask changes nothing.
    const std::string tooLong(64, '9');
    EXPECT_EQ(QXPicSetMask(h, ""), 0);
    EXPECT_EQ(QXPicSetMask(h, tooLong.c_str()), 0);
    EXPECT_EQ(Text(h), "(555) 123-45");
    ASSERT_EQ(QXPicSetMask(h, tooLong.c_str() + 1), 1);  // 63 positions
    EXPECT_EQ(Text(h), std::string(63, ' '));
    ASSERT_EQ(QXPicSetMask(h, "UU-/99"), 1);
    SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab-12"));
    EXPECT_EQ(Text(h), "AB-92");  // laid position by position
    QXTime_Clear(h);              // not a time window: nothing happens
    EXPECT_EQ(Text(h), "AB-92");
    DestroyWindow(h);
}

TEST_F(PictureEdit, ExportFailures) {
    HWND pict = Make("QXPicture", kPhone);
    char buf[16] = "keep";
    for (int size : {0, -1}) EXPECT_EQ(QXPicGetValue(pict, buf, size), 0) << size;
    EXPECT_EQ(QXPicGetValue(pict, nullptr, 16), 0);
    EXPECT_EQ(QXPicSetValue(pict, nullptr), 0);
    EXPECT_EQ(QXPicSetMask(pict, nullptr), 0);
    EXPECT_STREQ(buf, "keep");

    // Windows that are not picture or time edits.
    HWND others[] = {nullptr, reinterpret_cast<HWND>(0x4321), parent.hwnd(),
                     Make("STATIC", ""), Make("QXEdit", kPhone), Make("QXInteger", "999")};
    for (HWND w : others) {
        EXPECT_EQ(QXPicSetMask(w, kPhone), 0) << w;
        EXPECT_EQ(QXPicSetValue(w, "1"), 0) << w;
        EXPECT_EQ(QXPicGetValue(w, buf, sizeof buf), 0) << w;
        EXPECT_EQ(QXPicHideEmptyValues(w, 0), 0) << w;
    }

    // A picture window without a mask takes nothing.
    HWND bare = Make("QXPicture", "");
    EXPECT_EQ(QXPicSetValue(bare, "1"), 0);
    EXPECT_EQ(QXPicGetValue(bare, buf, sizeof buf), 0);
    EXPECT_EQ(QXPicHideEmptyValues(bare, 0), 1);
    qxt::TypeText(bare, "1");
    SendMessageA(bare, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1"));
    EXPECT_EQ(Text(bare), "");
    EXPECT_TRUE(parent.Notifications().empty());
}

// The picture exports reach a time window's own rules.
TEST_F(PictureEdit, ExportsOnTimeWindow) {
    HWND h = Make("QXTime", "99:99 am");
    EXPECT_EQ(QXPicSetMask(h, kPhone), 0);
    ASSERT_EQ(QXPicSetValue(h, "0705p"), 1);
    EXPECT_EQ(Text(h), "07:05 pm");
    parent.ClearNotifications();
    EXPECT_EQ(QXPicSetValue(h, "1305p"), 0);  // an hour the time edit refuses
    EXPECT_EQ(Text(h), "07:05 pm");
    EXPECT_TRUE(parent.Notifications().empty());
    char buf[8];
    ASSERT_EQ(QXPicGetValue(h, buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "0705p");
    ASSERT_EQ(QXPicSetMask(h, "99:99"), 1);
    EXPECT_EQ(Text(h), "  :  ");
}

}  // namespace
