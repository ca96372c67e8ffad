#include "calendar/cal_canvas.h"

#include <cstring>

namespace qx {
namespace {

// The calendar's font: "MS Sans Serif" as high as a header row, of the
// character set given (the system's own for names in the user's language,
// so that the text is read in the ANSI code page and a face with its
// script is found). Without it the device context's own font is used.
HFONT MakeFont(int height, BYTE charset) {
    LOGFONTA lf = {};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = charset;
    std::strcpy(lf.lfFaceName, "MS Sans Serif");
    return CreateFontIndirectA(&lf);
}

int Larger(int a, int b) { return a > b ? a : b; }

}  // namespace

bool CalCanvas::FaceKey::operator==(const FaceKey &o) const {
    for (int k = 0; k < 5; ++k)
        if (colors[k] != o.colors[k]) return false;
    return made == o.made && cellWidth == o.cellWidth && cellHeight == o.cellHeight &&
           lineWidth == o.lineWidth && lineHeight == o.lineHeight && theme == o.theme &&
           background == o.background && highContrast == o.highContrast && dpi == o.dpi && limited == o.limited;
}

// The class's background brush (a system colour index plus one, as
// registered, or a brush).
HBRUSH CalCanvas::Background(HWND window) const {
    return reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND));
}

// The background covers the whole image: the window, and the grid where a
// window too small for it leaves it sticking out.
void CalCanvas::Fill(HDC dc, HBRUSH background, const CalModel &model) const {
    const RECT all = {0, 0, Larger(imageSize_.cx, model.width), Larger(imageSize_.cy, model.height)};
    FillRect(dc, &all, background);
}

bool CalCanvas::Prepare(HWND window, const CalModel &model, const CalLook &look, HBRUSH background) {
    const BYTE charset = look.names ? DEFAULT_CHARSET : ANSI_CHARSET;
    if (fontHeight_ != model.headerRowHeight || fontCharset_ != charset) {
        font_.Reset(MakeFont(model.headerRowHeight, charset));
        fontHeight_ = model.headerRowHeight;
        fontCharset_ = charset;
    }

    RECT client;
    if (!GetClientRect(window, &client)) return false;
    const int w = Larger(client.right, model.width), h = Larger(client.bottom, model.height);
    if (!image_ || w != imageSize_.cx || h != imageSize_.cy) {
        uint32_t *bits = nullptr;
        image_.Reset(MakeDib32(w, h, &bits));
        imageSize_ = {w, h};
        imageDrawn_ = false;
    }
    if (!image_ || !imageDC_.Get()) return false;

    FaceKey key;
    key.cellWidth = model.cellWidth;
    key.cellHeight = model.dayRowHeight;
    key.lineWidth = model.borderWidth;
    key.lineHeight = model.borderHeight;
    key.theme = look.theme;
    key.background = background;
    const int colors[5] = {COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_WINDOW, COLOR_HIGHLIGHT, COLOR_BTNHIGHLIGHT};
    for (int k = 0; k < 5; ++k) key.colors[k] = GetSysColor(colors[k]);
    key.highContrast = look.highContrast;
    key.dpi = look.dpi;
    key.limited = model.hasMin || model.hasMax;
    key.made = true;
    if (key == faces_) return true;
    // The faces are drawn over the background, as the day grid is.
    faces_ = key;
    const RECT cell = {0, 0, model.cellWidth, model.dayRowHeight};
    const RECT normal = CalNormalFaceRect(cell, model.borderWidth, model.borderHeight);
    for (int face = 0; face < kFaces; ++face) {
        const RECT &r = face == 1 ? cell : normal;
        uint32_t *bits = nullptr;
        faceBitmaps_[face].Reset(face < 2 || key.limited ? MakeDib32(r.right, r.bottom, &bits) : nullptr);
        HDC dc = FaceDC(face);
        if (!dc) {
            faceBitmaps_[face].Reset();
            continue;
        }
        Select into(dc, faceBitmaps_[face].get());
        FillRect(dc, &r, background);
        if (face == 0) DrawCalNormalFace(dc, cell, model.borderWidth, model.borderHeight, look);
        if (face == 1) DrawCalSelectedFace(dc, cell, look);
        if (face == 2) DrawCalUnavailableFace(dc, cell, model.borderWidth, model.borderHeight, look);
    }
    return true;
}

void CalCanvas::Paint(HWND window, HDC dc, const CalModel &model, bool focused, const CalLook &look, CalBody body,
                      const void *context) {
    HBRUSH background = Background(window);
    if (!Prepare(window, model, look, background)) {
        Select font(dc, font_.get());
        CalLook direct = look;
        direct.normalFace = direct.selectedFace = direct.unavailableFace = nullptr;
        CalPainter painter(dc, model, focused, direct);
        if (body) {
            body(painter, context);
        } else {
            Fill(dc, background, model);
            painter.All();
        }
        return;
    }
    HDC image = imageDC_.Get();
    Select drawInto(image, image_.get()), font(image, font_.get());
    CalLook kept = look;
    kept.normalFace = FaceDC(0);
    kept.selectedFace = FaceDC(1);
    kept.unavailableFace = FaceDC(2);
    Select normal(kept.normalFace, faceBitmaps_[0].get()), selected(kept.selectedFace, faceBitmaps_[1].get()),
        unavailable(kept.unavailableFace, faceBitmaps_[2].get());
    CalPainter painter(image, model, focused, kept);
    // A part is drawn over a whole drawing, made first where there is none.
    const bool all = !body || !imageDrawn_;
    if (all) {
        Fill(image, background, model);
        painter.All();
        imageDrawn_ = true;
    }
    if (body) body(painter, context);
    if (all) {
        BitBlt(dc, 0, 0, imageSize_.cx, imageSize_.cy, image, 0, 0, SRCCOPY);
        return;
    }
    for (int k = 0; k < painter.AreaCount(); ++k) {
        const RECT &r = painter.Area(k);
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, image, r.left, r.top, SRCCOPY);
    }
}

}  // namespace qx
