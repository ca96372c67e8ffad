// The bitmap button's object, window procedure, press and hover state
// machine, class registration and exports. Drawing is in bmp_btn_draw.cpp.
#include "button/bmp_btn.h"

#include <new>

#include "button/month_year_btn.h"
#include "common/gdi.h"
#include "common/window_class.h"
#include "common/window_object.h"
#include "qx_cntl.h"

namespace qx {

namespace {

WindowClass g_bmpBtnClass = {"QXBmpButton", BmpBtnWndProc, CS_HREDRAW | CS_VREDRAW, 0};

// Coordinates and counts packed in a message's lParam, sign-extended.
inline int LowSigned(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
inline int HighSigned(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }

}  // namespace

BmpBtn::~BmpBtn() {
    if (bitmap) DeleteObject(bitmap);
    if (disabledBitmap) DeleteObject(disabledBitmap);
    if (disabledIcon) DestroyIcon(disabledIcon);
}

bool BmpBtn::OnNcCreate(HWND window, const CREATESTRUCTA *) {
    hwnd = window;
    return true;
}

void BmpBtn::OnNcDestroy(HWND) {}

bool BmpBtn::OnCreate(HWND, const CREATESTRUCTA *) { return true; }

LRESULT BmpBtn::OnNcCalcSize(HWND, WPARAM, LPARAM) { return WVR_HREDRAW | WVR_VREDRAW; }

void BmpBtn::OnSetFocus(HWND window, HWND) {
    focused = true;
    InvalidateRect(window, nullptr, FALSE);
}

void BmpBtn::OnKillFocus(HWND window, HWND) {
    focused = false;
    InvalidateRect(window, nullptr, FALSE);
}

void BmpBtn::OnCommand(HWND, int, HWND, UINT) {}

void BmpBtn::OnPaint(HWND window) {
    PaintDC dc(window);
    if (dc) Draw(dc.get(), clientRect, pressed);
}

UINT BmpBtn::OnGetDlgCode(HWND window, const MSG *) {
    const bool isDefault = (GetWindowLongA(window, GWL_STYLE) & BS_DEFPUSHBUTTON) != 0;
    return isDefault || focused ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
}

void BmpBtn::OnKey(HWND, UINT vk, bool down, int, UINT) {
    if (vk != VK_SPACE) return;
    if (down) {
        Press();
        return;
    }
    // Every key-up of the space bar clicks, pressed before or not.
    Release();
    NotifyClicked();
}

// The capture is taken before the focus moves. Whoever handles the focus
// change may destroy the button, or raise a message box, which takes the
// capture while the mouse button goes up unseen: either way the capture is
// gone and the press is over (the object may be gone too).
void BmpBtn::OnLButtonDown(HWND window, int, int, UINT) {
    SetCapture(window);
    SetFocus(window);
    if (GetCapture() != window) return;
    tracking = true;
    Press();
}

void BmpBtn::OnLButtonUp(HWND, int x, int y, UINT) {
    if (!tracking) return;
    ReleaseCapture();
    tracking = false;
    Release();
    const POINT at = {x, y};
    if (PtInRect(&clientRect, at)) NotifyClicked();
}

void BmpBtn::OnSize(HWND, UINT, int width, int height) {
    clientRect.right = width;
    clientRect.bottom = height;
}

void BmpBtn::OnEnable(HWND window, bool enable) {
    enabled = enable;
    InvalidateRect(window, nullptr, FALSE);
}

void BmpBtn::OnMouseMove(HWND, int, int, UINT) {
    if (hot) return;
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd;
    track.dwHoverTime = 0;
    // A failed request leaves the button cold; the next move asks again.
    if (TrackMouseEvent(&track)) EnterHot();
}

void BmpBtn::OnMouseLeave(HWND) { LeaveHot(); }

void BmpBtn::Press() {
    if (pressed) return;
    pressed = true;
    DrawNow(true);
}

void BmpBtn::Release() {
    if (!pressed) return;
    pressed = false;
    DrawNow(false);
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

void BmpBtn::Draw(HDC dc, const RECT &rect, bool pressedLook) { DrawFace(dc, rect, pressedLook); }

void BmpBtn::SetBitmap(HBITMAP newBitmap) {
    bitmap = newBitmap;
    if (disabledBitmap) {
        DeleteObject(disabledBitmap);
        disabledBitmap = nullptr;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
}

void BmpBtn::SetIcon(HICON newIcon) {
    icon = newIcon;
    if (disabledIcon) {
        DestroyIcon(disabledIcon);
        disabledIcon = nullptr;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
}

void BmpBtn::DrawNow(bool pressedLook) {
    WindowDC dc(hwnd);
    if (dc) Draw(dc.get(), clientRect, pressedLook);
}

void BmpBtn::NotifyClicked() {
    const WORD id = LOWORD(GetDlgCtrlID(hwnd));
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
}

// ---- Window procedure ----------------------------------------------------------

LRESULT DispatchButtonMessage(BmpBtn *b, HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        return b->OnCreate(window, reinterpret_cast<const CREATESTRUCTA *>(lp)) ? 0 : -1;
    case WM_DESTROY:
        return 0;
    case WM_SIZE:
        b->OnSize(window, static_cast<UINT>(wp), LowSigned(lp), HighSigned(lp));
        return 0;
    case WM_SETFOCUS:
        b->OnSetFocus(window, reinterpret_cast<HWND>(wp));
        return 0;
    case WM_KILLFOCUS:
        b->OnKillFocus(window, reinterpret_cast<HWND>(wp));
        return 0;
    case WM_ENABLE:
        b->OnEnable(window, wp != 0);
        return 0;
    case WM_PAINT:
        b->OnPaint(window);
        return 0;
    case WM_NCCREATE:
        return b->OnNcCreate(window, reinterpret_cast<const CREATESTRUCTA *>(lp)) ? TRUE : FALSE;
    case WM_NCDESTROY:
        b->OnNcDestroy(window);
        delete b;
        SetSlotObject(window, nullptr);
        return 0;
    case WM_NCCALCSIZE:
        return b->OnNcCalcSize(window, wp, lp);
    case WM_GETDLGCODE:
        return b->OnGetDlgCode(window, reinterpret_cast<const MSG *>(lp));
    case WM_KEYDOWN:
    case WM_KEYUP:
        b->OnKey(window, static_cast<UINT>(wp), msg == WM_KEYDOWN, LowSigned(lp), HIWORD(lp));
        return 0;
    case WM_COMMAND:
        b->OnCommand(window, LOWORD(wp), reinterpret_cast<HWND>(lp), HIWORD(wp));
        return 0;
    case WM_MOUSEMOVE:
        b->OnMouseMove(window, LowSigned(lp), HighSigned(lp), static_cast<UINT>(wp));
        return 0;
    case WM_LBUTTONDOWN:
        b->OnLButtonDown(window, LowSigned(lp), HighSigned(lp), static_cast<UINT>(wp));
        return 0;
    case WM_LBUTTONUP:
        b->OnLButtonUp(window, LowSigned(lp), HighSigned(lp), static_cast<UINT>(wp));
        return 0;
    case WM_MOUSELEAVE:
        b->OnMouseLeave(window);
        return 0;
    default:
        return DefWindowProcA(window, msg, wp, lp);
    }
}

LRESULT CALLBACK BmpBtnWndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    auto *button = static_cast<BmpBtn *>(SlotObject(window));
    if (!button) {
        if (msg != WM_NCCREATE) return DefWindowProcA(window, msg, wp, lp);
        button = new (std::nothrow) BmpBtn;
        if (!button) return FALSE;  // the window is not created
        SetSlotObject(window, button);
    }
    return DispatchButtonMessage(button, window, msg, wp, lp);
}

BmpBtn *ButtonFromWindow(HWND window) {
    static const WNDPROC procs[] = {BmpBtnWndProc, MonthYearBtnWndProc};
    return static_cast<BmpBtn *>(WindowObject(window, procs, 2));
}

}  // namespace qx

// ---- Exports -------------------------------------------------------------------

extern "C" QXBOOL WINAPI QXRegisterBmpBtnClass(HINSTANCE instance) {
    return qx::RegisterCounted(qx::g_bmpBtnClass, instance) ? 1 : 0;
}

extern "C" void WINAPI QXUnregisterBmpBtnClass(HINSTANCE instance) {
    qx::UnregisterCounted(qx::g_bmpBtnClass, instance);
}

extern "C" QXBOOL WINAPI QXBtn_SetIcon(HWND hwnd, HICON icon) {
    qx::BmpBtn *button = qx::ButtonFromWindow(hwnd);
    if (!button) return 0;
    button->SetIcon(icon);
    return 1;
}

extern "C" QXBOOL WINAPI QXBtn_SetBitmap(HWND hwnd, HBITMAP bitmap) {
    qx::BmpBtn *button = qx::ButtonFromWindow(hwnd);
    if (!button) return 0;
    button->SetBitmap(bitmap);
    return 1;
}
