// EditCtl on screen: painting with the parent's colours, the caret, focus,
// hit testing and selection with the mouse, the cursor shape.
#include "common/display.h"
#include "common/gdi.h"
#include "common/win_util.h"
#include "edit/edit_ctl.h"
#include "edit/edit_paint.h"

namespace qx {

EditColors PickEditColors(bool enabled, bool readOnly) {
    EditColors c;
    c.text = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    c.back = GetSysColor(enabled && !readOnly ? COLOR_WINDOW : COLOR_BTNFACE);
    c.selText = GetSysColor(enabled ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT);
    c.selBack = GetSysColor(COLOR_HIGHLIGHT);
    return c;
}

int MeasureText(HDC dc, const char *text, int n, int *height) {
    SIZE size = {0, 0};
    if (n > 0) {
        if (!GetTextExtentPoint32A(dc, text, n, &size)) size.cx = size.cy = 0;
    } else {
        TEXTMETRICA tm;
        size.cy = GetTextMetricsA(dc, &tm) ? tm.tmHeight : 0;
    }
    if (height) *height = size.cy;
    return size.cx;
}

// ---- EditDC ----------------------------------------------------------------------

EditDC::EditDC(HWND hwnd, HFONT font, HDC dc)
    : hwnd_(hwnd), dc_(dc ? dc : GetDC(hwnd)), owned_(!dc), oldFont_(nullptr) {
    if (dc_ && font) oldFont_ = SelectObject(dc_, font);
}

EditDC::~EditDC() {
    if (oldFont_ && oldFont_ != HGDI_ERROR) SelectObject(dc_, oldFont_);
    if (owned_ && dc_) ReleaseDC(hwnd_, dc_);
}

int EditDC::Width(const char *text, int n, int *height) const {
    return MeasureText(dc_, text, n, height);
}

// ---- Painting --------------------------------------------------------------------

int EditCtl::TextOrigin(int width) const {
    return rightAlign ? rect.right - marginRight - width : rect.left + marginLeft;
}

// The colours come from the parent's WM_CTLCOLOREDIT, or WM_CTLCOLORSTATIC
// for a disabled or read-only edit. The line is drawn with an opaque
// background, so the character cells need no fill; every other part of the
// edit rectangle is filled with the parent's brush. Nothing is drawn outside the edit rectangle (a long text
// would otherwise run over the spin). The caller has hidden the caret
// (BeginPaint does; Show hides it around placing and painting).
bool EditCtl::Paint(HDC dc) {
    if (!dc) return true;
    const bool enabled = IsWindowEnabled(hwnd) != FALSE, readOnly = ReadOnly();
    {
        const EditColors colors = PickEditColors(enabled, readOnly);
        SavedDC keep(dc);
        if (font) SelectObject(dc, font);
        SetTextColor(dc, colors.text);
        SetBkColor(dc, colors.back);
        LRESULT answer = 0;
        if (!AskParent(enabled && !readOnly ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(hwnd), &answer))
            return false;
        const HBRUSH parentBrush = reinterpret_cast<HBRUSH>(answer);
        const COLORREF text = GetTextColor(dc), back = GetBkColor(dc);
        SetBkMode(dc, OPAQUE);
        const RECT area = ExclusiveRect(rect);
        IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);

        // Read after the colour request: the parent may have set a new text.
        const TextLine line = PaintsEmpty() ? TextLine() : cur;
        const char *const chars = line.text;
        const int len = line.Length();
        const int lo = line.SelStart(), hi = line.SelEnd();
        int h = 0;
        const int w1 = MeasureText(dc, chars, lo, nullptr);
        const int w2 = MeasureText(dc, chars + lo, hi - lo, nullptr);
        const int w3 = MeasureText(dc, chars + hi, len - hi, &h);
        const int x0 = TextOrigin(w1 + w2 + w3);
        const int y = rect.top + marginTop;
        int x = x0;
        if (lo > 0) {
            TextOutA(dc, x, y, chars, lo);
            x += w1;
        }
        if (hasFocus) {
            SetTextColor(dc, colors.selText);
            SetBkColor(dc, colors.selBack);
        }
        if (hi > lo) {
            TextOutA(dc, x, y, chars + lo, hi - lo);
            x += w2;
        }
        SetTextColor(dc, text);
        SetBkColor(dc, back);
        if (len > hi) {
            TextOutA(dc, x, y, chars + hi, len - hi);
            x += w3;
        }

        Brush own(parentBrush ? nullptr : MakeBrush(back));
        const HBRUSH brush = parentBrush ? parentBrush : own.get();
        const RECT fills[] = {
            {x, area.top, area.right, area.bottom},                                      // after the text
            {area.left + marginLeft, area.top, rightAlign ? x0 : area.left, area.bottom},  // before it
            {area.left, area.top, area.left + marginLeft, area.bottom},                  // left margin
            {area.left, area.top, area.right, y},                                        // top margin
            {area.left, y + h, area.right, area.bottom},                                 // below the line
        };
        for (const RECT &r : fills)
            if (brush && r.left < r.right && r.top < r.bottom) FillRect(dc, &r, brush);
    }
    return true;
}

POINT EditCtl::CaretAt(const EditDC &dc) const {
    const int cx = dc.Width(cur.text, cur.caret);
    const int width = rightAlign ? dc.Width(cur.text, cur.Length()) : 0;
    return {TextOrigin(width) + cx, rect.top + marginTop};
}

// A caret already in place is not moved again: each move is a trip to the
// window system, and a step of the spin or a change after the caret leaves
// it where it was.
void EditCtl::PlaceCaret(const EditDC &dc) {
    if (!hasFocus) return;
    const POINT at = CaretAt(dc);
    if (caretPlaced && at.x == caretPos.x && at.y == caretPos.y) return;
    if (SetCaretPos(at.x, at.y)) {
        caretPos = at;
        caretPlaced = true;
    }
}

POINT EditCtl::CaretMenuPoint() {
    EditDC dc(hwnd, font);
    POINT at = CaretAt(dc);
    int height = 0;
    dc.Width("", 0, &height);
    at.y += height;
    ClientToScreen(hwnd, &at);
    return at;
}

// The boundary between characters nearest to x, measured from where the
// text is painted; a point exactly halfway goes to the right.
int EditCtl::HitTest(int x) {
    EditDC dc(hwnd, font);
    const int n = cur.Length();
    const int w = dc.Width(cur.text, n);
    const int rel = x - TextOrigin(w);
    if (rel < 0) return 0;
    if (rel >= w) return n;
    int bounds[TextLine::kCapacity + 1];  // the positions the caret can take
    int count = 0;
    for (int p = 0; p < n; p = NextPos(p)) bounds[count++] = p;
    bounds[count++] = n;
    int lo = 0, loX = 0, hi = count - 1, hiX = w;
    while (lo < hi - 1) {
        const int mid = (lo + hi) / 2;
        const int midX = dc.Width(cur.text, bounds[mid]);
        if (midX == rel) return bounds[mid];
        if (midX < rel) {
            lo = mid;
            loX = midX;
        } else {
            hi = mid;
            hiX = midX;
        }
    }
    return bounds[hiX - rel <= rel - loX ? hi : lo];
}

// ---- Focus -----------------------------------------------------------------------

void EditCtl::OnSetFocus() {
    hasFocus = true;
    MakeCaret();
    if (Show()) Notify(EN_SETFOCUS);
}

// At 96 dpi the system's own width (0); elsewhere as wide as a margin.
void EditCtl::MakeCaret() {
    {
        EditDC dc(hwnd, font);
        int height = 0;
        dc.Width("", 0, &height);
        CreateCaret(hwnd, nullptr, dpi == kBaseDpi ? 0 : ScaleForDpi(1, dpi), height);
        caretPlaced = false;  // a new caret starts at the origin
        PlaceCaret(dc);
    }
    ShowCaret(hwnd);
}

// The caret is the thread's: it is destroyed only when this edit made it.
void EditCtl::OnKillFocus() {
    if (hasFocus) {
        HideCaret(hwnd);
        DestroyCaret();
    }
    hasFocus = false;
    caretPlaced = false;
    if (Show()) Notify(EN_KILLFOCUS);
}

// With the focus the caret is made anew, as high as the new font's line.
void EditCtl::SetFont(HFONT f) {
    font = f;
    if (hasFocus) MakeCaret();
    Relayout();
}

void EditCtl::SetRightAlign(bool on) {
    rightAlign = on;
    Relayout();
}

void EditCtl::SetDpi(UINT newDpi) {
    if (newDpi == dpi) return;
    dpi = newDpi;
    marginLeft = marginTop = marginRight = ScaleForDpi(1, dpi);
    if (hasFocus) MakeCaret();
    Relayout();
}

// The line is painted anew later; the caret moves now.
void EditCtl::Relayout() {
    const RECT r = ExclusiveRect(rect);
    InvalidateRect(hwnd, &r, FALSE);
    EditDC dc(hwnd, font);
    PlaceCaret(dc);
}

// ---- Mouse -----------------------------------------------------------------------

bool EditCtl::OnLButtonDown(int x, int y, WPARAM) {
    const POINT pt = {x, y};
    if (!PtInRect(&rect, pt)) return false;
    const bool hadSelection = cur.HasSelection();
    cur.anchor = cur.caret = HitTest(x);
    if (hadSelection) {
        if (!Show()) return true;
    } else {
        EditDC dc(hwnd, font);
        PlaceCaret(dc);
    }
    SetCapture(hwnd);
    mouseSelecting = true;
    return true;
}

void EditCtl::OnMouseMove(int x, int) {
    if (!mouseSelecting) return;
    cur.SetSel(cur.anchor, HitTest(x));
    Show();
}

// Only this window's capture is released: another window of the thread may
// hold it.
bool EditCtl::OnLButtonUp(int, int, WPARAM) {
    mouseSelecting = false;
    if (GetCapture() == hwnd) ReleaseCapture();
    return true;
}

void EditCtl::OnCaptureLost() { mouseSelecting = false; }

void EditCtl::ChooseCursor() {
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(hwnd, &pt);
    const RECT r = ExclusiveRect(rect);
    const bool inside = PtInRect(&r, pt) != FALSE;
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(inside ? IDC_IBEAM : IDC_ARROW)));
}

}  // namespace qx
