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

// What a drawing of parts of the window draws with its painter.
using CalBody = void (*)(CalPainter &painter, const void *context);

class CalCanvas {
public:
    CalCanvas() = default;
    CalCanvas(const CalCanvas &) = delete;
    CalCanvas &operator=(const CalCanvas &) = delete;

    // The whole window (background included) onto dc, drawn as look says
    // (its faces are the canvas's own).
    void PaintAll(HWND window, HDC dc, const CalModel &model, bool focused, const CalLook &look) {
        Paint(window, dc, model, focused, look, nullptr, nullptr);
    }
    // What body draws with the painter (given context), onto dc.
    void PaintPart(HWND window, HDC dc, const CalModel &model, bool focused, const CalLook &look, CalBody body,
                   const void *context) {
        Paint(window, dc, model, focused, look, body, context);
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

    // The whole window when body is null.
    void Paint(HWND window, HDC dc, const CalModel &model, bool focused, const CalLook &look, CalBody body,
               const void *context);
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

}  // namespace qx
