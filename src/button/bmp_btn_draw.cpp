// How a bitmap button draws itself: the classic bevel or the themed push
// button, the centred picture, and the greyed copies of the picture that a
// disabled button shows. A drawing is made off-screen into an image that is
// kept: a paint that shows nothing new copies it, and the copies of the
// picture each look needs are made once per picture and colour scheme.
#include "button/bmp_btn.h"
#include "button/picture_copies.h"
#include "common/display.h"
#include "common/gdi.h"
#include "qx_util.h"
#include "visual/theme_api.h"

namespace qx {

namespace {

// Part and states of the themed "BUTTON" class.
constexpr int kPushButtonPart = 1;
constexpr int kStateNormal = 1;
constexpr int kStateHot = 2;
constexpr int kStatePressed = 3;

bool BitmapSize(HBITMAP bmp, int *w, int *h) {
    BITMAP bm;
    if (!bmp || !GetObjectA(bmp, sizeof bm, &bm)) return false;
    *w = bm.bmWidth;
    *h = bm.bmHeight;
    return true;
}

BmpBtn::Scheme CurrentScheme() {
    return {GetSysColor(COLOR_BTNFACE),     GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_3DDKSHADOW),
            GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DLIGHT),   GetSysColor(COLOR_BTNTEXT)};
}

}  // namespace

// ---- Rules -----------------------------------------------------------------------

POINT PictureOrigin(const RECT &rect, int w, int h, int shift) {
    // Signed division truncating toward zero: the odd pixel goes right and down.
    return {rect.left + (rect.right - rect.left - w) / 2 + shift, rect.top + (rect.bottom - rect.top - h) / 2 + shift};
}

// ---- The kept image --------------------------------------------------------------

bool BmpBtn::Scheme::operator==(const Scheme &o) const {
    return face == o.face && shadow == o.shadow && darkShadow == o.darkShadow && highlight == o.highlight &&
           light == o.light && text == o.text;
}

bool BmpBtn::FaceKey::operator==(const FaceKey &o) const {
    return width == o.width && height == o.height && borderWidth == o.borderWidth &&
           borderHeight == o.borderHeight && dpi == o.dpi && pressedLook == o.pressedLook && hot == o.hot &&
           focused == o.focused && themed == o.themed && contrast == o.contrast && variant == o.variant &&
           scheme == o.scheme;
}

bool BmpBtn::LookKey::operator==(const LookKey &o) const {
    return face == o.face && enabled == o.enabled && picture == o.picture;
}

HTHEME BmpBtn::FaceTheme() { return HighContrast() ? nullptr : theme_.Get(Window()); }

UINT BmpBtn::Dpi() const { return WindowDpi(Window()); }

int BmpBtn::PressedShift(bool pressedLook) const { return pressedLook ? ScaleForDpi(1, Dpi()) : 0; }


BmpBtn::LookKey BmpBtn::KeyOf(const RECT &rect, bool pressedLook) {
    LookKey key = {};
    FaceKey &face = key.face;
    face.width = rect.right - rect.left;
    face.height = rect.bottom - rect.top;
    face.dpi = Dpi();
    face.borderWidth = LineForDpi(SM_CXBORDER, face.dpi);
    face.borderHeight = LineForDpi(SM_CYBORDER, face.dpi);
    face.pressedLook = pressedLook;
    face.hot = hot;
    face.focused = focused;
    face.themed = FaceTheme() != nullptr;
    face.contrast = HighContrast();
    face.variant = FaceVariant();
    face.scheme = CurrentScheme();
    key.enabled = Enabled();
    key.picture = picture_;
    return key;
}

void BmpBtn::FollowScheme(const Scheme &scheme) {
    if (scheme == scheme_) return;
    scheme_ = scheme;
    greyed_.Reset();
    greyedIcon_.Reset();
    bitmapCopies_.Drop();
    greyedCopies_.Drop();
}

// Two images are kept: the face alone, drawn again when the face's look
// changes, and the whole button, made from the face and the picture again
// when either changes; a paint copies the whole. Drawn at the origin of
// rect; where no image can be kept (no memory for it), straight onto dc.
void BmpBtn::Draw(HDC dc, const RECT &rect, bool pressedLook) {
    if (!HasFace()) return;
    const LookKey key = KeyOf(rect, pressedLook);
    const int w = key.face.width, h = key.face.height;
    if (w <= 0 || h <= 0) return;
    FollowScheme(key.face.scheme);
    HDC faceDC = faceDC_.Get(), imageDC = imageDC_.Get();
    const RECT all = {0, 0, w, h};
    if (faceDC && imageDC && !(image_ && key == key_)) {
        if (!(face_ && key.face == faceKey_) && FitDib32(&face_, w, h)) {
            Select into(faceDC, face_.get());
            pictureArea_ = DrawFace(faceDC, all, pressedLook);
            faceKey_ = key.face;
        }
        if (face_ && key.face == faceKey_ && FitDib32(&image_, w, h)) {
            Select from(faceDC, face_.get()), into(imageDC, image_.get());
            BitBlt(imageDC, 0, 0, w, h, faceDC, 0, 0, SRCCOPY);
            DrawPicture(imageDC, pictureArea_, pressedLook);
            key_ = key;
        }
    }
    if (!imageDC || !image_ || !(key == key_)) {
        DrawPicture(dc, DrawFace(dc, rect, pressedLook), pressedLook);
        return;
    }
    Select from(imageDC, image_.get());
    BitBlt(dc, rect.left, rect.top, w, h, imageDC, 0, 0, SRCCOPY);
}

// ---- The face --------------------------------------------------------------------

// The classic focus mark is a black ring, in high contrast one of the
// button text's colour (the black of the classic look may be the face's
// there). The themed one is the system's dotted rectangle, a line wide.
RECT BmpBtn::DrawFace(HDC dc, const RECT &rect, bool pressedLook) {
    RECT r = rect;
    const UINT dpi = Dpi();
    const int bx = LineForDpi(SM_CXBORDER, dpi), by = LineForDpi(SM_CYBORDER, dpi);
    HTHEME theme = FaceTheme();

    if (focused && !theme) {
        HBRUSH ring = HighContrast() ? GetSysColorBrush(COLOR_BTNTEXT) : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        FillTopLeft(dc, r, ring, bx, by);
        FillBottomRight(dc, r, ring, bx, by);
        InflateRect(&r, -bx, -by);
    }

    if (theme) {
        RECT around = r;
        InflateRect(&around, 1, 1);
        FillRect(dc, &around, GetSysColorBrush(COLOR_BTNFACE));
        const int state = pressedLook ? kStatePressed : hot ? kStateHot : kStateNormal;
        Themes().DrawThemeBackground(theme, dc, kPushButtonPart, state, &r, nullptr);
    } else {
        HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
        if (pressedLook) {
            FillTopLeft(dc, r, shadow, bx, by);
            FillBottomRight(dc, r, shadow, bx, by);
            InflateRect(&r, -bx, -by);
        } else {
            FillTopLeft(dc, r, GetSysColorBrush(COLOR_3DLIGHT), bx, by);
            FillBottomRight(dc, r, GetSysColorBrush(COLOR_3DDKSHADOW), bx, by);
            InflateRect(&r, -bx, -by);
            FillTopLeft(dc, r, GetSysColorBrush(COLOR_BTNHIGHLIGHT), bx, by);
            FillBottomRight(dc, r, shadow, bx, by);
            InflateRect(&r, -bx, -by);
        }
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    }

    // Themed: r is still the whole button, so the dots run along its edge.
    if (focused && theme) {
        RECT dots = r;
        for (int i = 0; i < bx; ++i) {
            DrawFocusRect(dc, &dots);
            InflateRect(&dots, -1, -1);
        }
    }
    return r;
}

void BmpBtn::DrawPicture(HDC dc, const RECT &area, bool pressedLook) {
    if (FaceTheme()) {
        DrawImageMasked(dc, area, false);  // the themed picture never moves
    } else {
        DrawImage(dc, area, pressedLook);
    }
}

// ---- The picture -----------------------------------------------------------------

HBITMAP BmpBtn::PickBitmap(PictureCopies **copies) {
    *copies = &bitmapCopies_;
    if (Enabled()) return bitmap.get();
    if (!greyed_) MakeDisabledBitmap();
    if (!greyed_) return bitmap.get();
    *copies = &greyedCopies_;
    return greyed_.get();
}

HICON BmpBtn::PickIcon() {
    if (Enabled()) return icon;
    if (!greyedIcon_) MakeDisabledIcon();
    return greyedIcon_ ? greyedIcon_.get() : icon;
}

// The icon at the size for the window's DPI.
void BmpBtn::DrawIconPicture(HDC dc, const RECT &rect, bool pressedLook) {
    const UINT dpi = Dpi();
    const int size = ScaleForDpi(kIconSize, dpi);
    const POINT at = PictureOrigin(rect, size, size, PressedShift(pressedLook));
    HICON picked = PickIcon();
    DrawIconEx(dc, at.x, at.y, picked, size, size, 0, nullptr, DI_NORMAL);
}

// A copy that cannot be made leaves the picture drawn as it is.
void BmpBtn::DrawImage(HDC dc, const RECT &rect, bool pressedLook) {
    int w, h;
    if (BitmapSize(bitmap.get(), &w, &h)) {
        // The size is the bitmap's, also when its greyed copy is drawn: the
        // host's picture is never scaled.
        const POINT at = PictureOrigin(rect, w, h, PressedShift(pressedLook));
        PictureCopies *copies = nullptr;
        HBITMAP picked = PickBitmap(&copies);
        if (!copies->classicMade)
            copies->classicMade = MakeClassicCopy(picked, kTransparentColor, GetSysColor(COLOR_BTNFACE), &copies->classic);
        MemoryDC memory(dc);
        if (!memory) return;
        Select selected(memory.get(), copies->classicMade ? copies->classic.get() : picked);
        BitBlt(dc, at.x, at.y, w, h, memory.get(), 0, 0, SRCCOPY);
    } else if (icon) {
        DrawIconPicture(dc, rect, pressedLook);
    }
}

void BmpBtn::DrawImageMasked(HDC dc, const RECT &rect, bool pressedLook) {
    int w, h;
    if (!BitmapSize(bitmap.get(), &w, &h)) {
        // An icon-only button shows its icon in this look as well.
        if (icon) DrawIconPicture(dc, rect, pressedLook);
        return;
    }
    const POINT at = PictureOrigin(rect, w, h, PressedShift(pressedLook));
    PictureCopies *copies = nullptr;
    HBITMAP picked = PickBitmap(&copies);
    if (!copies->pairMade) copies->pairMade = MakeThemedPair(picked, kTransparentColor, &copies->cutout, &copies->mask);
    if (copies->pairMade) DrawThemedPair(dc, at.x, at.y, copies->cutout.get(), copies->mask.get());
}

// ---- Greyed copies ---------------------------------------------------------------

bool BmpBtn::MakeDisabledBitmap() {
    greyed_.Reset();
    greyedCopies_.Drop();
    BITMAP bm;
    if (!bitmap || !GetObjectA(bitmap.get(), sizeof bm, &bm)) return false;
    const int w = bm.bmWidth, h = bm.bmHeight;

    if (bm.bmBitsPixel > 8) {
        greyed_.Reset(CreateDisabledImage24(bitmap.get(), kTransparentColor, GetSysColor(COLOR_BTNFACE),
                                            GetSysColor(COLOR_BTNSHADOW), nullptr, nullptr, nullptr));
        return static_cast<bool>(greyed_);
    }

    // Few colours: the system's embossed rendering, which leaves only white
    // untouched. It is given a copy whose transparent colour is white, and
    // draws onto the transparent colour: the picture's background stays
    // background in the greyed copy instead of turning into a grey block.
    Bitmap source(MakeRecoloredCopy(bitmap.get(), kTransparentColor, RGB(255, 255, 255)));
    uint32_t *bits = nullptr;
    Bitmap copy(MakeDib32(w, h, &bits));
    MemoryDC memory(nullptr);
    if (!source || !copy || !memory) return false;
    {
        Select selected(memory.get(), copy.get());
        const RECT all = {0, 0, w, h};
        FillColor(memory.get(), all, kTransparentColor);
        DrawStateA(memory.get(), nullptr, nullptr, reinterpret_cast<LPARAM>(source.get()), 0, 0, 0, w, h,
                   DST_BITMAP | DSS_DISABLED);
    }
    greyed_.Reset(copy.Release());
    return true;
}

bool BmpBtn::MakeDisabledIcon() {
    greyedIcon_.Reset(CreateDisabledIcon24(icon, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW)));
    return static_cast<bool>(greyedIcon_);
}

}  // namespace qx
