// "QXEdit" windows through the DLL, as a host uses them: notifications,
// keys, the standard messages, the clipboard, the mouse, registration and a
// modal dialog.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "edit_test_util.h"

namespace {

using qxt::kCtrl;
using qxt::kNoMods;
using qxt::kShift;
using qxt::Notification;

using qxt::Text;

const auto *const g_registered = ::testing::AddGlobalTestEnvironment(new qxt::RegisteredControls);

// x of each character boundary of text in the test font, from 0.
std::vector<int> Boundaries(const char *text) {
    std::vector<int> xs;
    for (int n = 0; n == 0 || text[n - 1]; ++n) xs.push_back(qxt::TestWidth(text, n));
    return xs;
}

struct Sel {
    DWORD anchor, caret;
    bool operator==(const Sel &o) const { return anchor == o.anchor && caret == o.caret; }
};
std::ostream &operator<<(std::ostream &os, const Sel &s) {
    return os << "(" << s.anchor << ", " << s.caret << ")";
}
Sel SelOf(HWND e) {
    Sel s = {99, 99};
    SendMessageA(e, EM_GETSEL, reinterpret_cast<WPARAM>(&s.anchor),
                 reinterpret_cast<LPARAM>(&s.caret));
    return s;
}

class EditWindow : public ::testing::Test {
protected:
    HWND Make(DWORD style = 0, int width = 150, int height = 20) {
        HWND e = parent.CreateChild("QXEdit", "", style, 10, 10, width, height, 7);
        SendMessageA(e, WM_SETFONT, reinterpret_cast<WPARAM>(qxt::TestFont()), 0);
        return e;
    }
    void Set(HWND e, const std::string &text, int anchor, int caret) {
        SetWindowTextA(e, text.c_str());
        SendMessageA(e, EM_SETSEL, anchor, caret);
        parent.ClearNotifications();
    }
    std::vector<Notification> Pairs(HWND e, int n) {
        std::vector<Notification> v;
        for (int i = 0; i < n; ++i) {
            v.push_back({7, EN_UPDATE, e});
            v.push_back({7, EN_CHANGE, e});
        }
        return v;
    }

    qxt::ParentWindow parent;
};

// EN_UPDATE comes before the new text is painted, EN_CHANGE after it, both
// under the control's own identifier and handle.
TEST_F(EditWindow, RoadOfATypedCharacter) {
    HWND e = Make();
    std::vector<std::string> texts;
    std::vector<int> ink;
    parent.onCommand = [&](const Notification &) {
        texts.push_back(Text(e));
        ink.push_back(qxt::Pixels(e).Count(GetSysColor(COLOR_WINDOWTEXT)));
    };
    qxt::SendChar(e, 'W');
    parent.onCommand = nullptr;
    EXPECT_TRUE(qxt::SameNotifications(Pairs(e, 1), parent.Notifications()));
    EXPECT_EQ(texts, (std::vector<std::string>{"W", "W"}));
    ASSERT_EQ(ink.size(), 2u);
    EXPECT_EQ(ink[0], 0);
    EXPECT_GT(ink[1], 0);

    // A character that does not fit is refused without a word.
    Set(e, std::string(63, 'a'), 63, 63);
    qxt::SendChar(e, 'b');
    EXPECT_TRUE(qxt::SameNotifications({}, parent.Notifications()));
    EXPECT_EQ(Text(e), std::string(63, 'a'));
}

TEST_F(EditWindow, KeysAndSelection) {
    struct {
        int anchor, caret;
        UINT vk;  // a key, or 0 for the character ch
        char ch;
        int mods;
        const char *after;
        Sel sel;
        int pairs;  // EN_UPDATE/EN_CHANGE pairs sent
    } cases[] = {
        {2, 5, VK_LEFT, 0, kShift, "abcdef", {2, 1}, 0},  // from the low end, past the anchor
        {2, 5, VK_LEFT, 0, kNoMods, "abcdef", {2, 2}, 0},
        {5, 2, VK_RIGHT, 0, kNoMods, "abcdef", {5, 5}, 0},
        {5, 2, VK_RIGHT, 0, kShift, "abcdef", {5, 6}, 0},  // from the high end
        {5, 2, VK_LEFT, 0, kShift, "abcdef", {5, 1}, 0},
        {2, 2, VK_RIGHT, 0, kShift, "abcdef", {2, 3}, 0},
        {0, 0, VK_LEFT, 0, kNoMods, "abcdef", {0, 0}, 0},
        {3, 3, VK_LEFT, 0, kCtrl, "abcdef", {2, 2}, 0},  // no word-wise movement
        {3, 3, VK_HOME, 0, kShift, "abcdef", {3, 0}, 0},
        {1, 3, VK_END, 0, kNoMods, "abcdef", {6, 6}, 0},
        {2, 2, VK_DELETE, 0, kNoMods, "abdef", {2, 2}, 1},
        {6, 6, VK_DELETE, 0, kNoMods, "abcdef", {6, 6}, 0},
        {3, 1, VK_DELETE, 0, kNoMods, "adef", {1, 1}, 1},
        {3, 3, 0, '\b', kNoMods, "abdef", {2, 2}, 1},
        {4, 1, 0, '\b', kNoMods, "aef", {1, 1}, 1},
        {0, 0, 0, '\b', kNoMods, "abcdef", {0, 0}, 1},
        {1, 3, 0, 'X', kNoMods, "aXdef", {2, 2}, 3},  // selection removed, refreshed, typed
    };
    HWND e = Make();
    for (const auto &c : cases) {
        Set(e, "abcdef", c.anchor, c.caret);
        if (c.vk)
            qxt::SendKey(e, c.vk, c.mods);
        else
            qxt::SendChar(e, c.ch, c.mods);
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
        EXPECT_EQ(Text(e), c.after);
        EXPECT_EQ(SelOf(e), c.sel);
        EXPECT_TRUE(qxt::SameNotifications(Pairs(e, c.pairs), parent.Notifications()));
    }
}

TEST_F(EditWindow, TextAndSelectionMessages) {
    HWND e = Make();
    struct {
        WPARAM a;
        LPARAM c;
        Sel sel;
    } sels[] = {{0, -1, {0, 6}}, {WPARAM(-1), 4, {0, 0}}, {3, 99, {3, 6}}, {5, 2, {5, 2}}};
    for (const auto &s : sels) {
        Set(e, "abcdef", s.a, s.c);
        EXPECT_EQ(SelOf(e), s.sel) << s.a << "," << s.c;
        EXPECT_EQ(SendMessageA(e, EM_GETSEL, 0, 0), LRESULT(s.sel.caret << 16 | s.sel.anchor));
    }
    Set(e, "abc", 0, 0);
    EXPECT_EQ(SendMessageA(e, WM_GETTEXTLENGTH, 0, 0), 4);
    char buf[8] = "#######";
    EXPECT_EQ(SendMessageA(e, WM_GETTEXT, 3, reinterpret_cast<LPARAM>(buf)), 2);
    EXPECT_STREQ(buf, "ab");
    EXPECT_EQ(SendMessageA(e, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buf)), 0);
    EXPECT_STREQ(buf, "ab");
    EXPECT_EQ(SendMessageA(e, WM_GETTEXT, 8, 0), 0);
    SendMessageA(e, WM_SETTEXT, 0, 0);
    EXPECT_EQ(Text(e), "");
    SetWindowTextA(e, std::string(70, 'z').c_str());
    EXPECT_EQ(Text(e), std::string(63, 'z'));
}

// After a refused character, the keys the user typed ahead are dropped.
TEST_F(EditWindow, LimitDropsTypeAhead) {
    HWND e = Make();
    Set(e, std::string(62, 'a'), 62, 62);
    qxt::PostText(e, "xy\bz");
    qxt::Pump();
    EXPECT_EQ(Text(e), std::string(62, 'a') + "x");
}

// CF_TEXT and a different CF_UNICODETEXT, as an earlier copy of another
// program may leave them.
bool SetClipboardBoth(const char *text, const wchar_t *unicode) {
    if (!qxt::SetClipboardText(text)) return false;
    for (int tries = 0; !OpenClipboard(nullptr); ++tries) {
        if (tries == 50) return false;
        Sleep(10);
    }
    const size_t n = (wcslen(unicode) + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, n);
    memcpy(GlobalLock(mem), unicode, n);
    GlobalUnlock(mem);
    const bool ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
    CloseClipboard();
    return ok;
}

TEST_F(EditWindow, Clipboard) {
    const std::string sixty(60, 's');
    struct {
        const char *text;
        int anchor, caret;
        const char *clipBefore;  // null: an empty clipboard
        UINT vk;                 // with mods, or 0 for the message msg
        int mods;
        UINT msg;
        const char *after;
        const char *clipAfter;
    } cases[] = {
        {"hello", 1, 4, "old", 'C', kCtrl, 0, "hello", "ell"},
        {"hello", 4, 1, "old", VK_INSERT, kCtrl, 0, "hello", "ell"},
        {"hello", 1, 4, "old", 0, 0, WM_COPY, "hello", "ell"},
        {"hello", 2, 2, "old", 'C', kCtrl, 0, "hello", "old"},
        {"hello", 4, 1, "old", 'X', kCtrl, 0, "ho", "ell"},
        {"hello", 1, 4, "old", VK_DELETE, kShift, 0, "ho", "ell"},
        {"hello", 1, 4, "old", 0, 0, WM_CUT, "ho", "ell"},
        {"hello", 1, 4, "old", 0, 0, WM_CLEAR, "ho", "old"},
        {"hello", 1, 4, "XY", 'V', kCtrl, 0, "hXYo", "XY"},
        {"hello", 5, 5, "XY", VK_INSERT, kShift, 0, "helloXY", "XY"},
        {"hello", 0, 0, "XY", 0, 0, WM_PASTE, "XYhello", "XY"},
        {"hello", 0, 0, nullptr, 'V', kCtrl, 0, "hello", nullptr},
        {sixty.c_str(), 60, 60, "0123456789", 'V', kCtrl, 0, sixty.c_str(), "0123456789"},
        // Does not fit once the selection is gone either: nothing changes.
        {sixty.c_str(), 0, 5, "0123456789", 'V', kCtrl, 0, sixty.c_str(), "0123456789"},
    };
    HWND e = Make();
    for (const auto &c : cases) {
        Set(e, c.text, c.anchor, c.caret);
        if (c.clipBefore)
            ASSERT_TRUE(SetClipboardBoth(c.clipBefore, L"older"));
        else
            qxt::EmptyClipboardNow();
        const Sel before = SelOf(e);
        if (c.vk) {
            // The control character a shortcut's key also types is not inserted.
            if (c.mods == kCtrl && c.vk != VK_INSERT) PostMessageA(e, WM_CHAR, c.vk & 0x1F, 0);
            qxt::SendKey(e, c.vk, c.mods);
            qxt::Pump();
        } else {
            SendMessageA(e, c.msg, 0, 0);
        }
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
        EXPECT_EQ(Text(e), c.after);
        std::string clip = "(none)", unicode = "(none)";
        qxt::ClipboardText(&clip);
        qxt::ClipboardUnicodeText(&unicode);
        EXPECT_EQ(clip, c.clipAfter ? c.clipAfter : "(none)");
        // No text of an earlier copy stays behind in another format.
        if (c.clipAfter && c.clipBefore && std::string(c.clipAfter) != c.clipBefore) {
            EXPECT_EQ(unicode, c.clipAfter);
        }
        if (Text(e) == c.text) {
            EXPECT_EQ(SelOf(e), before);
        }
    }
}

// The nearest character boundary to the click, ties to the right, measured
// from where the text is painted.
TEST_F(EditWindow, HitTesting) {
    const char text[] = "iWmil.W";
    const std::vector<int> xs = Boundaries(text);
    for (DWORD style : {DWORD(0), DWORD(QXES_RIGHT)}) {
        HWND e = Make(style);
        SetWindowTextA(e, text);
        RECT rc;
        GetClientRect(e, &rc);
        const int origin = style ? rc.right - 2 - xs.back() : 1;
        for (int x = origin - 3; x <= origin + xs.back() + 3; ++x) {
            size_t best = 0;
            for (size_t j = 0; j < xs.size(); ++j)
                if (std::abs(origin + xs[j] - x) <= std::abs(origin + xs[best] - x)) best = j;
            qxt::Click(e, x, 5);
            EXPECT_EQ(SelOf(e), (Sel{DWORD(best), DWORD(best)})) << "x " << x << " style " << style;
        }
        DestroyWindow(e);
    }
}

// While the button is down the selection follows the mouse, in both
// directions and past either end (the mouse is captured).
TEST_F(EditWindow, DragSelection) {
    HWND e = Make();
    SetWindowTextA(e, "abcdefgh");
    const std::vector<int> xs = Boundaries("abcdefgh");
    struct Move {
        int x, y;
        Sel sel;
    };
    const struct {
        int from;
        std::vector<Move> moves;
    } drags[] = {{2, {{1 + xs[5], 5, {2, 5}}, {-40, 5, {2, 0}}, {400, 60, {2, 8}}}},
                 {6, {{1 + xs[3], 5, {6, 3}}, {1 + xs[7], -30, {6, 7}}}}};
    for (const auto &d : drags) {
        qxt::MouseDown(e, 1 + xs[d.from], 5);
        EXPECT_EQ(GetCapture(), e);
        for (const Move &m : d.moves) {
            qxt::MouseMove(e, m.x, m.y, true);
            EXPECT_EQ(SelOf(e), m.sel) << "from " << d.from << " to " << m.x;
        }
        qxt::MouseUp(e, 0, 5);
        EXPECT_EQ(GetCapture(), nullptr);
        qxt::MouseMove(e, 1 + xs[4], 5);
        EXPECT_EQ(SelOf(e), d.moves.back().sel);
    }
}

// The edit rectangle's last column and row are outside it; with the spin
// style the spin's strip is too. The cursor is the I-beam over the edit only.
TEST_F(EditWindow, EdgesOfTheEditAreaAndTheSpinStrip) {
    for (DWORD style : {DWORD(0), DWORD(QXES_SPIN)}) {
        HWND e = Make(style, 120, 20);
        qxt::TypeText(e, "abc");
        EXPECT_EQ(Text(e), "abc");
        RECT rc;
        GetClientRect(e, &rc);
        const int spin = style ? std::min(GetSystemMetrics(SM_CXHTHUMB), int(rc.right / 2)) : 0;
        const int last = rc.right - spin - 1;
        const POINT clicks[] = {{last - 1, 5}, {last, 5}, {1, rc.bottom - 2}, {1, rc.bottom - 1},
                                {rc.right - 2, 5}};
        for (const POINT &c : clicks) {
            SendMessageA(e, EM_SETSEL, 1, 1);
            qxt::Click(e, c.x, c.y);
            const bool taken = c.x < last && c.y < rc.bottom - 1;
            EXPECT_EQ(SelOf(e).caret, taken ? (c.x == 1 ? 0u : 3u) : 1u)
                << c.x << "," << c.y << " style " << style;
            EXPECT_EQ(GetFocus(), e);

            POINT pt = {c.x, c.y};
            ClientToScreen(e, &pt);
            SetCursorPos(pt.x, pt.y);
            SendMessageA(e, WM_SETCURSOR, reinterpret_cast<WPARAM>(e), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            const bool ibeam = c.x <= last;
            EXPECT_EQ(GetCursor(), LoadCursor(nullptr, ibeam ? IDC_IBEAM : IDC_ARROW)) << c.x;
        }
        DestroyWindow(e);
    }
}

bool IsRegistered(const char *name) {
    WNDCLASSA wc;
    return GetClassInfoA(qxt::HostInstance(), name, &wc) != FALSE;
}

// Nested registrations: a class goes with its last unregistration.
// RegisterQXCtls stops at the first class it cannot register.
TEST(EditRegistration, CountsAndOrder) {
    const HINSTANCE inst = qxt::HostInstance();
    struct {
        const char *name;
        QXBOOL(WINAPI *reg)(HINSTANCE);
        void(WINAPI *unreg)(HINSTANCE);
    } classes[] = {{"QXEdit", QXRegisterEditClass, QXUnregisterEditClass},
                   {"QXInteger", QXRegisterIntClass, QXUnregisterIntClass},
                   {"QXFloat", QXRegisterFloatClass, QXUnregisterFloatClass},
                   {"QXPicture", QXRegisterPictClass, QXUnregisterPictClass},
                   {"QXTime", QXRegisterTimeClass, QXUnregisterTimeClass}};
    for (const auto &c : classes) {  // each registered once by the environment
        EXPECT_EQ(c.reg(inst), 1) << c.name;
        c.unreg(inst);
        EXPECT_TRUE(IsRegistered(c.name)) << c.name;
        c.unreg(inst);
        EXPECT_FALSE(IsRegistered(c.name)) << c.name;
    }
    WNDCLASSA foreign = {};
    foreign.lpfnWndProc = DefWindowProcA;
    foreign.hInstance = inst;
    foreign.lpszClassName = "QXFloat";
    ASSERT_NE(RegisterClassA(&foreign), 0);
    EXPECT_EQ(RegisterQXCtls(inst), 0);
    for (const auto &c : classes)
        EXPECT_EQ(IsRegistered(c.name), c.name != std::string("QXPicture") && c.name != std::string("QXTime"));
    UnregisterClassA("QXFloat", inst);
    EXPECT_EQ(RegisterQXCtls(inst), 1);
    QXUnregisterEditClass(inst);  // back to one registration each
    QXUnregisterIntClass(inst);
    EXPECT_TRUE(IsRegistered("QXEdit"));
}

// A modal dialog from a template: the dialog manager's loop delivers the
// characters, Tab moves between the edits, the dialog hears each edit under
// its own identifier.
struct ModalRun {
    std::vector<Notification> notes;
    std::string texts;
    HWND first, second;
};

INT_PTR CALLBACK ModalProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto *run = reinterpret_cast<ModalRun *>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dlg, DWLP_USER, lp);
        PostMessageA(dlg, WM_APP, 0, 0);
        return TRUE;
    case WM_COMMAND:
        run->notes.push_back({LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)});
        return TRUE;
    case WM_APP:  // type into the focused edit, then Tab
        PostMessageA(GetFocus(), WM_CHAR, '4', 0);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        PostMessageA(dlg, WM_APP + 1, 0, 0);
        return TRUE;
    case WM_APP + 1:
        PostMessageA(GetFocus(), WM_CHAR, '2', 0);
        PostMessageA(dlg, WM_APP + 2, 0, 0);
        return TRUE;
    case WM_APP + 2:
        run->first = GetDlgItem(dlg, 10);
        run->second = GetDlgItem(dlg, 11);
        run->texts = Text(run->first) + "|" + Text(run->second);
        EndDialog(dlg, 1);
        return TRUE;
    }
    return FALSE;
}

// A template of two edits: the first with a mask as its text, the second
// with the spin style; the class names in other letter case.
std::vector<WORD> TwoEditTemplate() {
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / 2, 0);
    auto *dlg = reinterpret_cast<DLGTEMPLATE *>(t.data());
    dlg->style = WS_POPUP | WS_VISIBLE | DS_SETFONT;
    dlg->cdit = 2;
    dlg->cx = 120;
    dlg->cy = 40;
    auto add = [&t](const char *s) { do t.push_back(static_cast<BYTE>(*s)); while (*s++); };
    t.insert(t.end(), {0, 0, 0, 8});  // no menu, default class, no title; 8 points
    add("MS Sans Serif");
    for (WORD id : {10, 11}) {
        if (t.size() % 2) t.push_back(0);  // items start on a DWORD boundary
        DLGITEMTEMPLATE item = {WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0, 5,
                                static_cast<short>(5 + 15 * (id - 10)), 60, 12, id};
        if (id == 11) item.style |= QXES_SPIN;
        const WORD *p = reinterpret_cast<const WORD *>(&item);
        t.insert(t.end(), p, p + sizeof item / 2);
        add(id == 10 ? "qxedit" : "QXEDIT");
        add(id == 10 ? "99" : "");
        t.push_back(0);  // no creation data
    }
    return t;
}

TEST_F(EditWindow, ModalDialog) {
    const std::vector<WORD> t = TwoEditTemplate();
    ModalRun run;
    ASSERT_EQ(DialogBoxIndirectParamA(qxt::HostInstance(), reinterpret_cast<const DLGTEMPLATE *>(t.data()),
                                      parent.hwnd(), ModalProc, reinterpret_cast<LPARAM>(&run)),
              1);
    EXPECT_EQ(run.texts, "4|2");  // the mask is not the content
    EXPECT_TRUE(qxt::SameNotifications(
        {{10, EN_SETFOCUS, run.first}, {10, EN_UPDATE, run.first}, {10, EN_CHANGE, run.first},
         {10, EN_KILLFOCUS, run.first}, {11, EN_SETFOCUS, run.second}, {11, EN_UPDATE, run.second},
         {11, EN_CHANGE, run.second}, {11, EN_KILLFOCUS, run.second}},
        run.notes));
}

}  // namespace
