// The client's side of the accessibility tests: what a screen reader asks a
// window through AccessibleObjectFromWindow, with each answer as one
// comparable value (result and text, result and number), and a WinEvent
// hook that records the events raised for chosen windows. The test thread is
// a single-threaded apartment, as a host's user-interface thread usually is.
#pragma once
#include <ole2.h>
#include <oleacc.h>
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace qxt {

// The accessible object of a window's client area.
class Acc {
public:
    explicit Acc(HWND hwnd);
    ~Acc();
    Acc(const Acc &) = delete;
    Acc &operator=(const Acc &) = delete;
    IAccessible *operator->() const { return p; }
    IAccessible *p = nullptr;
    HRESULT hr;
};

VARIANT Child(long id);

// A text answer: the result, and the text (null or not).
struct Text {
    HRESULT hr;
    bool null;
    std::wstring text;
    bool operator==(const Text &o) const { return hr == o.hr && null == o.null && text == o.text; }
};
void PrintTo(const Text &t, std::ostream *os);
Text None(HRESULT hr);
Text Ok(const wchar_t *text);
// The same from a text of the ANSI code page.
Text Ok(const std::string &text);

Text Name(IAccessible *acc, long child = CHILDID_SELF);
Text Value(IAccessible *acc, long child = CHILDID_SELF);
Text Shortcut(IAccessible *acc, long child = CHILDID_SELF);
Text Action(IAccessible *acc, long child = CHILDID_SELF);

// A number answer (role, state) and its type.
struct Number {
    HRESULT hr;
    VARTYPE vt;
    long value;
    bool operator==(const Number &o) const { return hr == o.hr && vt == o.vt && value == o.value; }
};
void PrintTo(const Number &n, std::ostream *os);
Number I4(long value);
Number Empty(HRESULT hr);
Number Of(HRESULT hr, const VARIANT &v);

Number Role(IAccessible *acc, long child = CHILDID_SELF);
Number State(IAccessible *acc, long child = CHILDID_SELF);

HRESULT SetValue(IAccessible *acc, const wchar_t *text, UINT length, long child = CHILDID_SELF);
HRESULT SetValue(IAccessible *acc, const wchar_t *text, long child = CHILDID_SELF);

ULONG Refs(IUnknown *p);

// One WinEvent about an element of a window's client area (OBJID_CLIENT):
// the window itself (CHILDID_SELF) or one of its parts.
struct Event {
    DWORD event;
    HWND hwnd;
    LONG child;
    bool operator==(const Event &o) const { return event == o.event && hwnd == o.hwnd && child == o.child; }
};
void PrintTo(const Event &e, std::ostream *os);

// Records, out of context, the events from `first` to `last` raised for the
// client areas of the watched windows, while it lives (one at a time).
class EventRecorder {
public:
    EventRecorder(DWORD first, DWORD last);
    ~EventRecorder();
    EventRecorder(const EventRecorder &) = delete;
    EventRecorder &operator=(const EventRecorder &) = delete;

    void Watch(HWND hwnd) { watched.push_back(hwnd); }
    // Pumps until `count` events came, then a little longer for any more.
    const std::vector<Event> &Wait(size_t count);
    void Clear() { events.clear(); }

    std::vector<HWND> watched;
    std::vector<Event> events;

private:
    static void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                                DWORD);
    HWINEVENTHOOK hook_;
};

}  // namespace qxt
