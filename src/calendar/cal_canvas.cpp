#include "calendar/cal_canvas.h"

#include <cstring>

namespace qx {
namespace {

// The calendar's font: "MS Sans Serif" as high as a header row. Without it
// the device context's own font is used.
HFONT MakeFont(int height) {
    LOGFONTA lf = {};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = ANSI_CHARSET;
    std::strcpy(lf.lfFaceName, "MS Sans Serif");
    return CreateFontIndirectA(&lf);
}

int Larger(int a, int b) { return a > b ? a : b; }

}  // namespace

bool CalCanvas::FaceKey::operator==(const FaceKey &o) const {
    return made == o.made && cellWidth == o.cellWidth && cellHeight == o.cellHeight &&
           lineWidth == o.lineWidth && lineHeight == o.lineHeight && theme == o.theme &&
           background == o.background && colors[0] == o.colors[0] && colors[1] == o.colors[1] &&
           colors[2] == o.colors[2];
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

bool CalCanvas::Prepare(HWND window, const CalModel &model, HTHEME theme, HBRUSH background) {
    if (fontHeight_ != model.headerRowHeight) {
        font_.Reset(MakeFont(model.headerRowHeight));
        fontHeight_ = model.headerRowHeight;
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
    key.theme = theme;
    key.background = background;
    key.colors[0] = GetSysColor(COLOR_BTNFACE);
    key.colors[1] = GetSysColor(COLOR_BTNSHADOW);
    key.colors[2] = GetSysColor(COLOR_WINDOW);
    key.made = true;
    if (key == faces_) return true;
    // The faces are drawn over the background, as the day grid is.
    faces_ = key;
    const RECT cell = {0, 0, model.cellWidth, model.dayRowHeight};
    const RECT normal = CalNormalFaceRect(cell, model.borderWidth, model.borderHeight);
    uint32_t *bits = nullptr;
    normalFace_.Reset(MakeDib32(normal.right, normal.bottom, &bits));
    selectedFace_.Reset(MakeDib32(cell.right, cell.bottom, &bits));
    if (normalFace_ && normalDC_.Get()) {
        Select into(normalDC_.Get(), normalFace_.get());
        FillRect(normalDC_.Get(), &normal, background);
        DrawCalNormalFace(normalDC_.Get(), cell, model.borderWidth, model.borderHeight, theme);
    } else {
        normalFace_.Reset();
    }
    if (selectedFace_ && selectedDC_.Get()) {
        Select into(selectedDC_.Get(), selectedFace_.get());
        FillRect(selectedDC_.Get(), &cell, background);
        DrawCalSelectedFace(selectedDC_.Get(), cell, theme);
    } else {
        selectedFace_.Reset();
    }
    return true;
}

}  // namespace qx
