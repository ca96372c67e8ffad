// What a calendar keeps for drawing between paints, each part made again
// exactly when what it depends on changes: its font (the header rows'
// height), an off-screen image of the whole window (its size), and the faces
// of a normal and of a selected day (cell and line sizes, theme, colours).
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

    // The whole window (background included) onto dc.
    void PaintAll(HWND window, HDC dc, const CalModel &model, bool focused, HTHEME theme) {
        Paint(window, dc, model, focused, theme, true, [](CalPainter &) {});
    }
    // What body draws with the painter, onto dc.
    template <class Body>
    void PaintPart(HWND window, HDC dc, const CalModel &model, bool focused, HTHEME theme, Body body) {
        Paint(window, dc, model, focused, theme, false, body);
    }
    // The look changed: the faces are drawn again.
    void DropFaces() { faces_ = {}; }

    // For a look at what is kept (tests).
    HBITMAP Image() const { return image_.get(); }
    HFONT KeptFont() const { return font_.get(); }
    HBITMAP NormalFace() const { return normalFace_.get(); }
    HBITMAP SelectedFace() const { return selectedFace_.get(); }

private:
    // Everything the faces of the day cells depend on.
    struct FaceKey {
        int cellWidth = 0, cellHeight = 0, lineWidth = 0, lineHeight = 0;
        HTHEME theme = nullptr;
        HBRUSH background = nullptr;
        COLORREF colors[3] = {};
        bool made = false;
        bool operator==(const FaceKey &o) const;
    };

    template <class Body>
    void Paint(HWND window, HDC dc, const CalModel &model, bool focused, HTHEME theme, bool whole,
               Body body);
    // Makes what is missing or out of date; false when no image can be kept.
    bool Prepare(HWND window, const CalModel &model, HTHEME theme, HBRUSH background);
    HBRUSH Background(HWND window) const;
    void Fill(HDC dc, HBRUSH background, const CalModel &model) const;

    Font font_;
    int fontHeight_ = -1;
    Bitmap image_;
    SIZE imageSize_ = {0, 0};
    bool imageDrawn_ = false;  // the image holds a whole drawing
    Bitmap normalFace_, selectedFace_;
    FaceKey faces_;
    KeptDC imageDC_, normalDC_, selectedDC_;
};

template <class Body>
void CalCanvas::Paint(HWND window, HDC dc, const CalModel &model, bool focused, HTHEME theme, bool whole,
                      Body body) {
    HBRUSH background = Background(window);
    if (!Prepare(window, model, theme, background)) {
        Select font(dc, font_.get());
        CalPainter painter(dc, model, focused, CalLook{theme, nullptr, nullptr});
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
    Select normal(normalDC_.Get(), normalFace_.get()), selected(selectedDC_.Get(), selectedFace_.get());
    CalPainter painter(image, model, focused,
                       CalLook{theme, normalFace_ ? normalDC_.Get() : nullptr,
                               selectedFace_ ? selectedDC_.Get() : nullptr});
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
