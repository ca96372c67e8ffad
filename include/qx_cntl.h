/*
 * qx_cntl: custom window controls for data-entry dialogs.
 *
 * Window classes (register them with RegisterQXCtls):
 *   "QXEdit", "QXInteger", "QXFloat", "QXPicture", "QXTime"  one-line edits
 *   "QXCalCntl"                                             month calendar
 *   "QXBmpButton", "QXBmpButtonXP"                          picture buttons
 *
 * Edit-family style bits: QXES_RIGHT, QXES_READONLY, QXES_SPIN, QXES_WRAP,
 * QXES_EXPLAIN, QXES_NOBEEP.
 * The window text given at creation is the control's mask, not its content.
 *
 * Every function taking a window returns QXBOOL: 1 on success, 0 on failure
 * (also when the window is not a control of the kind the function serves).
 * The 32-bit DLL exports the standard-call functions decorated (_Name@N);
 * RegisterQXCtls and UnregisterQXCtls are cdecl and undecorated.
 *
 * QX_CNTL_VERSION_MAJOR, _MINOR, _PATCH and QX_CNTL_VERSION_STRING (from
 * qx_cntl_version.h) give the version this header belongs to; the DLLs carry
 * the same number in their version resources.
 *
 * Usable from C and C++.
 */
#ifndef QX_CNTL_H
#define QX_CNTL_H

#include <windows.h>

#include "qx_cntl_version.h"

/* Style bits of the edit family (low word of the window style). */
#define QXES_RIGHT 0x0002 /* right-aligned text */
#define QXES_SPIN  0x1000 /* spin button at the right edge */
#define QXES_WRAP  0x2000 /* stepping wraps from one end of the range to the other */
/* Read-only: the user may select and copy but not change the text; the
 * host's sets still work. EM_SETREADONLY sets and clears the bit. */
#define QXES_READONLY 0x0800
/* Refused input (a typed or pasted character, a spin step past the range)
 * beeps. QXES_EXPLAIN also shows a balloon tip next to the caret saying why
 * (the QXIDS_WHY_ strings), until the next key taken, the loss of the focus
 * or a few seconds; QXES_NOBEEP silences the beep. Both are read at each
 * refusal; no other edit-family style bit uses these two. */
#define QXES_EXPLAIN 0x4000
#define QXES_NOBEEP  0x8000

/* Notification codes sent by a "QXFloat" spin to the parent (WM_COMMAND). */
#define QXFN_STEPUP   0x1000
#define QXFN_STEPDOWN 0x2000

/* Style bits of "QXCalCntl" (low word of the window style; the calendar
 * has no others, and no other class reads these). QXCS_WEEKNUMBERS and
 * QXCS_LOCALE are read at creation; QXCS_TODAY and QXCS_NOTIFY when used. */
#define QXCS_TODAY       0x0001 /* a frame marks today's date */
#define QXCS_WEEKNUMBERS 0x0002 /* ISO 8601 week numbers in a column at the left */
#define QXCS_LOCALE      0x0004 /* month and weekday names, first weekday from the user's locale */
#define QXCS_NOTIFY      0x0008 /* tell the parent of every change of the date */

/* Notification codes sent by a "QXCalCntl" (WM_COMMAND): a day
 * double-clicked; and, with QXCS_NOTIFY, a new date chosen by the user
 * (click, key, arrow button, screen reader) or set by the host (QXCalSet*,
 * QXCalSetRange). */
#define QXCN_DAYDBLCLK 1
#define QXCN_SELCHANGE 2
#define QXCN_SELSET    3

/* String resources: the edit family's context menu, why it refused input,
 * and what screen readers are told of the controls' parts. The library's own (English) strings are
 * in the DLL; a host gives its own texts by putting strings with these
 * identifiers in a STRINGTABLE of the module whose instance handle creates
 * the windows (a dialog's module, the hInstance of CreateWindowEx), where
 * they are looked up first. In the menu's texts '&' marks the mnemonic. */
#define QXIDS_MENU_UNDO      0x7E10
#define QXIDS_MENU_CUT       0x7E11
#define QXIDS_MENU_COPY      0x7E12
#define QXIDS_MENU_PASTE     0x7E13
#define QXIDS_MENU_DELETE    0x7E14
#define QXIDS_MENU_SELECTALL 0x7E15
#define QXIDS_ACC_PRESS      0x7E20 /* the default action of buttons and spin arrows */
#define QXIDS_ACC_SELECT     0x7E21 /* the default action of a calendar's day */
#define QXIDS_ACC_UP         0x7E22 /* the spin's arrows */
#define QXIDS_ACC_DOWN       0x7E23
#define QXIDS_ACC_PREVYEAR   0x7E24 /* the calendar's four arrow buttons */
#define QXIDS_ACC_NEXTYEAR   0x7E25
#define QXIDS_ACC_PREVMONTH  0x7E26
#define QXIDS_ACC_NEXTMONTH  0x7E27
/* Why input was refused, in the tip of an edit with QXES_EXPLAIN. */
#define QXIDS_WHY_NOTACCEPTED 0x7E30 /* a character this edit does not take here */
#define QXIDS_WHY_ABOVEMAX    0x7E31 /* the value would be above the maximum */
#define QXIDS_WHY_BELOWMIN    0x7E32 /* ... below the minimum */
#define QXIDS_WHY_NOROOM      0x7E33 /* the line or the mask is full */
#define QXIDS_WHY_LETTER      0x7E34 /* this position of the mask takes a letter */
#define QXIDS_WHY_DIGIT       0x7E35 /* ... a digit */
#define QXIDS_WHY_HOUR24      0x7E36 /* a time's hour on a 24-hour clock */
#define QXIDS_WHY_HOUR12      0x7E37 /* ... on a 12-hour clock */
#define QXIDS_WHY_MINUTE      0x7E38 /* a time's minutes */

/* Resource scripts may include this header for the constants above. */
#ifndef RC_INVOKED

#if defined(QX_CNTL_BUILD) || defined(QX_CNTL_STATIC)
#define QX_API
#else
#define QX_API __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One-byte boolean result: test it as a byte, never as a BOOL. */
typedef unsigned char QXBOOL;

/* Message to any control: the name screen readers give it. lParam is the
 * name (ANSI, copied; an empty one means no name); NULL forgets a name set
 * before, and the control is named as without one again (an edit after the
 * static text before it, a button after its text). wParam is 0. Returns TRUE,
 * FALSE when the name could not be kept. */
#define QXM_SETACCNAME (WM_USER + 0x0700)

/* Registration of the whole library. */
QX_API QXBOOL __cdecl RegisterQXCtls(HINSTANCE instance);
QX_API void __cdecl UnregisterQXCtls(HINSTANCE instance);
QX_API void WINAPI QXEnableOld3d(QXBOOL enable);

/* Registration of single classes. */
QX_API QXBOOL WINAPI QXRegisterEditClass(HINSTANCE instance);
QX_API QXBOOL WINAPI QXRegisterIntClass(HINSTANCE instance);
QX_API QXBOOL WINAPI QXRegisterFloatClass(HINSTANCE instance);
QX_API QXBOOL WINAPI QXRegisterPictClass(HINSTANCE instance);
QX_API QXBOOL WINAPI QXRegisterTimeClass(HINSTANCE instance);
QX_API void WINAPI QXUnregisterEditClass(HINSTANCE instance);
QX_API void WINAPI QXUnregisterIntClass(HINSTANCE instance);
QX_API void WINAPI QXUnregisterFloatClass(HINSTANCE instance);
QX_API void WINAPI QXUnregisterPictClass(HINSTANCE instance);
QX_API void WINAPI QXUnregisterTimeClass(HINSTANCE instance);
QX_API QXBOOL WINAPI QXRegisterCalClass(HINSTANCE instance);
QX_API void WINAPI QXUnregisterCalClass(void);
QX_API QXBOOL WINAPI QXRegisterBmpBtnClass(HINSTANCE instance);
QX_API void WINAPI QXUnregisterBmpBtnClass(HINSTANCE instance);
QX_API QXBOOL WINAPI QXRegisterMonthYearButtonXPClass(HINSTANCE instance);
QX_API void WINAPI QXUnregisterMonthYearButtonXPClass(HINSTANCE instance);

/* "QXInteger" */
QX_API QXBOOL WINAPI QXIntSetValue(HWND hwnd, long value);
QX_API QXBOOL WINAPI QXIntGetValue(HWND hwnd, long *value);
QX_API QXBOOL WINAPI QXIntSetRange(HWND hwnd, long min, long max);
QX_API QXBOOL WINAPI QXIntGetRange(HWND hwnd, long *min, long *max);
QX_API QXBOOL WINAPI QXIntSetMask(HWND hwnd, LPCSTR mask);
QX_API QXBOOL WINAPI QXIntGetMask(HWND hwnd, LPSTR buffer, int size);

/* Picture masks, usable without a window. */
QX_API QXBOOL WINAPI QXPicFormatText(LPCSTR mask, LPCSTR raw, LPSTR out, int size);
QX_API UINT WINAPI GetPictCtlWidth(LPCSTR mask, HDC dc, QXBOOL withSpin);

/* "QXPicture" (the QXPic functions also serve "QXTime" windows) */
QX_API QXBOOL WINAPI QXPicSetMask(HWND hwnd, LPCSTR mask);
QX_API QXBOOL WINAPI QXPicSetValue(HWND hwnd, LPCSTR raw);
QX_API QXBOOL WINAPI QXPicGetValue(HWND hwnd, LPSTR buffer, int size);
QX_API QXBOOL WINAPI QXPicHideEmptyValues(HWND hwnd, QXBOOL hide);

/* "QXTime": hour 0..23, minute 0..59 */
QX_API QXBOOL WINAPI QXTime_Clear(HWND hwnd);
QX_API QXBOOL WINAPI QXTime_Is24Hour(HWND hwnd, BOOL *is24Hour);
QX_API QXBOOL WINAPI QXTime_SetMask(HWND hwnd, LPCSTR mask);
QX_API QXBOOL WINAPI QXTime_IsTimeMask(LPCSTR mask);
QX_API QXBOOL WINAPI QXTime_HasEmptyTime(HWND hwnd, QXBOOL *empty);
QX_API QXBOOL WINAPI QXTime_HasValidTime(HWND hwnd, BOOL *valid);
QX_API QXBOOL WINAPI QXTime_GetTime(HWND hwnd, WORD *hour, WORD *minute);
QX_API QXBOOL WINAPI QXTime_SetTime(HWND hwnd, WORD hour, WORD minute);

/* "QXFloat" */
QX_API QXBOOL WINAPI QXFloatSetValue(HWND hwnd, double value);
QX_API QXBOOL WINAPI QXFloatGetValue(HWND hwnd, double *value);
QX_API QXBOOL WINAPI QXFloatSetRange(HWND hwnd, double min, double max);
QX_API QXBOOL WINAPI QXFloatSetFormat(HWND hwnd, LPCSTR format);
/* QXFloatSetFormat with the decimal and group separators of the user's
 * locale (its regional settings), read at the call: 0, and nothing changed,
 * where they are not single characters of the ANSI code page. Call it again
 * when the user changes them (WM_SETTINGCHANGE with "intl"). */
QX_API QXBOOL WINAPI QXFloatSetLocaleFormat(HWND hwnd);
QX_API QXBOOL WINAPI QXFloatSetMask(HWND hwnd, LPCSTR mask);

/* "QXCalCntl": month 1..12, day 1..31 */
QX_API QXBOOL WINAPI QXCalGetYear(HWND hwnd, int *year);
QX_API QXBOOL WINAPI QXCalGetMonth(HWND hwnd, int *month);
QX_API QXBOOL WINAPI QXCalGetDay(HWND hwnd, int *day);
QX_API QXBOOL WINAPI QXCalSetYear(HWND hwnd, int year);
QX_API QXBOOL WINAPI QXCalSetMonth(HWND hwnd, int month);
QX_API QXBOOL WINAPI QXCalSetDay(HWND hwnd, int day);
/* The earliest and the latest date the user may select (wYear, wMonth, wDay
 * read); NULL: no limit on that side. A minimum after the maximum, or no
 * date, is refused. QXCalGetRange writes each limit asked for, all zero
 * where there is none. */
QX_API QXBOOL WINAPI QXCalSetRange(HWND hwnd, const SYSTEMTIME *min, const SYSTEMTIME *max);
QX_API QXBOOL WINAPI QXCalGetRange(HWND hwnd, SYSTEMTIME *min, SYSTEMTIME *max);

/* "QXBmpButton" and "QXBmpButtonXP". A bitmap is handed over: the button
 * deletes it with itself and never changes its pixels (its pixels of
 * RGB(192, 192, 192) are background); the bitmap it replaces is the caller's
 * again. An icon stays the caller's, kept alive while it is shown. */
QX_API QXBOOL WINAPI QXBtn_SetIcon(HWND hwnd, HICON icon);
QX_API QXBOOL WINAPI QXBtn_SetBitmap(HWND hwnd, HBITMAP bitmap);

#ifdef __cplusplus
}
#endif

#endif /* RC_INVOKED */

#endif /* QX_CNTL_H */
