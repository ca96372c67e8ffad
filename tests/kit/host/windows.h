/* What qx_cntl.h and qx_util.h need of windows.h, for the MSVC target without an SDK. */
#ifndef QX_TEST_MSVC_WINDOWS_H
#define QX_TEST_MSVC_WINDOWS_H

#define WINAPI __stdcall

typedef int BOOL;
typedef unsigned short WORD;
typedef unsigned long DWORD;
typedef unsigned int UINT;
typedef const char *LPCSTR;
typedef char *LPSTR;

typedef struct HWND__ *HWND;
typedef struct HINSTANCE__ *HINSTANCE;
typedef struct HDC__ *HDC;
typedef struct HICON__ *HICON;
typedef struct HBITMAP__ *HBITMAP;

typedef struct _SYSTEMTIME {
    WORD wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
} SYSTEMTIME;

#endif
