// The accessible object of the library's windows, on a window class of this
// test whose object answers as a provider, asked by a client through
// AccessibleObjectFromWindow: names (labels, set names, none), parts,
// elements it does not have, reference counts, calls after the window is
// gone and from other threads. What each class answers, and the
// events, are in controls_test.cpp.
#include <ole2.h>
#include <oleacc.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "common/acc_api.h"
#include "common/acc_object.h"
#include "common/acc_text.h"
#include "common/accessible.h"
#include "client.h"
#include "harness.h"
#include "qx_cntl.h"
#include "test_window.h"

namespace {

using namespace qxt;
using TestCtl = qxt::AccessTestCtl;
const char *const kClass = qxt::kAccessTestClass;
TestCtl *Ctl(HWND hwnd) { return qxt::AccessTestObject(hwnd); }

// A parent with the test's window at 100,10 (120 x 24), created after the
// siblings a test puts before it.
class Access : public ::testing::Test {
protected:
    void SetUp() override { qxt::RegisterAccessTestClass(); }
    HWND Create(const char *text = "mask", DWORD style = 0, int id = 7) {
        return parent.CreateChild(kClass, text, style, 100, 10, 120, 24, id);
    }
    HWND Static(const char *text, DWORD style = SS_LEFT) {
        return parent.CreateChild("STATIC", text, style, 10, 10, 80, 20, 99);
    }
    ParentWindow parent;
};

// ---- Names -----------------------------------------------------------------------

// The window's name: the label's caption (the nearest visible static before
// it that shows text), or the host's name when it set one, never the
// window's own text for an edit; a button's text. The keyboard shortcut is
// the caption's mnemonic, whatever names the window. A top-level window has
// no label: the windows before it are other top-level windows.
TEST_F(Access, NameAndShortcutFromLabelSetNameOrText) {
    enum Sibling { kLabel, kNoPrefixLabel, kEtched, kHidden, kButton, kEmptyLabel, kTopLevel };
    const struct Row {
        const char *what;
        std::vector<std::pair<Sibling, const char *>> before;  // in creation order
        bool byText;
        const char *setName;  // QXM_SETACCNAME, unless null
        Text name, shortcut;
    } rows[] = {
        {"label", {{kLabel, "&Amount:"}}, false, nullptr, Ok(L"Amount:"), Ok(L"Alt+A")},
        {"doubled mark", {{kLabel, "Cash && C&ard"}}, false, nullptr, Ok(L"Cash & Card"), Ok(L"Alt+a")},
        {"no prefix", {{kNoPrefixLabel, "R&D"}}, false, nullptr, Ok(L"R&D"), None(S_FALSE)},
        {"nearest", {{kLabel, "&First"}, {kLabel, "&Second"}}, false, nullptr, Ok(L"Second"), Ok(L"Alt+S")},
        {"past an etched line", {{kLabel, "&Amount"}, {kEtched, ""}}, false, nullptr, Ok(L"Amount"),
         Ok(L"Alt+A")},
        {"past a hidden static", {{kLabel, "&Amount"}, {kHidden, "&Hidden"}}, false, nullptr,
         Ok(L"Amount"), Ok(L"Alt+A")},
        {"a button between", {{kLabel, "&Amount"}, {kButton, "&Go"}}, false, nullptr, None(S_FALSE),
         None(S_FALSE)},
        {"empty label", {{kLabel, "&Amount"}, {kEmptyLabel, ""}}, false, nullptr, None(S_FALSE),
         None(S_FALSE)},
        {"no label, never the text", {}, false, nullptr, None(S_FALSE), None(S_FALSE)},
        {"set name", {{kLabel, "&Amount"}}, false, "Total due", Ok(L"Total due"), Ok(L"Alt+A")},
        {"set name without label", {}, false, "Total due", Ok(L"Total due"), None(S_FALSE)},
        {"set empty name", {{kLabel, "&Amount"}}, false, "", None(S_FALSE), Ok(L"Alt+A")},
        {"button text", {{kLabel, "&Amount"}}, true, nullptr, Ok(L"OK"), Ok(L"Alt+O")},
        {"picture button, set name", {}, true, "Print", Ok(L"Print"), None(S_FALSE)},
        {"ANSI code page", {{kLabel, "Pr\x80is &\xE9t\xE9"}}, false, nullptr, Ok(L"Pr\u20ACis \u00E9t\u00E9"),
         Ok(L"Alt+\u00E9")},
        {"top-level", {{kTopLevel, "&Label"}}, false, nullptr, None(S_FALSE), None(S_FALSE)},
    };
    ASSERT_EQ(GetACP(), 1252u) << "the expected names are those of code page 1252";
    for (const Row &row : rows) {
        ParentWindow fresh;
        HWND top = nullptr;  // a top-level label, just before a top-level window
        for (const auto &[kind, text] : row.before) {
            static const DWORD styles[] = {SS_LEFT, SS_LEFT | SS_NOPREFIX, SS_ETCHEDHORZ, SS_LEFT, 0,
                                           SS_LEFT, WS_POPUP | SS_LEFT};
            const char *cls = kind == kButton ? "BUTTON" : "STATIC";
            HWND w = kind == kTopLevel ? top = CreateWindowExA(0, cls, text, styles[kind] | WS_VISIBLE, 0, 0, 50, 20,
                                                               nullptr, nullptr, HostInstance(), nullptr)
                                       : fresh.CreateChild(cls, text, styles[kind], 10, 10, 80, 20, 99);
            if (kind == kHidden) ShowWindow(w, SW_HIDE);
        }
        HWND hwnd = top ? CreateWindowExA(0, kClass, "4711", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, nullptr, nullptr,
                                          HostInstance(), nullptr)
                        : fresh.CreateChild(kClass, row.byText ? "&OK" : "4711", 0, 100, 10, 120, 24, 7);
        if (top) SetWindowPos(hwnd, top, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (row.byText) SetWindowTextA(hwnd, row.setName ? "" : "&OK");
        Ctl(hwnd)->namedByText = row.byText;
        if (row.setName) {
            EXPECT_EQ(SendMessageA(hwnd, QXM_SETACCNAME, 0, reinterpret_cast<LPARAM>(row.setName)), TRUE);
        }
        Acc acc(hwnd);
        ASSERT_EQ(acc.hr, S_OK) << row.what;
        EXPECT_EQ(Name(acc.p), row.name) << row.what;
        EXPECT_EQ(Shortcut(acc.p), row.shortcut) << row.what;
        if (top) DestroyWindow(hwnd), DestroyWindow(top);
    }
}

// ---- Parts -----------------------------------------------------------------------

// Two parts, each an element of the window's object and no object of its
// own; navigation among them and into them; the part that holds the focus
// inside the focused window; the window's states unavailable and invisible
// reach them. (What a spin's arrows answer is in controls_test.cpp.)
TEST_F(Access, Parts) {
    HWND hwnd = Create();
    Ctl(hwnd)->spin = true;
    Acc acc(hwnd);
    ASSERT_EQ(acc.hr, S_OK);
    for (long id : {1L, 2L}) {
        IDispatch *part = reinterpret_cast<IDispatch *>(1);
        EXPECT_EQ(acc->get_accChild(Child(id), &part), S_FALSE) << id;
        EXPECT_EQ(part, nullptr) << id;
    }
    const struct { long from, direction; Number to; } moves[] = {
        {CHILDID_SELF, NAVDIR_FIRSTCHILD, I4(1)},
        {CHILDID_SELF, NAVDIR_LASTCHILD, I4(2)},
        {1, NAVDIR_NEXT, I4(2)},
        {2, NAVDIR_PREVIOUS, I4(1)},
        {2, NAVDIR_NEXT, Empty(S_FALSE)},
        {1, NAVDIR_PREVIOUS, Empty(S_FALSE)},
        {1, NAVDIR_FIRSTCHILD, Empty(S_FALSE)},
        {1, NAVDIR_UP, Empty(DISP_E_MEMBERNOTFOUND)},
        {1, 99, Empty(E_INVALIDARG)},
        {3, NAVDIR_PREVIOUS, Empty(E_INVALIDARG)},
    };
    for (const auto &move : moves) {
        VARIANT v;
        const HRESULT hr = acc->accNavigate(move.direction, Child(move.from), &v);
        EXPECT_EQ(Of(hr, v), move.to) << move.from << " " << move.direction;
    }
    SetFocus(hwnd);
    Ctl(hwnd)->focusedPart = 2;
    VARIANT focus;
    EXPECT_EQ(acc->get_accFocus(&focus), S_OK);
    EXPECT_EQ(V_VT(&focus) == VT_I4 ? V_I4(&focus) : -1, 2);
    EnableWindow(hwnd, FALSE);
    ShowWindow(hwnd, SW_HIDE);
    EXPECT_EQ(State(acc.p, 2), I4(STATE_SYSTEM_FOCUSED | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE));
    EXPECT_EQ(State(acc.p), I4(STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE));
}

// Every way of naming an element the window does not have: E_INVALIDARG,
// and the provider is never asked about it.
TEST_F(Access, ElementsItDoesNotHave) {
    HWND edit = Create("mask", 0, 7), spin = Create("mask", 0, 8);
    Ctl(spin)->spin = true;
    VARIANT text;
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = nullptr;
    struct Case {
        HWND hwnd;
        VARIANT child;
    };
    const Case cases[] = {{edit, Child(1)}, {edit, Child(-1)}, {spin, Child(3)}, {spin, Child(-4)},
                          {spin, text}};
    for (const Case &c : cases) {
        Acc acc(c.hwnd);
        ASSERT_EQ(acc.hr, S_OK);
        Ctl(c.hwnd)->value = "12";
        BSTR b = nullptr;
        VARIANT v;
        long l = 0;
        const std::string which = c.hwnd == edit ? "edit " : "spin ";
        const std::string id = which + std::to_string(V_VT(&c.child) == VT_I4 ? V_I4(&c.child) : 1000);
        EXPECT_EQ(acc->get_accName(c.child, &b), E_INVALIDARG) << id;
        EXPECT_EQ(acc->get_accValue(c.child, &b), E_INVALIDARG) << id;
        EXPECT_EQ(acc->get_accRole(c.child, &v), E_INVALIDARG) << id;
        EXPECT_EQ(acc->get_accState(c.child, &v), E_INVALIDARG) << id;
        EXPECT_EQ(acc->get_accDefaultAction(c.child, &b), E_INVALIDARG) << id;
        EXPECT_EQ(acc->get_accKeyboardShortcut(c.child, &b), E_INVALIDARG) << id;
        EXPECT_EQ(acc->get_accDescription(c.child, &b), E_INVALIDARG) << id;
        EXPECT_EQ(acc->accDoDefaultAction(c.child), E_INVALIDARG) << id;
        EXPECT_EQ(acc->put_accValue(c.child, nullptr), E_INVALIDARG) << id;
        EXPECT_EQ(acc->accLocation(&l, &l, &l, &l, c.child), E_INVALIDARG) << id;
        EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, c.child, &v), E_INVALIDARG) << id;
        EXPECT_EQ(acc->accSelect(SELFLAG_TAKEFOCUS, c.child), E_INVALIDARG) << id;
        EXPECT_EQ(Ctl(c.hwnd)->value, "12") << id;
        EXPECT_EQ(Ctl(c.hwnd)->sets, 0) << id;
    }
}

// ---- Lifetime --------------------------------------------------------------------

// One object per window, kept by the window until it goes; clients' references
// counted on every interface; the object's identity and window.
TEST_F(Access, ReferenceCounts) {
    HWND hwnd = Create();
    Acc first(hwnd), second(hwnd);
    ASSERT_EQ(first.hr, S_OK);
    ASSERT_EQ(first.p, second.p);  // the same object (same apartment: no proxy)
    const ULONG base = Refs(first.p);
    EXPECT_GE(base, 3u);  // the window's and the two clients'

    IOleWindow *window = nullptr;
    IUnknown *unknown = nullptr, *unknownAgain = nullptr;
    IDispatch *dispatch = nullptr;
    IEnumVARIANT *enumerator = reinterpret_cast<IEnumVARIANT *>(1);
    ASSERT_EQ(first->QueryInterface(qx::kIidOleWindow, reinterpret_cast<void **>(&window)), S_OK);
    ASSERT_EQ(window->QueryInterface(qx::kIidUnknown, reinterpret_cast<void **>(&unknown)), S_OK);
    ASSERT_EQ(first->QueryInterface(qx::kIidUnknown, reinterpret_cast<void **>(&unknownAgain)), S_OK);
    ASSERT_EQ(first->QueryInterface(qx::kIidDispatch, reinterpret_cast<void **>(&dispatch)), S_OK);
    EXPECT_EQ(first->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void **>(&enumerator)), E_NOINTERFACE);
    EXPECT_EQ(enumerator, nullptr);
    EXPECT_EQ(unknown, unknownAgain);
    EXPECT_EQ(Refs(first.p), base + 4);
    HWND got = nullptr;
    EXPECT_EQ(window->GetWindow(&got), S_OK);
    EXPECT_EQ(got, hwnd);
    HWND found = nullptr;
    EXPECT_EQ(WindowFromAccessibleObject(first.p, &found), S_OK);
    EXPECT_EQ(found, hwnd);
    EXPECT_EQ(window->Release(), base + 3);
    EXPECT_EQ(unknown->Release(), base + 2);
    EXPECT_EQ(unknownAgain->Release(), base + 1);
    EXPECT_EQ(dispatch->Release(), base);

    // An answer to WM_GETOBJECT that its asker never turns into an object
    // (a client that died) holds the object through COM.
    EXPECT_GT(SendMessageA(hwnd, WM_GETOBJECT, 0, OBJID_CLIENT), 0);
    EXPECT_GT(Refs(first.p), base);

    // The window lets its reference and COM's go; the clients' stay valid,
    // the last release frees the object.
    second.p->Release();
    second.p = nullptr;
    DestroyWindow(hwnd);
    Pump();
    EXPECT_EQ(first.p->Release(), 0u);
    first.p = nullptr;
}

// After the window is gone every call answers disconnected and reaches
// nothing of the window.
TEST_F(Access, CallsAfterTheWindowIsGone) {
    HWND hwnd = Create();
    Ctl(hwnd)->spin = true;
    Acc acc(hwnd);
    ASSERT_EQ(acc.hr, S_OK);
    EXPECT_EQ(Name(acc.p, 1), Ok(L"Up"));
    DestroyWindow(hwnd);

    BSTR b = reinterpret_cast<BSTR>(1);
    VARIANT v;
    long l = 1;
    IDispatch *d = reinterpret_cast<IDispatch *>(1);
    HWND w = reinterpret_cast<HWND>(1);
    const VARIANT self = Child(CHILDID_SELF);
    const struct { const char *what; HRESULT hr; } calls[] = {
        {"name", acc->get_accName(self, &b)},
        {"value", acc->get_accValue(self, &b)},
        {"description", acc->get_accDescription(self, &b)},
        {"role", acc->get_accRole(self, &v)},
        {"state", acc->get_accState(self, &v)},
        {"help", acc->get_accHelp(self, &b)},
        {"shortcut", acc->get_accKeyboardShortcut(self, &b)},
        {"action", acc->get_accDefaultAction(self, &b)},
        {"do action", acc->accDoDefaultAction(Child(1))},
        {"set value", acc->put_accValue(self, nullptr)},
        {"set name", acc->put_accName(self, nullptr)},
        {"parent", acc->get_accParent(&d)},
        {"child count", acc->get_accChildCount(&l)},
        {"child", acc->get_accChild(Child(1), &d)},
        {"focus", acc->get_accFocus(&v)},
        {"selection", acc->get_accSelection(&v)},
        {"select", acc->accSelect(SELFLAG_TAKEFOCUS, self)},
        {"location", acc->accLocation(&l, &l, &l, &l, self)},
        {"navigate", acc->accNavigate(NAVDIR_FIRSTCHILD, self, &v)},
        {"hit test", acc->accHitTest(110, 20, &v)},
    };
    for (const auto &call : calls) EXPECT_EQ(call.hr, RPC_E_DISCONNECTED) << call.what;
    EXPECT_EQ(b, nullptr);
    EXPECT_EQ(d, nullptr);
    EXPECT_EQ(l, 0);
    IOleWindow *window = nullptr;
    ASSERT_EQ(acc->QueryInterface(qx::kIidOleWindow, reinterpret_cast<void **>(&window)), S_OK);
    EXPECT_EQ(window->GetWindow(&w), RPC_E_DISCONNECTED);
    EXPECT_EQ(w, nullptr);
    window->Release();
}

// WM_GETOBJECT: the object for OBJID_CLIENT, whether the id arrives
// zero-extended (as from 32-bit senders) or sign-extended; nothing of ours
// for other ids; nothing after the window's object disconnected it.
TEST_F(Access, AnswersTheClientObjectOnly) {
    HWND hwnd = Create();
    const LPARAM zeroExtended = static_cast<LPARAM>(static_cast<DWORD>(OBJID_CLIENT));
    const LPARAM ids[] = {OBJID_CLIENT, zeroExtended};
    for (LPARAM id : ids) {
        const LRESULT r = SendMessageA(hwnd, WM_GETOBJECT, 0, id);
        ASSERT_GT(r, 0) << std::hex << id;
        IAccessible *acc = nullptr;
        ASSERT_EQ(ObjectFromLresult(r, qx::kIidAccessible, 0, reinterpret_cast<void **>(&acc)), S_OK);
        EXPECT_EQ(Role(acc), I4(ROLE_SYSTEM_TEXT));
        acc->Release();
    }
    for (LONG id : {OBJID_WINDOW, OBJID_VSCROLL, OBJID_CARET, 1L})
        EXPECT_EQ(SendMessageA(hwnd, WM_GETOBJECT, 0, id), 0) << id;
    Ctl(hwnd)->Access().Disconnect();
    EXPECT_EQ(SendMessageA(hwnd, WM_GETOBJECT, 0, OBJID_CLIENT), 0);
}

// ---- Other threads -----------------------------------------------------------

// Runs fn on a thread of its own while this thread pumps its messages (the
// calls fn makes are served here), until fn returns.
DWORD WINAPI RunFunction(void *f) { return (*static_cast<const std::function<void()> *>(f))(), 0; }
void OnOtherThread(const std::function<void()> &fn) {
    HANDLE thread = CreateThread(nullptr, 0, RunFunction, const_cast<std::function<void()> *>(&fn), 0, nullptr);
    ASSERT_NE(thread, nullptr);
    DWORD woke;
    while ((woke = MsgWaitForMultipleObjects(1, &thread, FALSE, 20000, QS_ALLINPUT)) == WAIT_OBJECT_0 + 1)
        Pump();
    EXPECT_EQ(woke, WAIT_OBJECT_0) << "the other thread did not finish";
    CloseHandle(thread);
}

// The message that carries calls runs only the calls this process listed
// for the window: sent from this thread, posted, or from another thread with
// a call nobody listed or with junk, it runs nothing; listed, a call runs
// once, on the window's thread.
TEST_F(Access, CallMessageFromElsewhereIsIgnored) {
    HWND hwnd = Create();
    Acc acc(hwnd);
    ASSERT_EQ(acc.hr, S_OK);
    static int runs;
    runs = 0;
    auto *call = new qx::AccCall(*static_cast<qx::AccessibleObject *>(acc.p),
                                 [](qx::AccessibleObject &, qx::AccRequest &) -> HRESULT { return ++runs, S_OK; });
    unsigned char junk[64];
    memset(junk, 0xCC, sizeof junk);
    const UINT message = qx::ThreadCallMessage();
    EXPECT_EQ(SendMessageA(hwnd, message, 0, reinterpret_cast<LPARAM>(call)), 0);  // this thread
    PostMessageA(hwnd, message, 0, reinterpret_cast<LPARAM>(call));
    Pump();
    LRESULT answers[2] = {-1, -1};
    qx::CallOutcome ran = qx::CallOutcome::kNotRun;
    OnOtherThread([&] {
        answers[0] = SendMessageA(hwnd, message, 0, reinterpret_cast<LPARAM>(call));
        answers[1] = SendMessageA(hwnd, message, 0, reinterpret_cast<LPARAM>(junk));
    });
    EXPECT_EQ(std::vector<LRESULT>(answers, answers + 2), std::vector<LRESULT>({0, 0}));
    EXPECT_EQ(runs, 0);
    OnOtherThread([&] { ran = qx::SendToWindowThread(hwnd, *call); });
    EXPECT_TRUE(ran == qx::CallOutcome::kDone);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(call->result, S_OK);
    call->LetGo();
}

// ---- Plain rules -----------------------------------------------------------------

TEST(AccTextRules, MnemonicsAndShortcuts) {
    const struct { const char *caption, *name, *shortcut; } rows[] = {
        {"", "", nullptr},
        {"Plain", "Plain", nullptr},
        {"&File", "File", "Alt+F"},
        {"Save &as", "Save as", "Alt+a"},
        {"A && B", "A & B", nullptr},
        {"&& &x", "& x", "Alt+x"},
        {"&&&y", "&y", "Alt+y"},
        {"end&", "end", nullptr},
        {"&a&b", "ab", "Alt+a"},
    };
    for (const auto &row : rows) {
        qx::AccText name, shortcut;
        ASSERT_TRUE(qx::StripMnemonics(row.caption, &name));
        EXPECT_STREQ(name.c_str(), row.name) << row.caption;
        EXPECT_EQ(name.size(), std::strlen(row.name)) << row.caption;
        EXPECT_EQ(qx::MnemonicShortcut(row.caption, &shortcut), row.shortcut != nullptr) << row.caption;
        EXPECT_STREQ(shortcut.c_str(), row.shortcut ? row.shortcut : "") << row.caption;
    }
    qx::AccText text;
    ASSERT_TRUE(qx::StripMnemonics(nullptr, &text));
    EXPECT_TRUE(text.empty());
    ASSERT_TRUE(text.Assign("abc"));
    text.Truncate(5);
    EXPECT_STREQ(text.c_str(), "abc");
    text.Truncate(1);
    EXPECT_STREQ(text.c_str(), "a");
}

}  // namespace
