// The copies of a picture that the bitmap button draws from, made once per
// picture (and per colour scheme where a colour goes into them) instead of
// at every paint. They are 32-bit DIB sections of the picture's size (the
// mask: 1 bit per pixel); none of them changes the picture it is made from.
// Each is made into the Bitmap it is given, reusing the memory of the DIB
// section held there when it has the picture's size (see FitDib32).
#pragma once
#include <windows.h>

#include "common/gdi.h"

namespace qx {

// The classic look: the picture in 32 bits where, when its top-left pixel
// has the transparent colour, every pixel of that colour takes the face
// colour. False (and *copy empty) when the picture cannot be read.
bool MakeClassicCopy(HBITMAP picture, COLORREF transparent, COLORREF face, Bitmap *copy);

// The themed look: the picture in 32 bits with its pixels of the transparent
// colour black (cutout), and a mask, white where the picture has the
// transparent colour and black elsewhere. Drawn at one place, the mask with
// SRCAND and then the cutout with SRCPAINT, the picture shows where it is
// not transparent and what lay below stays elsewhere. False (both null)
// when the picture cannot be read.
bool MakeThemedPair(HBITMAP picture, COLORREF transparent, Bitmap *cutout, Bitmap *mask);

// Draws a pair made by MakeThemedPair at (x, y). The mask goes through dc's
// text and background colours where a device takes them from there: both
// are set for the call and put back.
void DrawThemedPair(HDC dc, int x, int y, HBITMAP cutout, HBITMAP mask);

// The picture in 32 bits with the pixels of one colour given another: the
// few-colour greyed copy starts from it. Null when it cannot be read.
HBITMAP MakeRecoloredCopy(HBITMAP picture, COLORREF from, COLORREF to);

}  // namespace qx
