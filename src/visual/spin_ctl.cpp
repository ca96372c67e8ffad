// The spin's drawing, mouse handling and auto-repeat. The geometry is in
// spin_geometry.cpp.
#include "visual/spin_ctl.h"

#include "common/accessible.h"
#include "common/display.h"
#include "common/gdi.h"
#include "common/library_strings.h"
#include "common/win_util.h"
#include "qx_cntl.h"

namespace qx {
namespace {

constexpr int kThemeUpPart = 1;
constexpr int kThemeDownPart = 2;
constexpr UINT kFirstDelay = 300;
constexpr UINT kRepeatDelay = 50;
constexpr SpinButton kButtons[] = {kSpinUpper, kSpinLower};

// The accessible part of an arrow, and back.
long PartOf(SpinButton button) { return button == kSpinNone ? 0 : button + 1; }
SpinButton ButtonOf(long part) { return part == 1 ? kSpinUpper : part == 2 ? kSpinLower : kSpinNone; }

// ---- Auto-repeat ------------------------------------------------------------

// Each thread repeats at most one spin, the one its slot of thread-local
// storage names; the repetition's timer and flags are the spin's own. The
// timer is a thread timer: its ticks come from the message loop of the thread
// that set it, which alone can kill it, and that thread's slot leads the tick
// to its spin. Nothing of one thread's repetition is seen by another.
class RepeatSlot {
public:
    RepeatSlot() : index_(TlsAlloc()) {}
    ~RepeatSlot() {
        if (usable()) TlsFree(index_);
    }
    RepeatSlot(const RepeatSlot &) = delete;
    RepeatSlot &operator=(const RepeatSlot &) = delete;
    static const RepeatSlot &Get();
    SpinCtl *Spin() const { return usable() ? static_cast<SpinCtl *>(TlsGetValue(index_)) : nullptr; }
    // False when the system has no slot left for the library.
    bool Set(SpinCtl *spin) const { return usable() && TlsSetValue(index_, spin); }

private:
    bool usable() const { return index_ != TLS_OUT_OF_INDEXES; }
    const DWORD index_;
};

// Taken when the library loads (TlsAlloc is safe there), given back when it
// goes.
const RepeatSlot g_repeatSlot;

const RepeatSlot &RepeatSlot::Get() { return g_repeatSlot; }

// ---- Drawing ----------------------------------------------------------------

// What the classic look is drawn with: its own white and black, or in high
// contrast the system's colours alone. Stock and system brushes: nothing is
// made for a drawing.
struct SpinBrushes {
    HBRUSH light, dark, frame, arrow;
};

SpinBrushes ClassicBrushes() {
    if (HighContrast())
        return {GetSysColorBrush(COLOR_BTNHIGHLIGHT), GetSysColorBrush(COLOR_BTNSHADOW),
                GetSysColorBrush(COLOR_WINDOWFRAME), GetSysColorBrush(COLOR_BTNTEXT)};
    return {static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), GetSysColorBrush(COLOR_BTNSHADOW),
            static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))};
}

void Fill(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
    const RECT r = {left, top, right, bottom};
    FillRect(dc, &r, brush);
}

// The bevelled look on an inclusive rectangle, its lines bw wide and bh
// high: normal, light at the top and left under dark at the bottom and
// right; pressed, the other way round, the arrow moved right and down by
// offset.
void DrawClassicButton(HDC dc, RECT r, bool up, bool pressed_, int bw, int bh, int offset, const SpinBrushes &b) {
    const RECT outer = ExclusiveRect(r);
    if (pressed_) {
        FillBottomRight(dc, outer, b.light, bw, bh);
        FillTopLeft(dc, outer, b.dark, bw, bh);
    } else {
        FillTopLeft(dc, outer, b.light, bw, bh);
        FillBottomRight(dc, outer, b.dark, bw, bh);
    }

    InflateRect(&r, -bw, -bh);
    const RECT face = ExclusiveRect(r);
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
    if (pressed_) OffsetRect(&r, offset, offset);

    // One colour whatever the window's state: a disabled spin keeps its arrows.
    const SpinArrow arrow = SpinArrowIn(r, up);
    for (int i = 0; i < arrow.rows; ++i) {
        const int y = arrow.RowY(i);
        Fill(dc, arrow.cx - i, y, arrow.cx + i + 1, y + 1, b.arrow);
    }
}

}  // namespace

const SpinCtl *SpinRepeatTarget() { return RepeatSlot::Get().Spin(); }

void SpinCtl::StartRepeat(bool up) {
    if (SpinCtl *current = RepeatSlot::Get().Spin()) current->StopRepeat();
    repeatUp_ = up;
    repeating_ = false;
    repeatTimer_ = SetTimer(nullptr, 0, kFirstDelay, RepeatTick);
    // A tick that cannot find its spin would never stop its timer.
    if (repeatTimer_ && !RepeatSlot::Get().Set(this)) StopRepeat();
}

// Only on the thread that started the repetition: the spin's own, where its
// window lives.
void SpinCtl::StopRepeat() {
    if (repeatTimer_) KillTimer(nullptr, repeatTimer_);
    repeatTimer_ = 0;
    repeating_ = false;
    if (RepeatSlot::Get().Spin() == this) RepeatSlot::Get().Set(nullptr);
}

// The repetition runs from the thread's message loop, outside any call on
// the owner: each tick is a way in of its own and holds the owner alive
// across its step.
void CALLBACK SpinCtl::RepeatTick(HWND, UINT, UINT_PTR id, DWORD) {
    SpinCtl *spin = RepeatSlot::Get().Spin();
    // A tick of a timer already killed.
    if (!spin || id != spin->repeatTimer_) return;
    if (spin->owner_.SpinHost().Gone()) {
        spin->StopRepeat();
        return;
    }
    // A tick from a modal loop inside a step of ours.
    if (spin->stepping_) return;
    // Without the capture the button is no longer held for this window (a
    // modal window, a drag elsewhere, a disabled window): the press ends.
    if (GetCapture() != spin->window_) {
        spin->CaptureLost();
        spin->StopRepeat();
        return;
    }
    if (!spin->repeating_) {
        spin->repeating_ = true;
        KillTimer(nullptr, spin->repeatTimer_);
        spin->repeatTimer_ = SetTimer(nullptr, 0, kRepeatDelay, RepeatTick);
        if (!spin->repeatTimer_) spin->StopRepeat();
        return;
    }
    spin->stepping_ = true;
    bool stepped = false;
    // Gone, the owner (and the spin with it) is deleted or about to be: its
    // destructor stops the repetition.
    if (!spin->Step(spin->repeatUp_, &stepped)) return;
    spin->stepping_ = false;
    // A new repetition may have begun inside the step (a new timer), or
    // this one ended (none).
    if (!stepped && spin->repeatTimer_ == id) spin->StopRepeat();
}

SpinCtl::SpinCtl(SpinOwner &owner, int left, int top, int width, int height, unsigned edges)
    : owner_(owner), window_(owner.SpinHost().Window()), geometry_(), pressed_(kSpinNone) {
    geometry_.edges = edges;
    Layout(left, top, width, height);
}

// A spin that goes away is never stepped again. It goes on its window's
// thread, where its repetition runs.
SpinCtl::~SpinCtl() { StopRepeat(); }

bool SpinCtl::Step(bool up, bool *changed) {
    WindowObject::Guard guard(owner_.SpinHost());
    const bool stepped = owner_.Step(up);
    if (guard.Gone()) return false;
    *changed = stepped;
    return true;
}

void SpinCtl::Layout(int left, int top, int width, int height) {
    dpi_ = WindowDpi(window_);
    geometry_ = SpinLayout(left, top, width, height, geometry_.edges, LineForDpi(SM_CXBORDER, dpi_),
                           LineForDpi(SM_CYBORDER, dpi_));
}

// No themed faces in high contrast.
HTHEME SpinCtl::Theme() { return HighContrast() ? nullptr : theme_.Get(window_); }

void SpinCtl::DrawButton(HDC dc, HTHEME theme, SpinButton button, Look look) {
    const RECT r = SpinButtonRect(geometry_, button);
    if (r.right < r.left || r.bottom < r.top) return;  // no room for a button
    if (theme) {
        int state = 1;
        if (look == Look::Pressed) state = 3;
        else if (!IsWindowEnabled(window_)) state = 4;
        else if (look == Look::Hot) state = 2;
        const RECT themed = SpinThemedRect(geometry_, button);
        const int part = button == kSpinUpper ? kThemeUpPart : kThemeDownPart;
        RECT client;
        GetClientRect(window_, &client);
        if (!faces_.Draw(dc, theme, theme_.Dpi(), part, state, themed, client))
            Themes().DrawThemeBackground(theme, dc, part, state, &themed, nullptr);
    } else {
        DrawClassicButton(dc, r, button == kSpinUpper, look == Look::Pressed, geometry_.borderWidth,
                          geometry_.borderHeight, ScaleForDpi(1, dpi_), ClassicBrushes());
    }
}

void SpinCtl::DrawButtonNow(SpinButton button, Look look) {
    WindowDC dc(window_);
    if (!dc) return;
    DrawButton(dc.get(), Theme(), button, look);
}

void SpinCtl::LookChanged() {
    theme_.Drop();
    faces_.Forget();
}

void SpinCtl::Paint(HDC dc) {
    const SpinGeometry &g = geometry_;
    const SpinFrame f = SpinFrameOf(g);
    const HTHEME theme = Theme();
    const SpinBrushes brushes = ClassicBrushes();
    const int bw = g.borderWidth, bh = g.borderHeight;

    // The sides reach down over the bottom line, as deep as it is high.
    if (g.edges & kSpinEdgeLeft) Fill(dc, g.left, g.top, g.left + bw, f.y1 + bh, GetSysColorBrush(COLOR_BTNFACE));
    if (g.edges & kSpinEdgeRight) Fill(dc, f.x1, g.top, f.x1 + bw, f.y1 + bh, brushes.frame);
    if (g.edges & kSpinEdgeTop) Fill(dc, f.xa, g.top, f.xb + 1, g.top + bh, brushes.frame);
    if (g.edges & kSpinEdgeBottom) Fill(dc, f.xa, f.y1, f.xb + 1, f.y1 + bh, brushes.frame);
    RECT divider = f.divider;
    if (theme) {
        divider.right += 2 * bw;
        FillRect(dc, &divider, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        FillRect(dc, &divider, brushes.frame);
    }

    // A held button is drawn normal too: the press shows only until the
    // next paint.
    DrawButton(dc, theme, kSpinUpper, Look::Normal);
    DrawButton(dc, theme, kSpinLower, Look::Normal);
}

bool SpinCtl::MouseDown(int x, int y) {
    const SpinButton hit = SpinHitTest(geometry_, x, y);
    // A second press without a release between, beside both buttons, belongs
    // to the button held: it keeps its look, the capture and the repetition,
    // which its release ends. Dropping it here would leave the capture taken
    // with nothing that releases it.
    if (hit == kSpinNone && pressed_ != kSpinNone) return true;
    const SpinButton before = pressed_;
    SetPressed(hit);
    if (hit == kSpinNone) return false;
    // A press on a button while one is held (no release between) ends the
    // held one's press: drawn normal, its repetition stopped.
    StopRepeat();
    if (before != kSpinNone && before != hit) DrawButtonNow(before, Look::Normal);
    DrawButtonNow(hit, Look::Pressed);

    // The capture is taken before the first step: a step that raises a
    // modal window (a message box from the parent) takes it away again, and
    // the press then ends here instead of repeating with no button held.
    SetCapture(window_);
    bool stepped = false;
    if (!Step(hit == kSpinUpper, &stepped)) return false;
    if (pressed_ != hit || GetCapture() != window_) {
        if (pressed_ == hit) {
            SetPressed(kSpinNone);
            DrawButtonNow(hit, Look::Normal);
        }
        return false;
    }

    if (stepped) {
        StartRepeat(hit == kSpinUpper);
    } else {
        // A refused first step: clicks the user queued meanwhile would only
        // be refused again. The button stays pressed until the release.
        MSG msg;
        while (PeekMessageA(&msg, window_, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE | PM_NOYIELD)) {
        }
    }
    return true;
}

bool SpinCtl::MouseUp(int, int) {
    const SpinButton held = pressed_;
    // Cleared first: the release of the capture below reports a capture
    // change that must find nothing held.
    SetPressed(kSpinNone);
    if (held != kSpinNone) {
        DrawButtonNow(held, Look::Normal);
        if (GetCapture() == window_) ReleaseCapture();
    }
    StopRepeat();
    return held != kSpinNone;
}

void SpinCtl::CaptureLost() {
    if (GetCapture() == window_) return;  // taken again by the same window
    StopRepeat();
    if (pressed_ == kSpinNone) return;
    const SpinButton held = pressed_;
    SetPressed(kSpinNone);
    DrawButtonNow(held, Look::Normal);
}

void SpinCtl::SetPressed(SpinButton button) {
    const SpinButton was = pressed_;
    if (button == was) return;
    pressed_ = button;
    if (was != kSpinNone) NotifyStateChange(window_, PartOf(was));
    if (button != kSpinNone) NotifyStateChange(window_, PartOf(button));
}

// ---- Accessibility ----------------------------------------------------------

void SpinCtl::AccCaption(long part, AccText *caption) const {
    LoadControlString(window_, part == 1 ? QXIDS_ACC_UP : QXIDS_ACC_DOWN, caption);
}

long SpinCtl::AccState(long part) const {
    return pressed_ != kSpinNone && pressed_ == ButtonOf(part) ? STATE_SYSTEM_PRESSED : 0;
}

bool SpinCtl::AccRect(long part, RECT *rect) const {
    const SpinButton button = ButtonOf(part);
    if (button == kSpinNone) return false;
    const RECT r = SpinButtonRect(geometry_, button);
    if (r.right < r.left || r.bottom < r.top) return false;  // no room for a button
    *rect = ExclusiveRect(r);
    return true;
}

void SpinCtl::AccPress(long part) {
    const SpinButton button = ButtonOf(part);
    bool changed;
    if (button != kSpinNone) Step(button == kSpinUpper, &changed);
}

void SpinCtl::HotTrack(int x, int y) {
    const HTHEME theme = Theme();
    if (!theme) return;
    WindowDC dc(window_);
    if (!dc) return;
    const POINT p = {x, y};
    for (const SpinButton b : kButtons) {
        const RECT themed = SpinThemedRect(geometry_, b);
        DrawButton(dc.get(), theme, b, PtInRect(&themed, p) ? Look::Hot : Look::Normal);
    }
}

void SpinCtl::MouseMove(int x, int y) {
    if (!Themes().IsThemed() || pressed_ != kSpinNone) return;
    // WM_MOUSELEAVE follows when the pointer leaves the window.
    TRACKMOUSEEVENT t = {};
    t.cbSize = sizeof t;
    t.dwFlags = TME_LEAVE;
    t.hwndTrack = window_;
    TrackMouseEvent(&t);
    HotTrack(x, y);
}

void SpinCtl::MouseLeave(int x, int y) {
    if (!Themes().IsThemed() || pressed_ != kSpinNone) return;
    HotTrack(x, y);
}

// Every notch steps, whatever the step answers, until the owner's window
// is gone.
void SpinCtl::Wheel(int notches) {
    bool changed;
    for (int i = 0; i < notches; ++i)
        if (!Step(true, &changed)) return;
    for (int i = notches; i < 0; ++i)
        if (!Step(false, &changed)) return;
}

}  // namespace qx
