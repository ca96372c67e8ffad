// The bitmap button: a push button window ("QXBmpButton") that shows a
// bitmap or an icon (16 x 16 at 96 dpi), centred, greyed while the window is
// disabled. Its bevel, focus mark, pressed offset and icon grow with the
// window's DPI; a bitmap is the host's picture and is drawn as it is, never
// scaled. In high contrast it draws in system colours only, never the
// theme's face. It
// takes the focus when clicked, presses with the mouse and the space bar,
// tracks hovering, and sends BN_CLICKED to its parent.
//
// One BmpBtn per window, its window object. Each message it handles becomes
// one virtual operation, so that a derived button replaces single behaviours
// (the month/year button replaces DrawFace and DrawPicture only).
//
// Screen readers see a push button named by its text (a picture-only button
// by the name its host gives it, QXM_SETACCNAME), pressed while pressed,
// whose default action "Press" clicks it as the mouse does.
#pragma once
#include <windows.h>

#include "common/gdi.h"
#include "common/window_object.h"
#include "visual/theme_api.h"

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
    // A press ends without a click when another window takes the mouse
    // capture (a message box, a drag) or the system cancels modes (the
    // button disabled, a menu opened): drawn released, clients told.
    virtual void OnCaptureChanged(HWND gaining);
    virtual void OnCancelMode();
    virtual void OnSize(int width, int height);
    virtual void OnEnable(bool enable);
    virtual void OnMouseMove();
    virtual void OnMouseLeave();
    // The look changed: themes are opened again, and everything kept for
    // drawing is made again.
    virtual void OnThemeChanged();
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
    // Shows the button as DrawFace and DrawPicture draw it, from the image
    // kept of its last drawing when nothing it shows has changed since (see
    // LookKey); a new picture or enabled state is drawn onto the face kept.
    virtual void Draw(HDC dc, const RECT &rect, bool pressedLook);
    // The picture in the classic look: where the top-left pixel of a bitmap
    // has the transparent colour, every pixel of that colour shows the face
    // colour.
    virtual void DrawImage(HDC dc, const RECT &rect, bool pressedLook);
    // The picture in the themed look: pixels of the transparent colour let
    // the face show through.
    virtual void DrawImageMasked(HDC dc, const RECT &rect, bool pressedLook);
    // Frame, background and focus mark, themed or classic; gives the area
    // the picture goes in.
    virtual RECT DrawFace(HDC dc, const RECT &rect, bool pressedLook);
    // The picture on a face: DrawImageMasked where the face is themed (the
    // picture never moves), else DrawImage.
    virtual void DrawPicture(HDC dc, const RECT &area, bool pressedLook);
    // The bitmap is handed over (deleted with the button) and never changed;
    // the one it replaces is the caller's again. What was kept of the old
    // one is dropped.
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
    bool hot = false;  // the cursor is over it and a leave report is due
    RECT clientRect = {0, 0, 0, 0};
    Bitmap bitmap;
    HICON icon = nullptr;  // the caller's

    // The system colours a drawing uses: what is kept is made again when
    // one of them changes.
    struct Scheme {
        COLORREF face, shadow, darkShadow, highlight, light, text;
        bool operator==(const Scheme &o) const;
    };

    // What is kept, for a look at the handles it holds (tests).
    HBITMAP DisabledBitmap() const { return greyed_.get(); }
    HICON DisabledIcon() const { return greyedIcon_.get(); }
    HBITMAP KeptImage() const { return image_.get(); }
    HBITMAP KeptFace() const { return face_.get(); }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // Draws with the window's own device context, now.
    void DrawNow(bool pressedLook);
    // The window's enabled state decides whether the greyed picture shows.
    bool Enabled() const { return IsWindowEnabled(Window()) != FALSE; }
    // The theme the face is drawn with; null for the classic look (always
    // in high contrast).
    virtual HTHEME FaceTheme();
    // The DPI the button is drawn at: its window's.
    UINT Dpi() const;
    // How far a pressed picture moves right and down: a pixel at 96 dpi.
    int PressedShift(bool pressedLook) const;
    // Whether the face draws anything: a face that draws nothing leaves the
    // window's background, and nothing is kept.
    virtual bool HasFace() { return true; }
    // A number for whatever else a derived face shows (0 here).
    virtual unsigned FaceVariant() const { return 0; }
    // Forgets the images of the last drawing: the next one draws anew.
    void DropImage() {
        image_.Reset();
        face_.Reset();
    }

private:
    // Everything the face of the button depends on.
    struct FaceKey {
        int width, height, borderWidth, borderHeight;
        UINT dpi;
        bool pressedLook, hot, focused, themed, contrast;
        unsigned variant;
        Scheme scheme;
        bool operator==(const FaceKey &o) const;
    };
    // Everything a drawing of the button depends on: its face and picture.
    struct LookKey {
        FaceKey face;
        bool enabled;
        unsigned picture;
        bool operator==(const LookKey &o) const;
    };
    // What is kept of one picture (the bitmap or its greyed copy) to draw it
    // in each look. Dropped, the copies are made again when next needed, into
    // the memory they hold (a new picture is mostly of the old one's size).
    struct PictureCopies {
        Bitmap classic;
        Bitmap cutout, mask;
        bool classicMade = false, pairMade = false;
        void Drop() { classicMade = pairMade = false; }
    };

    LookKey KeyOf(const RECT &rect, bool pressedLook);
    // Drops what depends on the system colours when they are not those of
    // the scheme it was made for.
    void FollowScheme(const Scheme &scheme);
    // The bitmap to show and the copies kept of it: the greyed copy while
    // disabled (made when missing), else the bitmap itself.
    HBITMAP PickBitmap(PictureCopies **copies);
    HICON PickIcon();
    void DrawIconPicture(HDC dc, const RECT &rect, bool pressedLook);

    Bitmap greyed_;
    OwnedIcon greyedIcon_;
    PictureCopies bitmapCopies_, greyedCopies_;
    Scheme scheme_ = {};
    Bitmap face_;   // the face without its picture, for faceKey_
    FaceKey faceKey_ = {};
    RECT pictureArea_ = {0, 0, 0, 0};
    Bitmap image_;  // the whole button as last drawn, for key_
    LookKey key_ = {};
    unsigned picture_ = 0;  // counts the pictures set
    KeptDC faceDC_, imageDC_;
    KeptTheme theme_{L"BUTTON"};
};

// The message a button posts itself for the default action of a screen
// reader (private to the class).
constexpr UINT kBtnAccPressMessage = WM_USER + 0x7F0;

// ---- Drawing rules, without a window --------------------------------------

constexpr COLORREF kTransparentColor = RGB(192, 192, 192);
constexpr int kIconSize = 16;  // at 96 dpi

// Where a picture of w x h goes in rect: centred, the odd spare pixel right
// and below, then moved right and down by shift (a pressed look's offset).
POINT PictureOrigin(const RECT &rect, int w, int h, int shift);

}  // namespace qx
