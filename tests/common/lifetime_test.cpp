// One lifetime rule for every class: a parent that destroys the control
// inside a notification it receives (from a message, a spin step, the repeat
// timer, the wheel, an export, an undo, a screen reader's call, another
// control's focus change) or inside the control's paint-time colour request,
// and a window destroyed inside any call a screen reader's request makes out
// of the library.
// The operation that sent it finishes on an object that is still there and
// touches nothing more; the object goes, exactly once, when the outermost
// call returns. The library is linked in, under an allocator that counts its
// live allocations and overwrites what it frees, so a leak, a double delete
// or a use after free shows.
#include <algorithm>
#include <functional>
#include <memory>
#include <new>
#include <string>

#include "../access/client.h"
#include "common/acc_api.h"
#include "harness.h"
#include "poison_alloc.h"
#include "qx_cntl.h"
#include "visual/spin_ctl.h"

namespace {

using qxt::Notification;

enum Action {
    kType,        // the character '1'
    kTypeOver,    // '1' over a selection of everything
    kFocus,       // the control takes the focus
    kBlur,        // and loses it again
    kPaste,       // WM_PASTE of "12"
    kCtrlV,       // the Ctrl+V key
    kSetText,     // WM_SETTEXT "12"
    kSpinPress,   // a click on the upper arrow
    kSpinHold,    // the upper arrow held until the repetition steps
    kWheelUp,     // three notches each way
    kWheelDown,
    kClick,       // a click in the middle (a double click on a calendar day)
    kSpace,       // the space bar
    kClickFocus,  // a click that takes the focus from a system edit
    kExport,      // the row's export
    kUndo,        // '1' typed, then Ctrl+Z
    kCreate,      // creation itself
    kAccValue,    // a screen reader sets the value "12"
    kAccPress,    // a screen reader presses the button, or the spin's upper arrow (from 5)
};

// The parent destroys the control at the nth notification with the code (from
// the system edit, for kClickFocus).
struct Row {
    const char *cls;
    const char *mask;
    DWORD style;
    Action action;
    WORD code;
    int nth;
    std::function<void(HWND)> call;
};

const WORD kEdit = 9;  // the system edit's identifier
const WORD kDay = QXCN_DAYDBLCLK, kClicked = BN_CLICKED;

class Lifetime : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(RegisterQXCtls(qxt::HostInstance()), 1); }
    static void TearDownTestSuite() { UnregisterQXCtls(qxt::HostInstance()); }
    void TearDown() override { EXPECT_EQ(faults.Faults(), 0) << "access violations"; }

    // The size of each class's windows: calendars need room for their days.
    static SIZE SizeOf(const std::string &cls) {
        if (cls == "QXCalCntl") return {200, 150};
        if (cls.rfind("QXBmpButton", 0) == 0) return {40, 30};
        return {120, 24};
    }
    HWND Make(const Row &r) {
        const SIZE s = SizeOf(r.cls);
        return parent.CreateChild(r.cls, r.mask, r.style, 10, 10, s.cx, s.cy, 7);
    }
    // The centre of the upper arrow of an edit's spin.
    static POINT UpperArrow(HWND h) {
        RECT c;
        GetClientRect(h, &c);
        const int spin = std::min<int>(GetSystemMetrics(SM_CXHTHUMB), c.right / 2);
        return {c.right - spin / 2, (c.bottom - 2) / 4};
    }
    void Act(HWND h, const Row &r) {
        const POINT arrow = UpperArrow(h);
        switch (r.action) {
        case kType: qxt::SendChar(h, '1'); break;
        case kTypeOver: SendMessageA(h, EM_SETSEL, 0, -1), qxt::SendChar(h, '1'); break;
        case kFocus: SetFocus(h); break;
        case kBlur: SetFocus(h), SetFocus(parent.hwnd()); break;
        case kPaste: qxt::SetClipboardText("12"), SendMessageA(h, WM_PASTE, 0, 0); break;
        case kCtrlV: qxt::SetClipboardText("12"), qxt::SendKey(h, 'V', qxt::kCtrl); break;
        case kSetText: SendMessageA(h, WM_SETTEXT, 0, LPARAM("12")); break;
        case kSpinPress: qxt::Click(h, arrow.x, arrow.y); break;
        case kSpinHold:
            qxt::MouseDown(h, arrow.x, arrow.y);
            qxt::PumpUntil([&] { return !IsWindow(h); }, 2000);
            if (IsWindow(h)) qxt::MouseUp(h, arrow.x, arrow.y);
            break;
        case kWheelUp: qxt::Wheel(h, 3 * WHEEL_DELTA); break;
        case kWheelDown: qxt::Wheel(h, -3 * WHEEL_DELTA); break;
        case kClick:
            if (std::string(r.cls) == "QXCalCntl")
                qxt::DoubleClick(h, 3 * 28 + 14, 37 + 2 * 18 + 8);  // a day of the third row
            else
                qxt::Click(h, 5, 5);
            break;
        case kSpace: qxt::SendKey(h, VK_SPACE); break;
        case kClickFocus: SetFocus(other), qxt::MouseDown(h, 5, 5); break;
        case kExport: r.call(h); break;
        case kUndo: qxt::SendChar(h, '1'), qxt::SendKey(h, 'Z', qxt::kCtrl); break;
        case kCreate: break;
        case kAccValue: qxt::SetValue(qxt::Acc(h).p, L"12"); break;
        case kAccPress: {
            QXIntSetValue(h, 5);  // silently; nothing for other classes
            qxt::Acc acc(h);
            acc->accDoDefaultAction(qxt::Child(r.style & QXES_SPIN ? 1 : CHILDID_SELF));
            qxt::PumpFor(50);  // a button clicks once the call has returned
            break;
        }
        }
    }

    qxt::FaultCounter faults;
    qxt::ParentWindow parent{400, 200};
    HWND other = parent.CreateChild("EDIT", "", 0, 200, 100, 80, 20, kEdit);
};

const char *const I = "QXInteger", *const F = "QXFloat", *const P = "QXPicture", *const T = "QXTime";
const DWORD spin = QXES_SPIN;

const Row kRows[] = {
    {"QXEdit", "", 0, kType, EN_UPDATE, 1, {}},
    {"QXEdit", "", 0, kType, EN_CHANGE, 1, {}},
    {"QXEdit", "", 0, kTypeOver, EN_UPDATE, 1, {}},  // a selection removed, the character not yet typed
    {"QXEdit", "", 0, kFocus, EN_SETFOCUS, 1, {}},
    {"QXEdit", "", 0, kBlur, EN_KILLFOCUS, 1, {}},
    {"QXEdit", "", 0, kPaste, EN_UPDATE, 1, {}},
    {"QXEdit", "", 0, kCtrlV, EN_CHANGE, 1, {}},
    {"QXEdit", "", 0, kSetText, EN_UPDATE, 1, {}},
    {"QXEdit", "", spin, kClickFocus, EN_KILLFOCUS, 1, {}},
    {"QXEdit", "", 0, kUndo, EN_UPDATE, 2, {}},
    {"QXEdit", "", 0, kUndo, EN_CHANGE, 2, {}},
    {I, "", spin, kSpinPress, EN_UPDATE, 1, {}},
    {I, "", spin, kSpinHold, EN_UPDATE, 2, {}},
    {I, "", spin, kWheelUp, EN_CHANGE, 2, {}},
    {I, "", spin, kExport, EN_UPDATE, 1, [](HWND h) { QXIntSetMask(h, "99"); }},
    {I, "", 0, kType, EN_CHANGE, 1, {}},
    {I, "", 0, kUndo, EN_CHANGE, 2, {}},
    {F, "", spin, kSpinPress, QXFN_STEPUP, 1, {}},
    {F, "", spin, kSpinHold, QXFN_STEPUP, 2, {}},
    {F, "", spin, kWheelDown, QXFN_STEPDOWN, 1, {}},
    {F, "", spin, kExport, EN_CHANGE, 1, [](HWND h) { QXFloatSetValue(h, 2.5); }},
    {P, "999-99", 0, kType, EN_UPDATE, 1, {}},
    {P, "999-99", 0, kFocus, EN_SETFOCUS, 1, {}},
    {P, "999-99", 0, kExport, EN_UPDATE, 1, [](HWND h) { QXPicSetValue(h, "12345"); }},
    {P, "999-99", 0, kExport, EN_CHANGE, 1, [](HWND h) { QXPicSetMask(h, "99"); }},
    {T, "99:99", spin, kSpinHold, EN_UPDATE, 2, {}},
    {T, "99:99", spin, kType, EN_UPDATE, 1, {}},
    {T, "99:99", spin, kExport, EN_UPDATE, 1, [](HWND h) { QXTime_SetTime(h, 7, 5); }},
    {T, "99:99", spin, kExport, EN_CHANGE, 1, [](HWND h) { QXTime_Clear(h); }},
    {T, "99:99", spin, kExport, EN_UPDATE, 1, [](HWND h) { QXTime_SetMask(h, "99:99 am"); }},
    {T, "99:99", 0, kCreate, EN_UPDATE, 1, {}},  // its first mask, before creation returns
    {"QXEdit", "", 0, kAccValue, EN_UPDATE, 1, {}},
    {"QXEdit", "", 0, kAccValue, EN_CHANGE, 1, {}},
    {I, "", spin, kAccPress, EN_CHANGE, 1, {}},
    {F, "", spin, kAccPress, QXFN_STEPUP, 1, {}},
    {"QXCalCntl", "", 0, kClick, kDay, 1, {}},
    {"QXCalCntl", "", 0, kClickFocus, EN_KILLFOCUS, 1, {}},
    {"QXBmpButton", "", 0, kClick, kClicked, 1, {}},
    {"QXBmpButton", "", 0, kSpace, kClicked, 1, {}},
    {"QXBmpButton", "", 0, kClickFocus, EN_KILLFOCUS, 1, {}},
    {"QXBmpButtonXP", "", 0, kClick, kClicked, 1, {}},
    {"QXBmpButtonXP", "", 0, kSpace, kClicked, 1, {}},
    {"QXBmpButton", "", 0, kAccPress, kClicked, 1, {}},
};

void PrintTo(const Row &r, std::ostream *os) {
    *os << r.cls << " action " << r.action << " code 0x" << std::hex << r.code << std::dec << " #" << r.nth;
}

class DestroyedInside : public Lifetime, public ::testing::WithParamInterface<Row> {};

// Each row: the window is gone, everything the library allocated for it is
// freed, no repetition is left running, and no notification came from the
// control once the handler that destroyed it was done.
TEST_P(DestroyedInside, ANotification) {
    const Row &r = GetParam();
    const int live = qxt::LiveAllocations();
    HWND target = nullptr, victim = nullptr;
    bool armed = r.action == kCreate;  // the notifications of creation count for kCreate only
    int seen = 0;
    size_t destroyedAt = 0;
    parent.ClearNotifications();
    parent.onCommand = [&](const Notification &n) {
        if (!armed || victim) return;
        const bool counted = r.action == kClickFocus ? n.id == kEdit : r.action == kCreate || n.from == target;
        if (!counted || n.code != r.code || ++seen != r.nth) return;
        victim = r.action == kCreate ? n.from : target;
        DestroyWindow(victim);  // losing the focus on the way, an edit says so
        destroyedAt = parent.Notifications().size();
    };
    target = Make(r);
    armed = true;
    if (r.action == kCreate) {
        EXPECT_EQ(target, nullptr) << "destroyed inside its creation";
    } else {
        ASSERT_NE(target, nullptr);
        Act(target, r);
    }
    parent.onCommand = nullptr;
    EXPECT_TRUE(victim && !IsWindow(victim));
    int after = 0;
    for (size_t i = destroyedAt; i < parent.Notifications().size(); ++i)
        after += parent.Notifications()[i].from == victim;
    EXPECT_EQ(after, 0) << "notifications after the destruction";
    EXPECT_EQ(qxt::LiveAllocations(), live);
    EXPECT_EQ(qx::SpinRepeatTarget(), nullptr);
    ReleaseCapture();
}

INSTANTIATE_TEST_SUITE_P(EveryClass, DestroyedInside, ::testing::ValuesIn(kRows));

// The edits ask the parent for their colours in the middle of painting: at
// WM_PAINT, when a change is shown at once, when the focus comes, and
// disabled (WM_CTLCOLORSTATIC). A parent that destroys the control there.
TEST_F(Lifetime, ParentDestroysTheEditInsideItsColourRequest) {
    enum Trigger { kPaint, kTyped, kFocused, kDisabled };
    const struct { const char *cls, *mask; Trigger trigger; } rows[] = {
        {"QXEdit", "", kPaint},     {"QXEdit", "", kTyped},          {"QXEdit", "", kFocused},
        {"QXEdit", "", kDisabled},  {"QXInteger", "", kTyped},       {"QXInteger", "", kPaint},
        {"QXFloat", "", kTyped},    {"QXFloat", "", kDisabled},      {"QXPicture", "999", kPaint},  // the empty box
        {"QXPicture", "999", kTyped}, {"QXPicture", "999", kFocused}, {"QXTime", "99:99", kTyped},
        {"QXTime", "99:99", kDisabled},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.cls << " trigger " << r.trigger);
        const int live = qxt::LiveAllocations();
        HWND h = parent.CreateChild(r.cls, r.mask, QXES_SPIN, 10, 10, 120, 24, 7);
        ASSERT_NE(h, nullptr);
        if (r.trigger == kDisabled) EnableWindow(h, FALSE);
        UINT asked = 0;
        parent.onMessage = [&](UINT msg, WPARAM, LPARAM lp) {
            if ((msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC) && HWND(lp) == h && IsWindow(h) && !asked)
                asked = msg, DestroyWindow(h);
        };
        switch (r.trigger) {
        case kPaint:
        case kDisabled: InvalidateRect(h, nullptr, TRUE), UpdateWindow(h); break;
        case kTyped: qxt::SendChar(h, '1'); break;
        case kFocused: SetFocus(h); break;
        }
        parent.onMessage = nullptr;
        EXPECT_EQ(asked, UINT(r.trigger == kDisabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT));
        EXPECT_FALSE(IsWindow(h));
        EXPECT_EQ(qxt::LiveAllocations(), live);
    }
}

// Destroys the window at the first call out of the library that a request
// makes once armed, noting whether anything of the library was freed then:
// what the request holds lives until it returns.
HWND g_doomed;
bool g_armed, g_freedInside;
void Doom() {
    if (!g_armed) return;
    g_armed = false;
    const int live = qxt::LiveAllocations();
    DestroyWindow(g_doomed);
    g_freedInside = qxt::LiveAllocations() != live;
}

// The system's default object of a window, wrapped: each of its methods
// dooms first, then asks the real object, then counts the call, so that a
// wrapper freed while its method runs faults.
class Wrapped final : public IAccessible {
public:
    explicit Wrapped(IAccessible *real) : real_(real) {}
    STDMETHODIMP QueryInterface(REFIID iid, void **out) override { return real_->QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --refs_;
        if (!left) real_->Release(), delete this;
        return left;
    }
#define QX_FORWARD(name, params, args)      \
    STDMETHODIMP name params override {      \
        Doom();                              \
        const HRESULT hr = real_->name args; \
        ++calls_;                            \
        return hr;                           \
    }
    QX_FORWARD(GetTypeInfoCount, (UINT * n), (n))
    QX_FORWARD(GetTypeInfo, (UINT i, LCID l, ITypeInfo **t), (i, l, t))
    QX_FORWARD(GetIDsOfNames, (REFIID r, LPOLESTR *n, UINT c, LCID l, DISPID *d), (r, n, c, l, d))
    QX_FORWARD(Invoke, (DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS *p, VARIANT *v, EXCEPINFO *e, UINT *a),
               (d, r, l, f, p, v, e, a))
    QX_FORWARD(get_accParent, (IDispatch * *p), (p))
    QX_FORWARD(get_accChildCount, (long *n), (n))
    QX_FORWARD(get_accChild, (VARIANT c, IDispatch **p), (c, p))
    QX_FORWARD(get_accName, (VARIANT c, BSTR *b), (c, b))
    QX_FORWARD(get_accValue, (VARIANT c, BSTR *b), (c, b))
    QX_FORWARD(get_accDescription, (VARIANT c, BSTR *b), (c, b))
    QX_FORWARD(get_accRole, (VARIANT c, VARIANT *v), (c, v))
    QX_FORWARD(get_accState, (VARIANT c, VARIANT *v), (c, v))
    QX_FORWARD(get_accHelp, (VARIANT c, BSTR *b), (c, b))
    QX_FORWARD(get_accHelpTopic, (BSTR * b, VARIANT c, long *t), (b, c, t))
    QX_FORWARD(get_accKeyboardShortcut, (VARIANT c, BSTR *b), (c, b))
    QX_FORWARD(get_accFocus, (VARIANT * v), (v))
    QX_FORWARD(get_accSelection, (VARIANT * v), (v))
    QX_FORWARD(get_accDefaultAction, (VARIANT c, BSTR *b), (c, b))
    QX_FORWARD(accSelect, (long f, VARIANT c), (f, c))
    QX_FORWARD(accLocation, (long *x, long *y, long *w, long *h, VARIANT c), (x, y, w, h, c))
    QX_FORWARD(accNavigate, (long d, VARIANT c, VARIANT *v), (d, c, v))
    QX_FORWARD(accHitTest, (long x, long y, VARIANT *v), (x, y, v))
    QX_FORWARD(accDoDefaultAction, (VARIANT c), (c))
    QX_FORWARD(put_accName, (VARIANT c, BSTR b), (c, b))
    QX_FORWARD(put_accValue, (VARIANT c, BSTR b), (c, b))
#undef QX_FORWARD

private:
    ULONG refs_ = 1;
    IAccessible *real_;
    int calls_ = 0;
};

decltype(qx::AccApi::CreateStdAccessibleObject) g_makeReal;
HRESULT WINAPI MakeWrapped(HWND hwnd, LONG id, REFIID iid, void **out) {
    IAccessible *real = nullptr;
    const HRESULT hr = g_makeReal(hwnd, id, iid, reinterpret_cast<void **>(&real));
    if (FAILED(hr)) return hr;
    *out = new (std::nothrow) Wrapped(real);
    return *out ? S_OK : (real->Release(), E_OUTOFMEMORY);
}

// A label that dooms when its text is asked for (to name the window).
WNDPROC g_labelProc;
LRESULT CALLBACK DoomingLabel(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_GETTEXT) Doom();
    return CallWindowProcA(g_labelProc, w, m, wp, lp);
}

// Each request that calls out of the library (to the system's default
// object, or to the label for a name), on an edit, an edit with a spin
// (whose parts are looked for after the default object's answer) and a
// classic calendar's stand-in for its system button. The window goes inside
// that call: nothing faults, the window's object (the calendar, for its
// stand-in) is freed only once the request returns, the request answers,
// one with more to ask after the call answers RPC_E_DISCONNECTED, and
// everything is freed once the client lets go.
TEST_F(Lifetime, WindowDestroyedInsideAScreenReadersRequest) {
    auto *api = const_cast<qx::AccApi *>(qx::LoadAccApi());  // the library's entry points: the test's own seam
    ASSERT_NE(api, nullptr);
    g_makeReal = api->CreateStdAccessibleObject;
    api->CreateStdAccessibleObject = MakeWrapped;
    using Request = HRESULT (*)(IAccessible *);
    static VARIANT v;
    static long l;
    static BSTR b;
    static IDispatch *d;
    static const struct { const char *what; Request request; bool disconnected; } requests[] = {
        {"parent", [](IAccessible *a) { return a->get_accParent(&d); }, false},
        {"child count", [](IAccessible *a) { return a->get_accChildCount(&l); }, false},
        {"child", [](IAccessible *a) { return a->get_accChild(qxt::Child(1), &d); }, false},
        {"name", [](IAccessible *a) { return a->get_accName(qxt::Child(CHILDID_SELF), &b); }, false},
        {"description", [](IAccessible *a) { return a->get_accDescription(qxt::Child(CHILDID_SELF), &b); }, false},
        {"help", [](IAccessible *a) { return a->get_accHelp(qxt::Child(CHILDID_SELF), &b); }, false},
        {"help topic", [](IAccessible *a) { return a->get_accHelpTopic(&b, qxt::Child(CHILDID_SELF), &l); }, false},
        {"focus", [](IAccessible *a) { return a->get_accFocus(&v); }, true},
        {"selection", [](IAccessible *a) { return a->get_accSelection(&v); }, false},
        {"select", [](IAccessible *a) { return a->accSelect(SELFLAG_TAKEFOCUS, qxt::Child(CHILDID_SELF)); }, false},
        {"location", [](IAccessible *a) { return a->accLocation(&l, &l, &l, &l, qxt::Child(CHILDID_SELF)); }, false},
        {"navigate", [](IAccessible *a) { return a->accNavigate(NAVDIR_NEXT, qxt::Child(CHILDID_SELF), &v); }, false},
        {"hit test", [](IAccessible *a) { return a->accHitTest(30, 30, &v); }, true},
    };
    for (const char *target : {"edit", "spin", "stand-in"}) {
        const bool standIn = target[1] == 't';
        for (const auto &r : requests) {
            SCOPED_TRACE(testing::Message() << target << ", " << r.what);
            const int live = qxt::LiveAllocations();
            HWND label = parent.CreateChild("STATIC", "&Amount", SS_LEFT, 10, 10, 80, 20, 99);
            g_labelProc = WNDPROC(SetWindowLongPtrA(label, GWLP_WNDPROC, LONG_PTR(DoomingLabel)));
            {
                std::unique_ptr<qxt::ClassicBirths> classic(standIn ? new qxt::ClassicBirths : nullptr);
                g_doomed = parent.CreateChild(standIn ? "QXCalCntl" : "QXEdit", "", target[1] == 'p' ? QXES_SPIN : 0,
                                              100, 10, 200, 150, 7);
            }
            HWND h = standIn ? GetDlgItem(g_doomed, 100) : g_doomed;
            ASSERT_NE(h, nullptr);
            SetFocus(h);
            {
                qxt::Acc acc(h);
                ASSERT_EQ(acc.hr, S_OK);
                g_armed = true;
                g_freedInside = false;
                const HRESULT hr = r.request(acc.p);
                const bool calledOut = !g_armed;  // not a spin's parts, nor a stand-in's own name
                g_armed = false;
                if (!calledOut) DestroyWindow(g_doomed);
                EXPECT_FALSE(IsWindow(g_doomed) || g_freedInside);
                if (r.disconnected && calledOut) EXPECT_EQ(hr, RPC_E_DISCONNECTED);
                if (hr == S_OK && (V_VT(&v) == VT_DISPATCH || V_VT(&v) == VT_UNKNOWN)) VariantClear(&v);
                if (SUCCEEDED(hr) && b) SysFreeString(b);
                if (SUCCEEDED(hr) && d) d->Release();
                V_VT(&v) = VT_EMPTY, b = nullptr, d = nullptr;
            }
            DestroyWindow(label);
            qxt::Pump();
            EXPECT_EQ(qxt::LiveAllocations(), live);
        }
    }
    api->CreateStdAccessibleObject = g_makeReal;
}

}  // namespace
