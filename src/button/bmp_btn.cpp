// The bitmap button's object: its messages, the press and hover state
// machine, and its exports. Drawing is in bmp_btn_draw.cpp.
#include "button/bmp_btn.h"

#include <new>

#include "common/display.h"
#include "common/library_strings.h"
#include "common/win_util.h"
#include "qx_cntl.h"

namespace qx {

WindowObject *BmpBtn::Make(HWND hwnd, const CREATESTRUCTA &) { return new (std::nothrow) BmpBtn(hwnd); }

LRESULT BmpBtn::OnNcCalcSize() { return WVR_HREDRAW | WVR_VREDRAW; }

void BmpBtn::OnSetFocus() {
    focused = true;
    InvalidateRect(Window(), nullptr, FALSE);
}

// A press of the space bar ends with the focus, as the system's buttons'.
void BmpBtn::OnKillFocus() {
    focused = false;
    if (!tracking) Release();
    InvalidateRect(Window(), nullptr, FALSE);
}

void BmpBtn::OnPaint() {
    PaintDC dc(Window());
    if (dc) Draw(dc.get(), clientRect, pressed);
}

UINT BmpBtn::OnGetDlgCode() {
    const bool isDefault = (GetWindowLongA(Window(), GWL_STYLE) & BS_DEFPUSHBUTTON) != 0;
    return isDefault || focused ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
}

void BmpBtn::OnKey(UINT vk, bool down) {
    if (vk != VK_SPACE) return;
    if (down) {
        Press();
        return;
    }
    // Every key-up of the space bar clicks, pressed before or not.
    Release();
    NotifyParent(BN_CLICKED);
}

// The capture is taken before the focus moves. Whoever handles the focus
// change may destroy the button, or raise a message box, which takes the
// capture while the mouse button goes up unseen: either way the press is
// over.
void BmpBtn::OnLButtonDown() {
    SetCapture(Window());
    SetFocus(Window());
    if (Gone() || GetCapture() != Window()) return;
    tracking = true;
    Press();
}

// The press is over before the capture is released: the capture change
// that follows is the button's own.
void BmpBtn::OnLButtonUp(int x, int y) {
    if (!tracking) return;
    tracking = false;
    ReleaseCapture();
    Release();
    const POINT at = {x, y};
    if (PtInRect(&clientRect, at)) NotifyParent(BN_CLICKED);
}

void BmpBtn::OnCaptureChanged(HWND gaining) {
    if (!tracking || gaining == Window()) return;
    tracking = false;
    Release();
}

void BmpBtn::OnCancelMode() {
    const bool held = tracking;
    tracking = false;
    if (held && GetCapture() == Window()) ReleaseCapture();
    Release();
}

void BmpBtn::OnSize(int width, int height) {
    clientRect.right = width;
    clientRect.bottom = height;
}

// The enabled state itself is read from the window when drawing.
void BmpBtn::OnEnable(bool) { InvalidateRect(Window(), nullptr, FALSE); }

void BmpBtn::OnMouseMove() {
    if (hot) return;
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = Window();
    track.dwHoverTime = 0;
    // A failed request leaves the button cold; the next move asks again.
    if (TrackMouseEvent(&track)) EnterHot();
}

void BmpBtn::OnMouseLeave() { LeaveHot(); }

// Erased: a face that draws nothing in the new look leaves the background.
void BmpBtn::OnThemeChanged() {
    theme_.Drop();
    DropImage();
    InvalidateRect(Window(), nullptr, TRUE);
}

void BmpBtn::OnAccPress() {
    if (!IsWindowEnabled(Window())) return;
    OnLButtonDown();
    if (Gone() || !tracking) return;
    OnLButtonUp(clientRect.right / 2, clientRect.bottom / 2);
}

void BmpBtn::Press() {
    if (pressed) return;
    pressed = true;
    DrawNow(true);
    NotifyStateChange(Window());
}

void BmpBtn::Release() {
    if (!pressed) return;
    pressed = false;
    DrawNow(false);
    NotifyStateChange(Window());
}

void BmpBtn::EnterHot() {
    if (hot) return;
    hot = true;
    DrawNow(false);
}

void BmpBtn::LeaveHot() {
    if (!hot) return;
    hot = false;
    DrawNow(false);
}

void BmpBtn::SetBitmap(HBITMAP newBitmap) {
    bitmap.Release();
    bitmap.Reset(newBitmap);
    greyed_.Reset();
    bitmapCopies_.Drop();
    greyedCopies_.Drop();
    ++picture_;
    InvalidateRect(Window(), nullptr, FALSE);
}

void BmpBtn::SetIcon(HICON newIcon) {
    icon = newIcon;
    greyedIcon_.Reset();
    ++picture_;
    InvalidateRect(Window(), nullptr, FALSE);
}

void BmpBtn::DrawNow(bool pressedLook) {
    WindowDC dc(Window());
    if (dc) Draw(dc.get(), clientRect, pressedLook);
}

LRESULT BmpBtn::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    // The default procedure keeps the creation text (a dialog template's
    // CONTROL text): it is the button's name for screen readers.
    case WM_NCCREATE: return DefWindowProcA(Window(), msg, wp, lp);
    case WM_CREATE: return 0;
    case WM_DESTROY: return 0;
    case WM_SIZE: OnSize(LowSigned(lp), HighSigned(lp)); return 0;
    case WM_SETFOCUS: OnSetFocus(); return 0;
    case WM_KILLFOCUS: OnKillFocus(); return 0;
    case WM_ENABLE: OnEnable(wp != 0); return 0;
    case WM_PAINT: OnPaint(); return 0;
    // The face covers the whole window: nothing to erase below it.
    case WM_ERASEBKGND: return HasFace() ? 1 : DefWindowProcA(Window(), msg, wp, lp);
    case WM_PRINTCLIENT: Draw(reinterpret_cast<HDC>(wp), clientRect, pressed); return 0;
    // The colours, high contrast and the DPI are compared at every drawing
    // (the kept images carry them in their keys): only the window must be
    // drawn again.
    case WM_SETTINGCHANGE:
        if (wp != SPI_SETHIGHCONTRAST) return 0;
        [[fallthrough]];
    case WM_SYSCOLORCHANGE:
    case kWmDpiChangedAfterParent: InvalidateRect(Window(), nullptr, FALSE); return 0;
    case WM_THEMECHANGED: OnThemeChanged(); return 0;
    case WM_NCCALCSIZE: return OnNcCalcSize();
    case WM_GETDLGCODE: return OnGetDlgCode();
    case WM_KEYDOWN:
    case WM_KEYUP: OnKey(static_cast<UINT>(wp), msg == WM_KEYDOWN); return 0;
    case WM_COMMAND: return 0;
    case WM_MOUSEMOVE: OnMouseMove(); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(); return 0;
    case WM_LBUTTONUP: OnLButtonUp(LowSigned(lp), HighSigned(lp)); return 0;
    case WM_CAPTURECHANGED: OnCaptureChanged(reinterpret_cast<HWND>(lp)); return 0;
    case WM_CANCELMODE: OnCancelMode(); return 0;
    case WM_MOUSELEAVE: OnMouseLeave(); return 0;
    case kBtnAccPressMessage: OnAccPress(); return 0;
    case WM_NCDESTROY: return 0;
    default: return DefWindowProcA(Window(), msg, wp, lp);
    }
}

// ---- Accessibility ---------------------------------------------------------------

long BmpBtn::AccChildCount() { return 0; }

long BmpBtn::AccRole(long) { return ROLE_SYSTEM_PUSHBUTTON; }

void BmpBtn::AccCaption(long, AccText *caption) { WindowTextCaption(Window(), caption); }

bool BmpBtn::AccValue(long, AccText *) { return false; }

long BmpBtn::AccState(long) {
    long state = pressed ? STATE_SYSTEM_PRESSED : 0;
    if (GetWindowLongA(Window(), GWL_STYLE) & BS_DEFPUSHBUTTON) state |= STATE_SYSTEM_DEFAULT;
    return state;
}

void BmpBtn::AccDefaultAction(long, AccText *action) { LoadControlString(Window(), QXIDS_ACC_PRESS, action); }

HRESULT BmpBtn::AccDoDefaultAction(long) {
    if (!IsWindowEnabled(Window())) return E_ACCESSDENIED;
    return PostMessageA(Window(), kBtnAccPressMessage, 0, 0) ? S_OK : E_FAIL;
}

HRESULT BmpBtn::AccSetValue(long, const char *) { return DISP_E_MEMBERNOTFOUND; }

bool BmpBtn::AccChildRect(long, RECT *) { return false; }

}  // namespace qx

// ---- Exports -------------------------------------------------------------------

using qx::BmpBtn;
using qx::CallData;
using qx::WindowObject;

extern "C" QXBOOL WINAPI QXBtn_SetIcon(HWND hwnd, HICON icon) {
    CallData data;
    data.handle = icon;
    return WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        auto *b = dynamic_cast<BmpBtn *>(&o);
        if (b) b->SetIcon(static_cast<HICON>(d.handle));
        return b != nullptr;
    }, data);
}

extern "C" QXBOOL WINAPI QXBtn_SetBitmap(HWND hwnd, HBITMAP bitmap) {
    CallData data;
    data.handle = bitmap;
    return WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        auto *b = dynamic_cast<BmpBtn *>(&o);
        if (b) b->SetBitmap(static_cast<HBITMAP>(d.handle));
        return b != nullptr;
    }, data);
}
