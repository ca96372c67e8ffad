/*
 * qx_util: greyed copies of pictures, for controls that show a picture and
 * grey it while disabled.
 *
 * Both functions are cdecl and exported undecorated. They never change their
 * source, return a new object that the caller owns (DestroyIcon /
 * DeleteObject), and return null on failure.
 *
 * The copy is a grey rendering of the source in two colours: the darkest
 * pixels take `shadow`, the lightest take `face`, the others a tone in
 * between by their brightness. Transparent pixels stay transparent, and no
 * other pixel takes the transparent colour.
 *
 * Usable from C and C++.
 */
#ifndef QX_UTIL_H
#define QX_UTIL_H

#include <windows.h>

#if defined(QX_UTIL_BUILD)
#define QX_UTIL_API
#else
#define QX_UTIL_API __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A greyed copy of an icon, of the icon's own size; the parts of the icon
 * that are transparent (or mostly transparent) are transparent in the copy.
 * face and shadow are COLORREF values. */
QX_UTIL_API HICON __cdecl CreateDisabledIcon24(HICON icon, DWORD face, DWORD shadow);

/* A greyed copy of a bitmap as a 32-bit DIB section of the same size. Pixels
 * of exactly the colour `transparent` keep that colour; every other pixel is
 * greyed and never ends up with that colour. When not null, *width and
 * *height receive the copy's size. `dc` is the device context the source is
 * read through (null: the screen's); the source must not be selected into a
 * device context. */
QX_UTIL_API HBITMAP __cdecl CreateDisabledImage24(HBITMAP bitmap, DWORD transparent, DWORD face,
                                                  DWORD shadow, int *width, int *height, HDC dc);

#ifdef __cplusplus
}
#endif

#endif /* QX_UTIL_H */
