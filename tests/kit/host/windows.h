/* The Windows types and calling conventions that qx_cntl.h and qx_util.h
 * use, declared by the test host itself: MinGW's windows.h does not compile
 * for the MSVC target, and no Windows SDK is at hand. A host with the SDK's
 * headers includes its real windows.h instead. */
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
