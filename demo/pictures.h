// Pictures the demo and the gallery share: a bitmap for the picture buttons,
// and screen grabs written as PNG files.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace demo {

// A 32-bit top-down bitmap of w x h (0x00RRGGBB pixels through *bits).
HBITMAP MakeDib32(int w, int h, DWORD **bits);

// A 20 x 16 picture on the transparent grey: a green arrow pointing right.
HBITMAP MakeArrowBitmap();

// The pixels of a rectangle of a window's client area (null: of the screen),
// 3 bytes (red, green, blue) each, rows top to bottom. A window's own pixels
// are read where it draws them, so they are current even before the display
// shows them.
bool GrabRect(HWND window, const RECT &r, std::vector<uint8_t> *rgb);

// GrabRect written as a PNG file.
bool SaveRect(HWND window, const RECT &r, const char *path);

}  // namespace demo
