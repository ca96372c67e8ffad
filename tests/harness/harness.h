// Test harness for window controls under Wine: a recording parent, input, clipboard, pixels, environment.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace qxt {

struct NoCopy { NoCopy() = default; NoCopy(const NoCopy &) = delete; NoCopy &operator=(const NoCopy &) = delete; };

bool ClassicPrefix();             // the runner's prefix has visual styles off
std::string RequestedVersion();   // the version Wine was asked to report ("default", "nt351", ...)
DWORD OsMajor();                  // dwMajorVersion as the system reports it
HINSTANCE HostInstance();         // the test program's instance

// The message loop: what is queued; for ms; until pred() holds or the event is set, at most ms.
void Pump();
void PumpFor(DWORD ms);
bool PumpUntil(const std::function<bool()> &pred, DWORD ms);
bool PumpUntilSignaled(HANDLE event, DWORD ms);

// Counts access violations while it lives, before the system may swallow them (Wine does).
class FaultCounter : NoCopy {
public:
    FaultCounter();
    ~FaultCounter();
    LONG Faults() const;

private:
    void *handler_;
};

struct Notification {
    WORD id, code;
    HWND from;
    bool operator==(const Notification &o) const { return id == o.id && code == o.code && from == o.from; }
};

// A visible top-level window recording every WM_COMMAND and colour request, which it can answer.
class ParentWindow : NoCopy {
public:
    explicit ParentWindow(int width = 400, int height = 200);
    ~ParentWindow();

    HWND hwnd() const { return hwnd_; }

    // A child (WS_CHILD | WS_VISIBLE added) in the host's instance.
    HWND CreateChild(const char *cls, const char *text, DWORD style, int x, int y, int w, int h,
                     int id = 1);

    const std::vector<Notification> &Notifications() const { return notes_; }
    void ClearNotifications() { notes_.clear(); }

    // Colour messages received, in order.
    const std::vector<UINT> &ColorRequests() const { return colorRequests_; }
    void ClearColorRequests() { colorRequests_.clear(); }
    // Colour requests answered with these colours, with a null brush, or by default (at first).
    void AnswerColors(COLORREF text, COLORREF back);
    void AnswerNullBrush() { colorMode_ = ColorMode::NullBrush; }
    void AnswerDefault() { colorMode_ = ColorMode::Default; }

    // Called for each WM_COMMAND, and for every message before it is handled.
    std::function<void(const Notification &)> onCommand;
    std::function<void(UINT msg, WPARAM wp, LPARAM lp)> onMessage;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);

    HWND hwnd_ = nullptr;
    std::vector<Notification> notes_;
    std::vector<UINT> colorRequests_;
    enum class ColorMode { Default, Answer, NullBrush } colorMode_ = ColorMode::Default;
    COLORREF text_ = 0, back_ = 0;
    HBRUSH brush_ = nullptr;
};

// On a mismatch the message shows both tables.
::testing::AssertionResult SameNotifications(const std::vector<Notification> &expected,
                                             const std::vector<Notification> &actual);

// kAltGr: reported as the left Ctrl and the right Alt keys down together.
enum Modifiers { kNoMods = 0, kShift = 1, kCtrl = 2, kAltGr = 4, kAlt = 8 };

// This thread's keyboard state: the modifiers given down, every other key up.
void SetHeldKeys(int mods);
// Holds modifiers down (GetKeyState reports them) while it lives.
class HeldKeys : NoCopy {
public:
    explicit HeldKeys(int mods);
    ~HeldKeys();
};

// A key message's lParam: its scan code, released (the up bits), with Alt (the context bit).
LPARAM KeyParam(UINT vk, bool up = false, bool alt = false);
// A mouse message's lParam for client coordinates (negative ones too).
LPARAM Point(int x, int y);
// The centre of an edit's upper or lower spin arrow.
POINT SpinArrow(HWND edit, bool up);

// WM_KEYDOWN then WM_KEYUP of a virtual key, with the modifiers held.
void SendKey(HWND hwnd, UINT vk, int mods = kNoMods);
// A typed character (WM_KEYDOWN, WM_CHAR, WM_KEYUP), sent, or queued for Pump() (typing ahead).
void SendChar(HWND hwnd, char ch, int mods = kNoMods);
void TypeText(HWND hwnd, const char *text);
void PostText(HWND hwnd, const char *text);

void MouseDown(HWND hwnd, int x, int y, int mods = kNoMods);
void MouseUp(HWND hwnd, int x, int y, int mods = kNoMods);
void MouseMove(HWND hwnd, int x, int y, bool leftHeld = false);
void DoubleClick(HWND hwnd, int x, int y);
void Click(HWND hwnd, int x, int y, int mods = kNoMods);
// WM_MOUSEWHEEL with a delta (120 a notch), the pointer at the window's origin.
void Wheel(HWND hwnd, int delta);

bool SetClipboardText(const char *text);
// CF_TEXT, and CF_UNICODETEXT narrowed (past ASCII '?'); false when none.
bool ClipboardText(std::string *text);
bool ClipboardUnicodeText(std::string *text);
void EmptyClipboardNow();

// A copy of a window's client area (or the whole window).
class Pixels {
public:
    explicit Pixels(HWND hwnd, bool wholeWindow = false);
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF At(int x, int y) const;
    // Pixels of a colour or of another in a rectangle; pixels unlike another copy's.
    int Count(COLORREF color, const RECT &r) const;
    int Count(COLORREF color) const;
    int CountOther(COLORREF color, const RECT &r) const;
    int Differences(const Pixels &other) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<COLORREF> data_;
};

// A memory DC of its own objects and settings for WM_PRINTCLIENT; whether the window left them as found.
class PrintTarget : NoCopy {
public:
    PrintTarget(int width, int height);
    ~PrintTarget();

    void Print(HWND hwnd);
    // What is not as it was made ("" when nothing); pixels unlike the window's own.
    std::string Changed() const;
    int DifferencesFrom(HWND hwnd) const;
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HFONT font_;
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ old_[4];
    int width_, height_;
};

// Paints a window now, invalidated first.
void Repaint(HWND hwnd);

// The tooltip windows of this thread, and the one shown (null when none is).
int TipWindows();
HWND ShownTip();
std::string WindowText(HWND hwnd);

// Counts a module's calls of MessageBeep while it lives, silenced.
class BeepCounter : NoCopy {
public:
    explicit BeepCounter(HMODULE module);
    ~BeepCounter();
    int Beeps() const;

private:
    HMODULE module_;
    FARPROC real_;
};

// Visual styles off or back on for one window, told by WM_THEMECHANGED.
void SetWindowStyles(HWND hwnd, bool on);

// Windows this thread creates while it lives are born with visual styles off.
class ClassicBirths : NoCopy {
public:
    ClassicBirths();
    ~ClassicBirths();

private:
    HHOOK hook_;
};

// System colours set while it lives, told to top-level windows as the system tells them.
class SysColors : NoCopy {
public:
    explicit SysColors(const std::vector<std::pair<int, COLORREF>> &colors);
    ~SysColors();

private:
    std::vector<int> indexes_;
    std::vector<COLORREF> old_;
};

}  // namespace qxt
