// What a calendar keeps for drawing between paints, each part made again
// exactly when what it depends on changes: its font (the header rows'
// height, the character set of its names), an off-screen image of the whole
// window (its size), and the faces of a normal, a selected and, while it
// has limits, an unavailable day (cell and line sizes, theme, colours,
// contrast, DPI).
// A drawing goes into the image and then onto the window in one copy per
// area drawn, so nothing is seen half drawn; where no image can be kept it
// goes straight onto the window.
#pragma once
#include <windows.h>
#include <uxtheme.h>

#include "calendar/cal_model.h"
#include "calendar/cal_paint.h"
#include "common/gdi.h"

namespace qx {

class CalCanvas {
public:
    CalCanvas() = default;
    CalCanvas(const CalCanvas &) = delete;
    CalCanvas &operator=(const CalCanvas &) = delete;

    // The whole window (background included) onto dc, drawn as look says
    // (its faces are the canvas's own).
    void PaintAll(HWND window, HDC dc, const CalModel &model, bool focused, const CalLook &look) {
        Paint(window, dc, model, focused, look, true, [](CalPainter &) {});
    }
    // What body draws with the painter, onto dc.
    template <class Body>
    void PaintPart(HWND window, HDC dc, const CalModel &model, bool focused, const CalLook &look, Body body) {
        Paint(window, dc, model, focused, look, false, body);
    }
    // The look changed: the faces are drawn again.
    void DropFaces() { faces_ = {}; }

    // For a look at what is kept (tests).
    HBITMAP Image() const { return image_.get(); }
    HFONT KeptFont() const { return font_.get(); }
    HBITMAP NormalFace() const { return faceBitmaps_[0].get(); }
    HBITMAP SelectedFace() const { return faceBitmaps_[1].get(); }
    HBITMAP UnavailableFace() const { return faceBitmaps_[2].get(); }

private:
    // Everything the faces of the day cells depend on.
    struct FaceKey {
        int cellWidth = 0, cellHeight = 0, lineWidth = 0, lineHeight = 0;
        HTHEME theme = nullptr;
        HBRUSH background = nullptr;
        COLORREF colors[5] = {};
        bool highContrast = false;
        UINT dpi = 0;
        bool limited = false;  // the unavailable face is needed
        bool made = false;
        bool operator==(const FaceKey &o) const;
    };
    // The faces kept: a normal, a selected and an unavailable day.
    enum { kFaces = 3 };

    template <class Body>
    void Paint(HWND window, HDC dc, const CalModel &model, bool focused, const CalLook &look, bool whole,
               Body body);
    // Makes what is missing or out of date; false when no image can be kept.
    bool Prepare(HWND window, const CalModel &model, const CalLook &look, HBRUSH background);
    HBRUSH Background(HWND window) const;
    // The device context of a face that is kept; null for one that is not.
    HDC FaceDC(int face) { return faceBitmaps_[face] ? faceDCs_[face].Get() : nullptr; }
    void Fill(HDC dc, HBRUSH background, const CalModel &model) const;

    Font font_;
    int fontHeight_ = -1;
    BYTE fontCharset_ = 0;
    Bitmap image_;
    SIZE imageSize_ = {0, 0};
    bool imageDrawn_ = false;  // the image holds a whole drawing
    Bitmap faceBitmaps_[kFaces];
    FaceKey faces_;
    KeptDC imageDC_, faceDCs_[kFaces];
};

template <class Body>
void CalCanvas::Paint(HWND window, HDC dc, const CalModel &model, bool focused, const CalLook &look, bool whole,
                      Body body) {
    HBRUSH background = Background(window);
    if (!Prepare(window, model, look, background)) {
        Select font(dc, font_.get());
        CalLook direct = look;
        direct.normalFace = direct.selectedFace = direct.unavailableFace = nullptr;
        CalPainter painter(dc, model, focused, direct);
        if (whole) {
            Fill(dc, background, model);
            painter.All();
        } else {
            body(painter);
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
    const bool all = whole || !imageDrawn_;
    if (all) {
        Fill(image, background, model);
        painter.All();
        imageDrawn_ = true;
    }
    if (!whole) body(painter);
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
