// The bitmap button: a push button window ("QXBmpButton") that shows a
// bitmap or a 16 x 16 icon, centred, greyed while the window is disabled. It
// takes the focus when clicked, presses with the mouse and the space bar,
// tracks hovering, and sends BN_CLICKED to its parent.
//
// One BmpBtn per window, its window object. Each message it handles becomes
// one virtual operation, so that a derived button replaces single behaviours
// (the month/year button replaces DrawFace only).
//
// Screen readers see a push button named by its text (a picture-only button
// by the name its host gives it, QXM_SETACCNAME), pressed while pressed,
// whose default action "Press" clicks it as the mouse does.
#pragma once
#include <windows.h>

#include "common/gdi.h"
#include "common/window_object.h"

namespace qx {

class BmpBtn : public WindowObject {
public:
    explicit BmpBtn(HWND hwnd) : WindowObject(hwnd) {}
    // The factory of "QXBmpButton".
    static WindowObject *Make(HWND hwnd, const CREATESTRUCTA &cs);

    // The whole window is client area, whatever the style.
    virtual LRESULT OnNcCalcSize();
    virtual void OnSetFocus();
    virtual void OnKillFocus();
    virtual void OnPaint();
    virtual UINT OnGetDlgCode();
    // The space bar presses (key down) and clicks (key up); other keys do nothing.
    virtual void OnKey(UINT vk, bool down);
    virtual void OnLButtonDown();
    virtual void OnLButtonUp(int x, int y);
    virtual void OnSize(int width, int height);
    virtual void OnEnable(bool enable);
    virtual void OnMouseMove();
    virtual void OnMouseLeave();
    // The default action of a screen reader (posted, so that a dialog the
    // click opens does not hold up the client): a press and release in the
    // middle, through the mouse handlers, when the button is enabled.
    virtual void OnAccPress();
    // Each changes its flag and draws at once (no WM_PAINT); the hot ones
    // always draw the unpressed look. A change of the pressed flag raises
    // EVENT_OBJECT_STATECHANGE.
    virtual void Press();
    virtual void Release();
    virtual void EnterHot();
    virtual void LeaveHot();
    virtual void Draw(HDC dc, const RECT &rect, bool pressedLook);
    // The picture in the classic look; replaces, on its first drawing, the
    // transparent colour of a bitmap whose top-left pixel has it by the face
    // colour, in the bitmap itself.
    virtual void DrawImage(HDC dc, const RECT &rect, bool pressedLook);
    // The picture in the themed look: pixels of the transparent colour let
    // the face show through; the bitmap is never changed.
    virtual void DrawImageMasked(HDC dc, const RECT &rect, bool pressedLook);
    // Frame, background, focus mark and picture, themed or classic.
    virtual void DrawFace(HDC dc, const RECT &rect, bool pressedLook);
    // The bitmap is handed over (deleted with the button); the one it
    // replaces is the caller's again. A greyed copy of the old one is dropped.
    virtual void SetBitmap(HBITMAP newBitmap);
    // The icon stays the caller's. A greyed copy of the old one is dropped.
    virtual void SetIcon(HICON newIcon);

    // Greyed copies, made when a disabled button is drawn: true when one
    // now exists.
    bool MakeDisabledBitmap();
    bool MakeDisabledIcon();

    long AccChildCount() override;
    long AccRole(long child) override;
    void AccCaption(long child, AccText *caption) override;
    bool AccValue(long child, AccText *value) override;
    long AccState(long child) override;
    void AccDefaultAction(long child, AccText *action) override;
    HRESULT AccDoDefaultAction(long child) override;
    HRESULT AccSetValue(long child, const char *text) override;
    bool AccChildRect(long child, RECT *rect) override;

    bool focused = false;
    bool tracking = false;  // a mouse press holds the capture
    bool pressed = false;
    bool enabled = true;  // as last told by WM_ENABLE
    bool hot = false;     // the cursor is over it and a leave report is due
    RECT clientRect = {0, 0, 0, 0};
    Bitmap bitmap;
    Bitmap disabledBitmap;
    HICON icon = nullptr;  // the caller's
    OwnedIcon disabledIcon;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // Draws with the window's own device context, now.
    void DrawNow(bool pressedLook);
    // The bitmap or icon to show: the greyed copy while disabled (made when
    // missing), else the picture itself.
    HBITMAP PickBitmap();
    HICON PickIcon();
    void DrawIconPicture(HDC dc, const RECT &rect, bool pressedLook);
};

// The message a button posts itself for the default action of a screen
// reader (private to the class).
constexpr UINT kBtnAccPressMessage = WM_USER + 0x7F0;

// ---- Drawing rules, without a window --------------------------------------

constexpr COLORREF kTransparentColor = RGB(192, 192, 192);
constexpr int kIconSize = 16;

// Where a picture of w x h goes in rect: centred, the odd spare pixel right
// and below, one pixel right and down when pressed.
POINT PictureOrigin(const RECT &rect, int w, int h, bool pressedLook);

// The strip along the top (h high), then the one along the left (w wide).
void FillTopLeft(HDC dc, const RECT &rect, HBRUSH brush, int w, int h);
// The strip along the bottom, then the one along the right: the top-right
// and bottom-left corners take this colour.
void FillBottomRight(HDC dc, const RECT &rect, HBRUSH brush, int w, int h);

// Gives every pixel of the colour `from` the colour `to`, as SetPixel would,
// in bulk on strips of rows; with onlyWhenTopLeft, only when the top-left
// pixel has the colour `from`. True when it ran. The bitmap must not be
// selected into a device context; dc is one the bitmap's format suits.
bool ReplaceColor(HDC dc, HBITMAP bmp, COLORREF from, COLORREF to, bool onlyWhenTopLeft);
// The classic look's background rule: ReplaceColor only when the top-left
// pixel has the colour.
bool ReplaceBackground(HDC dc, HBITMAP bmp, COLORREF from, COLORREF to);

}  // namespace qx
