// The bitmap button: a push button window ("QXBmpButton") that shows a
// bitmap or a 16 x 16 icon, centred, greyed while the window is disabled. It
// takes the focus when clicked, presses with the mouse and the space bar,
// tracks hovering, and sends BN_CLICKED to its parent.
//
// One BmpBtn per window, in slot 0. The window procedure turns each message
// it handles into one virtual operation, so that a derived button replaces
// single behaviours (the month/year button replaces DrawFace only).
#pragma once
#include <windows.h>

namespace qx {

class BmpBtn {
public:
    BmpBtn() = default;
    // Deletes bitmap and both greyed copies; never the icon, which stays the
    // caller's.
    virtual ~BmpBtn();
    BmpBtn(const BmpBtn &) = delete;
    BmpBtn &operator=(const BmpBtn &) = delete;

    virtual bool OnNcCreate(HWND window, const CREATESTRUCTA *create);
    virtual void OnNcDestroy(HWND window);
    virtual bool OnCreate(HWND window, const CREATESTRUCTA *create);
    // The whole window is client area, whatever the style.
    virtual LRESULT OnNcCalcSize(HWND window, WPARAM flag, LPARAM sizes);
    virtual void OnSetFocus(HWND window, HWND losing);
    virtual void OnKillFocus(HWND window, HWND gaining);
    virtual void OnCommand(HWND window, int id, HWND control, UINT code);
    virtual void OnPaint(HWND window);
    virtual UINT OnGetDlgCode(HWND window, const MSG *msg);
    // The space bar presses (key down) and clicks (key up); other keys do nothing.
    virtual void OnKey(HWND window, UINT vk, bool down, int repeat, UINT flags);
    virtual void OnLButtonDown(HWND window, int x, int y, UINT keys);
    virtual void OnLButtonUp(HWND window, int x, int y, UINT keys);
    virtual void OnSize(HWND window, UINT type, int width, int height);
    virtual void OnEnable(HWND window, bool enable);
    virtual void OnMouseMove(HWND window, int x, int y, UINT keys);
    virtual void OnMouseLeave(HWND window);
    // Each changes its flag and draws at once (no WM_PAINT); the hot ones
    // always draw the unpressed look.
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

    HWND hwnd = nullptr;
    bool focused = false;
    bool tracking = false;  // a mouse press holds the capture
    bool pressed = false;
    bool enabled = true;  // as last told by WM_ENABLE
    bool hot = false;     // the cursor is over it and a leave report is due
    RECT clientRect = {0, 0, 0, 0};
    HBITMAP bitmap = nullptr;
    HBITMAP disabledBitmap = nullptr;
    HICON icon = nullptr;
    HICON disabledIcon = nullptr;

protected:
    // Draws with the window's own device context, now.
    void DrawNow(bool pressedLook);
    // WM_COMMAND with BN_CLICKED to the parent, sent (not posted). The
    // parent may destroy the button meanwhile: callers touch nothing after it.
    void NotifyClicked();
    // The bitmap or icon to show: the greyed copy while disabled (made when
    // missing), else the picture itself.
    HBITMAP PickBitmap();
    HICON PickIcon();
    void DrawIconPicture(HDC dc, const RECT &rect, bool pressedLook);
};

// The class procedure of "QXBmpButton" windows. A window whose object cannot
// be made is not created.
LRESULT CALLBACK BmpBtnWndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

// The button object of a "QXBmpButton" or "QXBmpButtonXP" window of ours;
// null for any other window.
BmpBtn *ButtonFromWindow(HWND window);

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
