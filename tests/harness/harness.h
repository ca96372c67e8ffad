// Test harness for window controls under Wine: a parent window that records
// the notifications it receives, input and clipboard helpers, pixel read-back,
// and the environment the runner set up for the test program.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace qxt {

// ---- Environment ---------------------------------------------------------

// The prefix the runner chose: true when visual styles are switched off.
bool ClassicPrefix();
// The version the runner asked Wine to report ("default", "nt40", ...).
std::string RequestedVersion();
// dwMajorVersion as the system reports it.
DWORD OsMajor();
// The test program's instance: the tests register the classes for it and
// create their windows in it, as a host does.
HINSTANCE HostInstance();

// ---- Messages ------------------------------------------------------------

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

// ---- The recording parent -------------------------------------------------

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
    // Answer colour requests with no brush at all (null).
    void AnswerNullBrush();

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

// ---- Keyboard and mouse ----------------------------------------------------

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

// ---- Clipboard -------------------------------------------------------------

bool SetClipboardText(const char *text);
// CF_TEXT of the clipboard, or nullopt-like "missing" flag.
bool ClipboardText(std::string *text);
// CF_UNICODETEXT as UTF-8-free narrow text (ASCII only), for comparisons.
bool ClipboardUnicodeText(std::string *text);
void EmptyClipboardNow();

// ---- Pixels ----------------------------------------------------------------

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

private:
    int width_ = 0, height_ = 0;
    std::vector<COLORREF> data_;
};

// Paints a window now (UpdateWindow, with an invalidation first).
void Repaint(HWND hwnd);

std::string Describe(COLORREF c);

}  // namespace qxt
