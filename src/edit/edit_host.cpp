// EditHost: building, the message handler of the five edit-family classes,
// layout, mouse routing, and keys, characters and edit commands as the
// user's changes. The non-client area is in edit_border.cpp, the context
// menu in edit_menu.cpp.
#include "edit/edit_host.h"

#include <new>

#include "common/char_class.h"
#include "common/display.h"
#include "common/library_strings.h"
#include "common/os_version.h"
#include "common/win_util.h"
#include "edit/old3d.h"
#include "qx_cntl.h"

namespace qx {
namespace {

// The class name to choose the typed object by; a class given as an atom is
// read back from the window.
const char *ClassNameOf(HWND hwnd, const CREATESTRUCTA &cs, char *buf, int size) {
    if (cs.lpszClass && !IS_INTRESOURCE(cs.lpszClass)) return cs.lpszClass;
    buf[0] = '\0';
    GetClassNameA(hwnd, buf, size);
    return buf;
}

// The capacity of an edit line with its terminating zero.
constexpr WPARAM kTextBufferMax = TextLine::kCapacity + 1;

}  // namespace

EditHost::EditHost(HWND hwnd, EditMaker make) : WindowObject(hwnd), make_(make), osMajor(OsMajorVersion()) {}

// The spin goes first, then the edit.
EditHost::~EditHost() {
    spin.reset();
    edit.reset();
}

bool EditHost::Step(bool up) { return edit && !edit->ReadOnly() && edit->Step(up); }

bool EditHost::Build(const CREATESTRUCTA &cs) {
    const DWORD style = static_cast<DWORD>(cs.style);
    int editWidth = cs.cx;
    if (style & QXES_SPIN) {
        const int w = static_cast<int>((2LL * cs.cy) / 3);  // no overflow for any height
        editWidth = cs.cx - w;
        unsigned edges = kSpinEdgeLeft;
        if (osMajor >= 4 || Old3dEnabled()) edges |= kSpinEdgeRight | kSpinEdgeBottom;
        spin.reset(new (std::nothrow) SpinCtl(*this, editWidth, cs.y, w, cs.cy, edges));
        if (!spin) return false;
    }

    char name[256];
    if (!make_(ClassNameOf(Window(), cs, name, sizeof name), *this, cs.x, cs.y, editWidth, cs.cy, &edit))
        return false;
    // Made before it is stored: a time edit notifies its first mask.
    if (Gone() || !edit) return !Gone();
    if (style & QXES_RIGHT) edit->SetRightAlign(true);
    if (style & QXES_WRAP) edit->SetWrap(true);
    if (cs.lpszName && !IS_INTRESOURCE(cs.lpszName) && cs.lpszName[0]) {
        edit->SetMask(cs.lpszName);
        if (Gone() || edit->AllocationFailed()) return false;
    }
    return true;
}

// ---- Messages --------------------------------------------------------------------

LRESULT EditHost::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    EditCtl *e = edit.get();
    switch (msg) {
    case WM_NCCREATE: return TRUE;
    case WM_CREATE: return 0;
    case WM_DESTROY: if (e) e->DropTip(); return 0;
    case WM_SIZE: Layout(); return 0;
    case WM_SETFOCUS: if (e) e->OnSetFocus(); return 0;
    case WM_KILLFOCUS:
        if (e) e->HideTip(), e->OnKillFocus();
        return 0;
    case WM_TIMER:
        if (wp == RefusalTip::kTimer && e) e->HideTip();
        return 0;
    case WM_ENABLE: InvalidateRect(Window(), nullptr, TRUE); return 0;
    case WM_SETTEXT:
        return e && e->SetText(lp ? reinterpret_cast<const char *>(lp) : "", ChangeOrigin::kHostText) ? TRUE : FALSE;
    case WM_GETTEXT: return GetText(wp, lp);
    case WM_GETTEXTLENGTH: return e ? e->GetTextLength() : 0;
    case WM_PAINT: Paint(); return 0;
    case WM_SETCURSOR: if (e) e->ChooseCursor(); return FALSE;
    case WM_SETFONT:
        givenFont = reinterpret_cast<HFONT>(wp);
        if (e) e->SetFont(givenFont);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(givenFont);
    case WM_STYLECHANGED: OnStyleChanged(wp, reinterpret_cast<const STYLESTRUCT *>(lp)); return 0;
    case WM_NCCALCSIZE: return OnNcCalcSize(wp, lp);
    case WM_NCPAINT: OnNcPaint(wp); return 0;
    // Border and text open their themes at every paint, the spin keeps its
    // own: the whole window is drawn again in the new look.
    case WM_THEMECHANGED:
        if (spin) spin->LookChanged();
        RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        return 0;
    case WM_SETTINGCHANGE: if (wp == SPI_SETHIGHCONTRAST) OnColorsChanged(); return 0;
    case WM_SYSCOLORCHANGE: OnColorsChanged(); return 0;
    case kWmDpiChangedAfterParent: OnDpiChanged(); return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case EM_GETSEL: return GetSel(wp, lp);
    case EM_SETSEL: if (e) e->SetSel(static_cast<int>(wp), static_cast<int>(lp)); return 0;
    case EM_CANUNDO: return e && e->CanUndo();
    case EM_UNDO:
    case WM_UNDO: return EditCommand(msg);
    case EM_EMPTYUNDOBUFFER: if (e) e->EmptyUndo(); return 0;
    case EM_SETREADONLY: SetReadOnly(wp != 0); return TRUE;
    case WM_CONTEXTMENU: ContextMenu(lp); return 0;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wp)); return 0;
    case WM_KEYUP: return 0;
    case WM_SYSKEYDOWN: return OnSysKeyDown(wp, lp);
    case WM_CHAR: OnChar(static_cast<char>(wp & 0xFF)); return 0;
    case WM_COMMAND: return 0;
    case WM_MOUSEMOVE: OnMouseMove(LowSigned(lp), HighSigned(lp)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnLButtonDown(LowSigned(lp), HighSigned(lp), wp); return 0;
    case WM_LBUTTONUP: OnLButtonUp(LowSigned(lp), HighSigned(lp), wp); return 0;
    case WM_CAPTURECHANGED: OnCaptureChanged(reinterpret_cast<HWND>(lp)); return 0;
    case WM_MOUSEWHEEL: return OnMouseWheel(wp, lp);
    case WM_MOUSELEAVE: if (spin) spin->MouseLeave(LowSigned(lp), HighSigned(lp)); return 0;
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR: return EditCommand(msg);
    default: return DefWindowProcA(Window(), msg, wp, lp);
    }
}

// ---- Keys, characters and commands ------------------------------------------

void EditHost::OnKeyDown(UINT vk) {
    if (!edit) return;
    if (vk == VK_APPS) {
        ContextMenu(-1);
        return;
    }
    if (!edit->Shortcut(vk, false)) edit->OnKeyDown(vk);
}

// Alt+Backspace; the system character it also produces is dropped with it.
LRESULT EditHost::OnSysKeyDown(WPARAM wp, LPARAM lp) {
    if (edit && (HIWORD(lp) & KF_ALTDOWN) && edit->Shortcut(static_cast<UINT>(wp), true)) return 0;
    return DefWindowProcA(Window(), WM_SYSKEYDOWN, wp, lp);
}

// Into a read-only edit, a character that would type or erase (Backspace)
// is refused; other control characters pass silently.
void EditHost::OnChar(char ch) {
    if (!edit) return;
    if (edit->ReadOnly()) {
        if (ch == '\b' || !IsControlChar(ch)) edit->RejectInput(Refusal::kNotAccepted);
        return;
    }
    edit->OnChar(ch);
}

LRESULT EditHost::EditCommand(UINT msg) {
    if (!edit) return 0;
    switch (msg) {
    case WM_CUT: edit->Cut(); break;
    case WM_COPY: edit->Copy(); break;
    case WM_PASTE: edit->Paste(); break;
    case WM_CLEAR:
        if (!edit->ReadOnly()) edit->DeleteSelection(ChangeOrigin::kKey);
        break;
    case WM_UNDO:
    case EM_UNDO: return edit->Undo() ? TRUE : FALSE;
    default: break;
    }
    return 0;
}

void EditHost::SetReadOnly(bool on) {
    const LONG style = GetWindowLongA(Window(), GWL_STYLE);
    SetWindowLongA(Window(), GWL_STYLE, on ? style | QXES_READONLY : style & ~QXES_READONLY);
}

void EditHost::OnStyleChanged(WPARAM which, const STYLESTRUCT *change) {
    if (which != static_cast<WPARAM>(GWL_STYLE) || !change) return;
    if (!((change->styleOld ^ change->styleNew) & QXES_READONLY)) return;
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    NotifyStateChange(Window());
}

void EditHost::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Window(), &ps);
    // The edit asks the parent for its colours, and the parent may destroy
    // the window meanwhile.
    if (dc && (!edit || edit->Paint(dc)) && spin) spin->Paint(dc);
    EndPaint(Window(), &ps);
}

LRESULT EditHost::GetText(WPARAM wp, LPARAM lp) {
    if (!edit || !lp || wp == 0) return 0;
    const int size = static_cast<int>(wp < kTextBufferMax ? wp : kTextBufferMax);
    return edit->GetText(reinterpret_cast<char *>(lp), size);
}

LRESULT EditHost::GetSel(WPARAM wp, LPARAM lp) {
    if (!edit) return -1;
    int anchor, caret;
    edit->GetSel(&anchor, &caret);
    if (anchor > 65535 || caret >= 65536) return -1;
    if (wp) *reinterpret_cast<DWORD *>(wp) = static_cast<DWORD>(anchor);
    if (lp) *reinterpret_cast<DWORD *>(lp) = static_cast<DWORD>(caret);
    return static_cast<LRESULT>((static_cast<DWORD>(caret) << 16) | (anchor & 0xFFFF));
}

void EditHost::Layout() {
    RECT client;
    GetClientRect(Window(), &client);
    int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const UINT dpi = WindowDpi(Window());
    int spinWidth = 0;
    if (spin) {
        spinWidth = MetricForDpi(SM_CXHTHUMB, dpi);
        if (width / 2 < spinWidth) spinWidth = width / 2;
        width -= spinWidth;
    }
    if (edit) {
        edit->SetRect(0, 0, width, height);
        edit->SetDpi(dpi);
    }
    if (spin) spin->Layout(width, 0, spinWidth, height);
}

// ---- Mouse routing -----------------------------------------------------------------

// A press goes to the spin first; a press the spin takes is not seen by the
// edit. The window takes the focus in every case (one that has it keeps it
// without asking the system again). A step of the spin, the edit's repaint
// and the focus change may each destroy the window.
void EditHost::OnLButtonDown(int x, int y, WPARAM keys) {
    if (spin && mouseOwner != MouseOwner::kEdit && spin->MouseDown(x, y)) mouseOwner = MouseOwner::kSpin;
    if (Gone()) return;
    if (edit && mouseOwner != MouseOwner::kSpin && edit->OnLButtonDown(x, y, keys)) mouseOwner = MouseOwner::kEdit;
    if (Gone()) return;
    if (!edit || !edit->HasFocus()) SetFocus(Window());
}

void EditHost::OnLButtonUp(int x, int y, WPARAM keys) {
    releasing = true;
    if (spin && mouseOwner != MouseOwner::kEdit) {
        if (spin->MouseUp(x, y)) mouseOwner = MouseOwner::kNobody;
    } else if (edit && mouseOwner != MouseOwner::kSpin) {
        const bool taken = edit->OnLButtonUp(x, y, keys);
        if (Gone()) return;
        if (taken) mouseOwner = MouseOwner::kNobody;
    }
    releasing = false;
}

// The spin steps by the wheel; without one the wheel goes on to the
// default procedure, which passes it to the parent (a scrolling dialog).
LRESULT EditHost::OnMouseWheel(WPARAM wp, LPARAM lp) {
    if (!spin) return DefWindowProcA(Window(), WM_MOUSEWHEEL, wp, lp);
    spin->Wheel(HighSigned(wp) / WHEEL_DELTA);
    return 0;
}

void EditHost::OnMouseMove(int x, int y) {
    if (spin) spin->MouseMove(x, y);
    if (edit && mouseOwner != MouseOwner::kSpin) edit->OnMouseMove(x, y);
}

// The capture went to another window (a message box, a drag elsewhere)
// while an arrow was held or a selection was being dragged: both end here,
// so nothing keeps stepping or selecting without the button.
void EditHost::OnCaptureChanged(HWND gaining) {
    if (releasing || gaining == Window()) return;
    if (mouseOwner == MouseOwner::kSpin && spin) spin->CaptureLost();
    if (mouseOwner == MouseOwner::kEdit && edit) edit->OnCaptureLost();
    mouseOwner = MouseOwner::kNobody;
}

// ---- Accessibility -------------------------------------------------------------------

bool EditHost::ReadOnly() const { return edit && edit->ReadOnly(); }

long EditHost::AccChildCount() { return spin ? SpinCtl::kAccParts : 0; }

long EditHost::AccRole(long child) { return child ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_TEXT; }

void EditHost::AccCaption(long child, AccText *caption) {
    if (child)
        spin->AccCaption(child, caption);
    else
        LabelCaption(Window(), caption);
}

bool EditHost::AccValue(long child, AccText *value) {
    if (child) return false;
    char text[kTextBufferMax] = "";
    if (edit && !edit->PaintsEmpty()) edit->GetText(text, sizeof text);
    value->Assign(text);
    return true;
}

long EditHost::AccState(long child) {
    if (child) return spin->AccState(child);
    return ReadOnly() ? STATE_SYSTEM_READONLY : 0;
}

void EditHost::AccDefaultAction(long child, AccText *action) {
    if (child)
        LoadControlString(Window(), QXIDS_ACC_PRESS, action);
    else
        action->Clear();
}

// The arrows step as the spin's clicks do, so not while the edit takes no
// changes from the user.
HRESULT EditHost::AccDoDefaultAction(long child) {
    if (!child) return DISP_E_MEMBERNOTFOUND;
    if (!IsWindowEnabled(Window()) || ReadOnly()) return E_ACCESSDENIED;
    spin->AccPress(child);
    return S_OK;
}

HRESULT EditHost::AccSetValue(long child, const char *text) {
    if (child || !edit) return DISP_E_MEMBERNOTFOUND;
    if (!IsWindowEnabled(Window()) || ReadOnly()) return E_ACCESSDENIED;
    return edit->EnterText(text) ? S_OK : E_INVALIDARG;
}

bool EditHost::AccChildRect(long child, RECT *rect) { return child && spin->AccRect(child, rect); }

}  // namespace qx
