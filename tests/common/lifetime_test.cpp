// A window destroyed inside any call out of the library finishes on a live object, freed once at the end.
#include <memory>
#include <new>
#include <string>

#include "acc_client.h"
#include "common/acc_api.h"
#include "harness.h"
#include "poison_alloc.h"
#include "qx_cntl.h"
#include "visual/spin_ctl.h"

namespace {

// The ways in. `Other` is the parent's system edit, focused before a click.
HWND Other(HWND h) { return GetDlgItem(GetParent(h), 9); }
void Type(HWND h) { qxt::SendChar(h, '1'); }
void TypeOver(HWND h) { SendMessageA(h, EM_SETSEL, 0, -1), qxt::SendChar(h, '1'); }
void Focus(HWND h) { SetFocus(h); }
void Blur(HWND h) { SetFocus(h), SetFocus(Other(h)); }
void Paste(HWND h) { qxt::SetClipboardText("12"), SendMessageA(h, WM_PASTE, 0, 0); }
void CtrlV(HWND h) { qxt::SetClipboardText("12"), qxt::SendKey(h, 'V', qxt::kCtrl); }
void SetText(HWND h) { SendMessageA(h, WM_SETTEXT, 0, LPARAM("12")); }
void SpinPress(HWND h) { const POINT p = qxt::SpinArrow(h, true); qxt::Click(h, p.x, p.y); }
void SpinHold(HWND h) {
    const POINT p = qxt::SpinArrow(h, true);
    qxt::MouseDown(h, p.x, p.y), qxt::PumpUntil([&] { return !IsWindow(h); }, 2000);
}
void WheelUp(HWND h) { qxt::Wheel(h, 3 * WHEEL_DELTA); }
void WheelDown(HWND h) { qxt::Wheel(h, -3 * WHEEL_DELTA); }
void Click(HWND h) { qxt::Click(h, 5, 5); }
void DayDoubleClick(HWND h) { qxt::DoubleClick(h, 3 * 28 + 14, 37 + 2 * 18 + 8); }  // a day of the third row
void Space(HWND h) { qxt::SendKey(h, VK_SPACE); }
void ClickFocus(HWND h) { SetFocus(Other(h)), qxt::MouseDown(h, 5, 5); }
void Undo(HWND h) { qxt::SendChar(h, '1'), qxt::SendKey(h, 'Z', qxt::kCtrl); }
void AccValue(HWND h) { qxt::SetValue(qxt::Acc(h).p, L"12"); }
void AccPress(HWND h) {  // the button, or the spin's upper arrow from 5; a button clicks once the call returned
    QXIntSetValue(h, 5);
    qxt::Acc(h)->accDoDefaultAction(qxt::Child(GetWindowLongA(h, GWL_STYLE) & QXES_SPIN ? 1 : CHILDID_SELF));
    qxt::PumpFor(50);
}
void AccSelectDay(HWND h) { qxt::Acc(h)->accDoDefaultAction(qxt::Child(20)); }  // a day of the third row
void PrevYear(HWND h) { qxt::Click(GetDlgItem(h, 100), 5, 5); }
void Paint(HWND h) { InvalidateRect(h, nullptr, TRUE), UpdateWindow(h); }
void TipUpThenSetText(HWND h) {
    qxt::SendChar(h, 'x');
    EXPECT_NE(qxt::ShownTip(), nullptr);
    SetText(h);
}
void PaintDisabled(HWND h) { EnableWindow(h, FALSE), Paint(h); }

// The parent destroys the control at its nth message `code` (the system edit's, for ClickFocus); no way: creation.
struct Row { const char *cls, *mask; DWORD style; void (*way)(HWND); UINT code; int nth; };

const char *const E = "QXEdit", *const I = "QXInteger", *const F = "QXFloat", *const P = "QXPicture",
           *const T = "QXTime", *const C = "QXCalCntl", *const B = "QXBmpButton", *const X = "QXBmpButtonXP";
const DWORD spin = QXES_SPIN;
const UINT kEditColour = WM_CTLCOLOREDIT, kStaticColour = WM_CTLCOLORSTATIC;

const Row kRows[] = {
    {E, "", 0, Type, EN_UPDATE, 1}, {E, "", 0, Type, EN_CHANGE, 1},
    {E, "", 0, TypeOver, EN_UPDATE, 1},  // a selection removed, the character not yet typed
    {E, "", 0, Focus, EN_SETFOCUS, 1}, {E, "", 0, Blur, EN_KILLFOCUS, 1}, {E, "", 0, Paste, EN_UPDATE, 1},
    {E, "", 0, CtrlV, EN_CHANGE, 1}, {E, "", 0, SetText, EN_UPDATE, 1}, {E, "", spin, ClickFocus, EN_KILLFOCUS, 1},
    {E, "", 0, Undo, EN_UPDATE, 2}, {E, "", 0, Undo, EN_CHANGE, 2}, {E, "", 0, AccValue, EN_UPDATE, 1},
    {E, "", 0, AccValue, EN_CHANGE, 1}, {E, "", 0, Paint, kEditColour, 1}, {E, "", 0, Focus, kEditColour, 1},
    {E, "", 0, PaintDisabled, kStaticColour, 1},
    {I, "", spin, SpinPress, EN_UPDATE, 1}, {I, "", spin, SpinHold, EN_UPDATE, 2}, {I, "", spin, WheelUp, EN_CHANGE, 2},
    {I, "", spin, [](HWND h) { QXIntSetMask(h, "99"); }, EN_UPDATE, 1}, {I, "", 0, Undo, EN_CHANGE, 2},
    {I, "", spin, AccPress, EN_CHANGE, 1}, {I, "", spin, Type, kEditColour, 1},
    {I, "99", QXES_EXPLAIN, TipUpThenSetText, EN_UPDATE, 1},
    {F, "", spin, SpinPress, QXFN_STEPUP, 1}, {F, "", spin, SpinHold, QXFN_STEPUP, 2},
    {F, "", spin, WheelDown, QXFN_STEPDOWN, 1}, {F, "", spin, [](HWND h) { QXFloatSetValue(h, 2.5); }, EN_CHANGE, 1},
    {F, "", spin, AccPress, QXFN_STEPUP, 1}, {F, "", spin, PaintDisabled, kStaticColour, 1},
    {P, "999-99", 0, Type, EN_UPDATE, 1}, {P, "999-99", 0, Focus, EN_SETFOCUS, 1},
    {P, "999-99", 0, [](HWND h) { QXPicSetValue(h, "12345"); }, EN_UPDATE, 1},
    {P, "999-99", 0, [](HWND h) { QXPicSetMask(h, "99"); }, EN_CHANGE, 1},
    {P, "999", 0, Paint, kEditColour, 1},  // the empty box
    {P, "999", 0, Type, kEditColour, 1},
    {T, "99:99", spin, SpinHold, EN_UPDATE, 2}, {T, "99:99", spin, Type, EN_UPDATE, 1},
    {T, "99:99", spin, [](HWND h) { QXTime_SetTime(h, 7, 5); }, EN_UPDATE, 1},
    {T, "99:99", spin, [](HWND h) { QXTime_Clear(h); }, EN_CHANGE, 1},
    {T, "99:99", spin, [](HWND h) { QXTime_SetMask(h, "99:99 am"); }, EN_UPDATE, 1},
    {T, "99:99", 0, nullptr, EN_UPDATE, 1},  // its first mask, before creation returns
    {T, "99:99", spin, PaintDisabled, kStaticColour, 1},
    {C, "", 0, DayDoubleClick, QXCN_DAYDBLCLK, 1}, {C, "", 0, ClickFocus, EN_KILLFOCUS, 1},
    {C, "", QXCS_NOTIFY, [](HWND h) { qxt::SendKey(h, VK_NEXT); }, QXCN_SELCHANGE, 1},
    {C, "", QXCS_NOTIFY, PrevYear, QXCN_SELCHANGE, 1}, {C, "", QXCS_NOTIFY, DayDoubleClick, QXCN_DAYDBLCLK, 1},
    {C, "", QXCS_NOTIFY, AccSelectDay, QXCN_SELCHANGE, 1}, {C, "", QXCS_NOTIFY, [](HWND h) { QXCalSetYear(h, 1999); }, QXCN_SELSET, 1},
    {C, "", QXCS_NOTIFY, [](HWND h) { SYSTEMTIME low = {2100, 1, 0, 1, 0, 0, 0, 0}; QXCalSetRange(h, &low, nullptr); }, QXCN_SELSET, 1},
    {B, "", 0, Click, BN_CLICKED, 1}, {B, "", 0, Space, BN_CLICKED, 1}, {B, "", 0, ClickFocus, EN_KILLFOCUS, 1},
    {B, "", 0, AccPress, BN_CLICKED, 1}, {X, "", 0, Click, BN_CLICKED, 1}, {X, "", 0, Space, BN_CLICKED, 1},
};

void PrintTo(const Row &r, std::ostream *os) {
    *os << r.cls << " code 0x" << std::hex << r.code << std::dec << " #" << r.nth;
}

class Lifetime : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(RegisterQXCtls(qxt::HostInstance()), 1); }
    static void TearDownTestSuite() { UnregisterQXCtls(qxt::HostInstance()); }
    void TearDown() override { EXPECT_EQ(faults.Faults(), 0) << "access violations"; }

    qxt::FaultCounter faults;
    qxt::ParentWindow parent{400, 200};
    HWND other = parent.CreateChild("EDIT", "", 0, 200, 100, 80, 20, 9);
};

class DestroyedInside : public Lifetime, public ::testing::WithParamInterface<Row> {};

// Gone, all freed, nothing repeating, nothing notified after the handler that destroyed it.
TEST_P(DestroyedInside, ACallOut) {
    const Row &r = GetParam();
    const int live = qxt::LiveAllocations();
    HWND target = nullptr, victim = nullptr;
    bool armed = !r.way;  // the notifications of creation count for creation only
    int seen = 0;
    size_t destroyedAt = 0;
    parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM lp) {
        const bool command = msg == WM_COMMAND;
        const UINT code = command ? HIWORD(wp) : msg;
        const HWND from = HWND(lp);
        if (!armed || victim || (!command && msg != kEditColour && msg != kStaticColour) || code != r.code) return;
        const bool counted = r.way == ClickFocus ? from == other : !r.way || from == target;
        if (!counted || ++seen != r.nth) return;
        victim = r.way ? target : from;
        DestroyWindow(victim);  // losing the focus on the way, an edit says so
        destroyedAt = parent.Notifications().size() + command;
    };
    parent.ClearNotifications();
    target = parent.CreateChild(r.cls, r.mask, r.style, 10, 10, r.cls == C ? 200 : 120, r.cls == C ? 150 : 24, 7);
    armed = true;
    if (!r.way)
        EXPECT_EQ(target, nullptr) << "destroyed inside its creation";
    else if (target)
        r.way(target);
    parent.onMessage = nullptr;
    EXPECT_TRUE(victim && !IsWindow(victim));
    int after = 0;
    for (size_t i = destroyedAt; i < parent.Notifications().size(); ++i) after += parent.Notifications()[i].from == victim;
    EXPECT_EQ(after, 0) << "notifications after the destruction";
    EXPECT_EQ(qxt::LiveAllocations(), live);
    EXPECT_EQ(qx::SpinRepeatTarget(), nullptr);
    EXPECT_EQ(qxt::TipWindows(), 0);
    ReleaseCapture();
}

INSTANTIATE_TEST_SUITE_P(EveryClass, DestroyedInside, ::testing::ValuesIn(kRows));

// Destroys the window at the first call out once armed, noting whether anything was freed then.
HWND g_doomed;
bool g_armed, g_freedInside;
void Doom() {
    if (!g_armed) return;
    g_armed = false;
    const int live = qxt::LiveAllocations();
    DestroyWindow(g_doomed);
    g_freedInside = qxt::LiveAllocations() != live;
}

// The system's default object, wrapped: each method dooms, then asks the real one (a freed wrapper faults).
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
    // The library asks no type information.
    STDMETHODIMP GetTypeInfoCount(UINT *) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *) override {
        return E_NOTIMPL;
    }
#define QX_FORWARD(name, params, args) \
    STDMETHODIMP name params override { Doom(); const HRESULT hr = real_->name args; ++calls_; return hr; }
    QX_FORWARD(get_accParent, (IDispatch * *p), (p)) QX_FORWARD(get_accChildCount, (long *n), (n))
    QX_FORWARD(get_accChild, (VARIANT c, IDispatch **p), (c, p)) QX_FORWARD(get_accName, (VARIANT c, BSTR *b), (c, b))
    QX_FORWARD(get_accValue, (VARIANT c, BSTR *b), (c, b)) QX_FORWARD(get_accDescription, (VARIANT c, BSTR *b), (c, b))
    QX_FORWARD(get_accRole, (VARIANT c, VARIANT *v), (c, v)) QX_FORWARD(get_accState, (VARIANT c, VARIANT *v), (c, v))
    QX_FORWARD(get_accHelp, (VARIANT c, BSTR *b), (c, b))
    QX_FORWARD(get_accHelpTopic, (BSTR * b, VARIANT c, long *t), (b, c, t))
    QX_FORWARD(get_accKeyboardShortcut, (VARIANT c, BSTR *b), (c, b)) QX_FORWARD(get_accFocus, (VARIANT * v), (v))
    QX_FORWARD(get_accSelection, (VARIANT * v), (v)) QX_FORWARD(get_accDefaultAction, (VARIANT c, BSTR *b), (c, b))
    QX_FORWARD(accSelect, (long f, VARIANT c), (f, c)) QX_FORWARD(accNavigate, (long d, VARIANT c, VARIANT *v), (d, c, v))
    QX_FORWARD(accLocation, (long *x, long *y, long *w, long *h, VARIANT c), (x, y, w, h, c))
    QX_FORWARD(accHitTest, (long x, long y, VARIANT *v), (x, y, v)) QX_FORWARD(accDoDefaultAction, (VARIANT c), (c))
    QX_FORWARD(put_accName, (VARIANT c, BSTR b), (c, b)) QX_FORWARD(put_accValue, (VARIANT c, BSTR b), (c, b))
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

// Requests calling out on an edit, a spin, a classic calendar's button: nothing freed early, all freed at the end.
TEST_F(Lifetime, DestroyedInsideAScreenReadersRequest) {
    auto *api = const_cast<qx::AccApi *>(qx::LoadAccApi());  // the library's entry points: the test's own seam
    ASSERT_NE(api, nullptr);
    g_makeReal = api->CreateStdAccessibleObject;
    api->CreateStdAccessibleObject = MakeWrapped;
    static VARIANT v;
    static long l;
    static BSTR b;
    static IDispatch *d;
    const VARIANT self = qxt::Child(CHILDID_SELF);
    using Request = std::function<HRESULT(IAccessible *)>;
    const struct { const char *what; Request request; bool disconnected; } requests[] = {
        {"parent", [](IAccessible *a) { return a->get_accParent(&d); }, false},
        {"child count", [](IAccessible *a) { return a->get_accChildCount(&l); }, false},
        {"child", [](IAccessible *a) { return a->get_accChild(qxt::Child(1), &d); }, false},
        {"name", [&](IAccessible *a) { return a->get_accName(self, &b); }, false},
        {"description", [&](IAccessible *a) { return a->get_accDescription(self, &b); }, false},
        {"help", [&](IAccessible *a) { return a->get_accHelp(self, &b); }, false},
        {"help topic", [&](IAccessible *a) { return a->get_accHelpTopic(&b, self, &l); }, false},
        {"focus", [](IAccessible *a) { return a->get_accFocus(&v); }, true},
        {"selection", [](IAccessible *a) { return a->get_accSelection(&v); }, false},
        {"select", [&](IAccessible *a) { return a->accSelect(SELFLAG_TAKEFOCUS, self); }, false},
        {"location", [&](IAccessible *a) { return a->accLocation(&l, &l, &l, &l, self); }, false},
        {"navigate", [&](IAccessible *a) { return a->accNavigate(NAVDIR_NEXT, self, &v); }, false},
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
                g_doomed = parent.CreateChild(standIn ? C : E, "", target[1] == 'p' ? spin : 0, 100, 10, 200, 150, 7);
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
                EXPECT_EQ(r.disconnected && calledOut ? hr : RPC_E_DISCONNECTED, RPC_E_DISCONNECTED);
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
