// Test harness for window controls under Wine: a parent that records what it
// receives, input and clipboard drivers, pixel read-back, the environment.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace qxt {

// The prefix the runner chose: true when visual styles are switched off.
bool ClassicPrefix();
// The version the runner asked Wine to report ("default", "nt40", ...).
std::string RequestedVersion();
// dwMajorVersion as the system reports it.
DWORD OsMajor();
// The test program's instance, where the tests register the classes.
HINSTANCE HostInstance();

// Dispatches every queued message of this thread.
void Pump();
// Runs the message loop for about ms milliseconds (timers fire).
void PumpFor(DWORD ms);
// Runs the message loop until pred() holds or ms milliseconds have passed.
bool PumpUntil(const std::function<bool()> &pred, DWORD ms);
// Runs the message loop until the event is signalled (a thread's sign to
// this one, which wakes it as a message does) or ms milliseconds have passed.
bool PumpUntilSignaled(HANDLE event, DWORD ms);

// Counts the access violations raised while it lives, before the system may
// swallow them (Wine does in timer callbacks and some sent messages).
class FaultCounter {
public:
    FaultCounter();
    ~FaultCounter();
    FaultCounter(const FaultCounter &) = delete;
    FaultCounter &operator=(const FaultCounter &) = delete;
    LONG Faults() const;

private:
    void *handler_;
};

struct Notification {
    WORD id;
    WORD code;
    HWND from;
    bool operator==(const Notification &o) const {
        return id == o.id && code == o.code && from == o.from;
    }
};

// A visible top-level window at a fixed place that records every WM_COMMAND
// and every colour request it receives, and can answer the colour requests.
class ParentWindow {
public:
    explicit ParentWindow(int width = 400, int height = 200);
    ~ParentWindow();
    ParentWindow(const ParentWindow &) = delete;
    ParentWindow &operator=(const ParentWindow &) = delete;

    HWND hwnd() const { return hwnd_; }

    // Creates a child of this window with the given class, text and style
    // (WS_CHILD | WS_VISIBLE are added), in the host's instance.
    HWND CreateChild(const char *cls, const char *text, DWORD style, int x, int y, int w, int h,
                     int id = 1);

    const std::vector<Notification> &Notifications() const { return notes_; }
    void ClearNotifications() { notes_.clear(); }

    // Colour messages received (WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC, ...), in order.
    const std::vector<UINT> &ColorRequests() const { return colorRequests_; }
    void ClearColorRequests() { colorRequests_.clear(); }
    // Answer colour requests with these colours and a brush of `back`; without
    // a call the default window procedure answers.
    void AnswerColors(COLORREF text, COLORREF back);
    // Answer colour requests with no brush at all (null), or as the default
    // window procedure does.
    void AnswerNullBrush() { colorMode_ = ColorMode::NullBrush; }
    void AnswerDefault() { colorMode_ = ColorMode::Default; }

    // Called for each recorded WM_COMMAND, inside the control's operation.
    std::function<void(const Notification &)> onCommand;
    // Called for every message the parent receives, before it is handled
    // (colour requests and WM_PARENTNOTIFY included).
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

// Compares recorded notifications with an expected table; on a mismatch the
// message shows both tables.
::testing::AssertionResult SameNotifications(const std::vector<Notification> &expected,
                                             const std::vector<Notification> &actual);

// kAltGr: the right Alt key of a layout that has AltGr, which the system
// reports as the left Ctrl key and the right Alt key down together.
enum Modifiers { kNoMods = 0, kShift = 1, kCtrl = 2, kAltGr = 4 };

// Holds Shift, Ctrl and/or AltGr down (GetKeyState reports them) until
// destroyed.
class HeldKeys {
public:
    explicit HeldKeys(int mods);
    ~HeldKeys();
    HeldKeys(const HeldKeys &) = delete;
    HeldKeys &operator=(const HeldKeys &) = delete;
};

// WM_KEYDOWN then WM_KEYUP of a virtual key, with the modifiers held.
void SendKey(HWND hwnd, UINT vk, int mods = kNoMods);
// A typed character: WM_KEYDOWN of its key, WM_CHAR, WM_KEYUP.
void SendChar(HWND hwnd, char ch, int mods = kNoMods);
void TypeText(HWND hwnd, const char *text);
// Queues the key messages of a text (as a user typing ahead) without
// dispatching them; Pump() delivers them.
void PostText(HWND hwnd, const char *text);

void MouseDown(HWND hwnd, int x, int y, int mods = kNoMods);
void MouseUp(HWND hwnd, int x, int y, int mods = kNoMods);
void MouseMove(HWND hwnd, int x, int y, bool leftHeld = false);
void DoubleClick(HWND hwnd, int x, int y);
void Click(HWND hwnd, int x, int y, int mods = kNoMods);
// WM_MOUSEWHEEL with a delta (120 a notch), the pointer at the window's origin.
void Wheel(HWND hwnd, int delta);

bool SetClipboardText(const char *text);
// The clipboard's CF_TEXT, and its CF_UNICODETEXT as narrow text (past
// ASCII as '?'); false when there is none.
bool ClipboardText(std::string *text);
bool ClipboardUnicodeText(std::string *text);
void EmptyClipboardNow();

// A copy of a window's client area (or the whole window), read back from the
// window's device context.
class Pixels {
public:
    explicit Pixels(HWND hwnd, bool wholeWindow = false);
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF At(int x, int y) const;
    // Number of pixels of a colour in a rectangle (right and bottom exclusive).
    int Count(COLORREF color, const RECT &r) const;
    int Count(COLORREF color) const;
    // Number of pixels in a rectangle that are not of the given colour.
    int CountOther(COLORREF color, const RECT &r) const;
    // Number of pixels that differ from another copy's (every pixel, when
    // the sizes differ).
    int Differences(const Pixels &other) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<COLORREF> data_;
};

// A memory device context with objects of its own selected (a 32-bit bitmap,
// a font, a pen, a brush) and its colours, modes and origin set, for a
// window to paint into through WM_PRINTCLIENT; and whether the window left
// every one of them as it found them.
class PrintTarget {
public:
    PrintTarget(int width, int height);
    ~PrintTarget();
    PrintTarget(const PrintTarget &) = delete;
    PrintTarget &operator=(const PrintTarget &) = delete;

    // WM_PRINTCLIENT with the client area asked for.
    void Print(HWND hwnd);
    // The names of what is not as it was made ("" when nothing).
    std::string Changed() const;
    // Pixels that differ from the window's own client area.
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

// Paints a window now (UpdateWindow, with an invalidation first).
void Repaint(HWND hwnd);

std::string Describe(COLORREF c);

// The tooltip windows of this thread (the edits' tips): how many there are,
// and the one shown (null when none is).
int TipWindows();
HWND ShownTip();
std::string WindowText(HWND hwnd);

// Counts the calls of MessageBeep that a module (the DLL, or the program
// that links the library) makes while it lives: its import of the function
// points here meanwhile, and nothing is heard.
class BeepCounter {
public:
    explicit BeepCounter(HMODULE module);
    ~BeepCounter();
    BeepCounter(const BeepCounter &) = delete;
    BeepCounter &operator=(const BeepCounter &) = delete;
    int Beeps() const;

private:
    void **slot_;
    void *real_;
};

// Turns visual styles off for one window, or back on, and tells it as the
// system tells every window when they are switched (WM_THEMECHANGED): off,
// the window's theme class lists are replaced by one that no theme has, so
// that every theme it opens is null. Its children are not touched.
void SetWindowStyles(HWND hwnd, bool on);

// Windows this thread creates while it lives are born with visual styles off
// (SetWindowStyles at their creation, before any message of theirs).
class ClassicBirths {
public:
    ClassicBirths();
    ~ClassicBirths();
    ClassicBirths(const ClassicBirths &) = delete;
    ClassicBirths &operator=(const ClassicBirths &) = delete;

private:
    HHOOK hook_;
};

// System colours set while it lives and put back at the end (Wine keeps
// such a change for every later program of the prefix until its server
// stops). Windows learn of both changes as the system tells top-level ones.
class SysColors {
public:
    explicit SysColors(const std::vector<std::pair<int, COLORREF>> &colors);
    ~SysColors();
    SysColors(const SysColors &) = delete;
    SysColors &operator=(const SysColors &) = delete;

private:
    std::vector<int> indexes_;
    std::vector<COLORREF> old_;
};

}  // namespace qxt
