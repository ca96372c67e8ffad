// The one window procedure of the five edit-family classes: finds the
// window's host in slot 0 and hands each message to one handler. Messages
// before the host exists and after it is gone go to the default procedure.
#include "edit/edit_proc.h"

namespace qx {
namespace {

int XOf(LPARAM lp) { return static_cast<SHORT>(LOWORD(lp)); }
int YOf(LPARAM lp) { return static_cast<SHORT>(HIWORD(lp)); }

// The capacity of an edit line with its terminating zero.
constexpr WPARAM kTextBufferMax = EditBuf::kCapacity + 1;

LRESULT OnNcCreate(HWND hwnd, LPARAM lp) {
    const auto *cs = reinterpret_cast<const CREATESTRUCTA *>(lp);
    return cs && EditHost::Create(hwnd, *cs) ? TRUE : FALSE;
}

LRESULT OnNcDestroy(EditHost &host) {
    DefWindowProcA(host.hwnd, WM_NCDESTROY, 0, 0);
    SetSlotObject(host.hwnd, nullptr);
    host.destroyed = true;  // deleted when the outermost call returns
    return 0;
}

LRESULT OnPaint(EditHost &host) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(host.hwnd, &ps);
    if (dc) {
        if (host.edit) host.edit->Paint(dc);
        if (host.spin) host.spin->Paint(dc);
    }
    EndPaint(host.hwnd, &ps);
    return 0;
}

LRESULT OnSetText(EditHost &host, LPARAM lp) {
    if (host.edit) host.edit->SetText(lp ? reinterpret_cast<const char *>(lp) : "");
    return 0;
}

LRESULT OnGetText(EditHost &host, WPARAM wp, LPARAM lp) {
    if (!host.edit || !lp || wp == 0) return 0;
    const int size = static_cast<int>(wp < kTextBufferMax ? wp : kTextBufferMax);
    return host.edit->GetText(reinterpret_cast<char *>(lp), size);
}

LRESULT OnGetSel(EditHost &host, WPARAM wp, LPARAM lp) {
    if (!host.edit) return -1;
    int anchor, caret;
    host.edit->GetSel(&anchor, &caret);
    if (anchor > 65535 || caret >= 65536) return -1;
    if (wp) *reinterpret_cast<DWORD *>(wp) = static_cast<DWORD>(anchor);
    if (lp) *reinterpret_cast<DWORD *>(lp) = static_cast<DWORD>(caret);
    return static_cast<LRESULT>((static_cast<DWORD>(caret) << 16) | (anchor & 0xFFFF));
}

// An internal notification of the edit goes to the parent under the
// control's own identifier; any other command is swallowed.
LRESULT OnCommand(EditHost &host, WPARAM wp) {
    if (LOWORD(wp) != kInternalNotifyId) return 0;
    const WORD id = static_cast<WORD>(GetDlgCtrlID(host.hwnd));
    SendMessageA(GetParent(host.hwnd), WM_COMMAND, MAKEWPARAM(id, HIWORD(wp)),
                 reinterpret_cast<LPARAM>(host.hwnd));
    return 0;
}

LRESULT Dispatch(EditHost &h, UINT msg, WPARAM wp, LPARAM lp) {
    EditCtl *e = h.edit.get();
    switch (msg) {
    case WM_CREATE: return 0;
    case WM_DESTROY: return 0;
    case WM_SIZE: h.Layout(); return 0;
    case WM_SETFOCUS: if (e) e->OnSetFocus(); return 0;
    case WM_KILLFOCUS: if (e) e->OnKillFocus(); return 0;
    case WM_ENABLE: InvalidateRect(h.hwnd, nullptr, TRUE); return 0;
    case WM_SETTEXT: return OnSetText(h, lp);
    case WM_GETTEXT: return OnGetText(h, wp, lp);
    case WM_GETTEXTLENGTH: return e ? e->GetTextLength() : 0;
    case WM_PAINT: return OnPaint(h);
    case WM_SETCURSOR: if (e) e->ChooseCursor(); return FALSE;
    case WM_SETFONT: if (e) e->SetFont(reinterpret_cast<HFONT>(wp)); return 0;
    case WM_NCCREATE: return TRUE;
    case WM_NCDESTROY: return OnNcDestroy(h);
    case WM_NCCALCSIZE: return h.OnNcCalcSize(wp, lp);
    case WM_NCPAINT: h.OnNcPaint(wp); return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case EM_GETSEL: return OnGetSel(h, wp, lp);
    case EM_SETSEL: if (e) e->SetSel(static_cast<int>(wp), static_cast<int>(lp)); return 0;
    case EM_CANUNDO: return 0;
    case EM_UNDO: return 0;
    case WM_KEYDOWN: if (e) e->OnKeyDown(static_cast<UINT>(wp)); return 0;
    case WM_KEYUP: return 0;
    case WM_CHAR: if (e) e->OnChar(static_cast<char>(wp & 0xFF)); return 0;
    case WM_COMMAND: return OnCommand(h, wp);
    case WM_MOUSEMOVE: h.OnMouseMove(XOf(lp), YOf(lp)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: h.OnLButtonDown(XOf(lp), YOf(lp), wp); return 0;
    case WM_LBUTTONUP: h.OnLButtonUp(XOf(lp), YOf(lp), wp); return 0;
    case WM_CAPTURECHANGED: h.OnCaptureChanged(reinterpret_cast<HWND>(lp)); return 0;
    case WM_MOUSEWHEEL: h.OnWheel(static_cast<SHORT>(HIWORD(wp))); return 0;
    case WM_MOUSELEAVE: if (h.spin) h.spin->MouseLeave(XOf(lp), YOf(lp)); return 0;
    case WM_CUT: if (e) e->Cut(); return 0;
    case WM_COPY: if (e) e->Copy(); return 0;
    case WM_PASTE: if (e) e->Paste(); return 0;
    case WM_CLEAR: if (e) e->DeleteSelection(); return 0;
    default: return DefWindowProcA(h.hwnd, msg, wp, lp);
    }
}

}  // namespace

LRESULT CALLBACK EditWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto *host = static_cast<EditHost *>(SlotObject(hwnd));
    if (!host) return msg == WM_NCCREATE ? OnNcCreate(hwnd, lp) : DefWindowProcA(hwnd, msg, wp, lp);
    HostCall call(host);
    return Dispatch(*host, msg, wp, lp);
}

}  // namespace qx
