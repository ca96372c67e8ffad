// The bench's windows and the small input and drawing helpers its cases use.
#pragma once
#include <windows.h>

#include <string>

namespace qxb {

// What a stage received from the controls inside it.
struct StageLog {
    int commands = 0;  // WM_COMMAND
    int changes = 0;   // WM_COMMAND with EN_CHANGE
    int notifies = 0;  // WM_NOTIFY
    int scrolls = 0;   // WM_VSCROLL and WM_HSCROLL
};

// Registers the bench's window classes in the program's instance.
bool RegisterBenchClasses(HINSTANCE instance);

// The top-level window that holds both stages.
HWND MakeMainWindow(HINSTANCE instance, int width, int height);
// A side's stage: a child of the main window painted in the dialog colour,
// the parent of that side's controls, recording their notifications.
HWND MakeStage(HWND main, int x, int y, int width, int height);
StageLog &LogOf(HWND stage);

// A window that only copies a bitmap to itself when painted (the plain
// BitBlt a picture's first paint is compared with): class kBlitClass, the
// bitmap at offset (kBlitMargin, kBlitMargin), set with SetBlitBitmap.
extern const char kBlitClass[];
constexpr int kBlitMargin = 4;
void SetBlitBitmap(HWND blit, HBITMAP bitmap);

// The font every control is given, as a dialog gives its font.
HFONT DialogFont();

// A visible child with the dialog font.
HWND Child(HWND parent, const char *cls, const char *text, DWORD style, DWORD exStyle, int x, int y,
           int w, int h, int id);

std::string TextOf(HWND hwnd);

// A typed character as the keyboard delivers it: key down, character, key up.
void TypeChar(HWND hwnd, char ch);
// A left click at a client point: button down, button up.
void ClickAt(HWND hwnd, int x, int y);

// Invalidates the window, its frame and its children, erases and paints them now.
void FullRepaint(HWND hwnd);
// The same for the window and its frame only: its child windows are left
// as they are.
void RepaintAlone(HWND hwnd);

// Distinct colours in the window's client area, counted up to limit.
int DistinctColors(HWND hwnd, int limit);

// A device-dependent picture of size x size: a disc in two colours crossed
// by a band, on the transparent grey (0xC0C0C0) of button pictures.
HBITMAP MakePicture(int size);

}  // namespace qxb
