// The client's side of the accessibility tests: what a screen reader asks a
// window through AccessibleObjectFromWindow, each answer one comparable value
// (result and text, result and number), and a WinEvent hook that records the
// events raised for chosen windows. The test thread is a single-threaded
// apartment, as a host's user-interface thread usually is. Programs that use
// it link oleacc, oleaut32 and ole32.
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
// A result's name ("S_OK", "E_INVALIDARG", ...), or its number.
std::string ResultName(HRESULT hr);

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
// The text in the ANSI code page.
std::string Narrow(const std::wstring &text);

Text Name(IAccessible *acc, long child = CHILDID_SELF);
Text Value(IAccessible *acc, long child = CHILDID_SELF);
Text Shortcut(IAccessible *acc, long child = CHILDID_SELF);
Text Action(IAccessible *acc, long child = CHILDID_SELF);

// A number answer (role, state, a navigation's end): the result and the
// number, 0 unless the answer is a VT_I4.
struct Number {
    HRESULT hr;
    long value;
};
Number Of(HRESULT hr, const VARIANT &v);
Number Role(IAccessible *acc, long child = CHILDID_SELF);
Number State(IAccessible *acc, long child = CHILDID_SELF);

// What a client hears of an element, in one line:
//   <role> <name> [=<value>] [<states>] [do <action>] [key <shortcut>] [parts <n>]
// e.g. "text 'Amount:' ='12' [focused focusable] key 'Alt+A' parts 2": texts
// quoted, a missing name '-', a missing value, action or shortcut left out.
// An element that every question refuses alike is "all <result>" (with
// " but <result>" for each question that answered otherwise).
std::string Heard(IAccessible *acc, long child = CHILDID_SELF);

HRESULT SetValue(IAccessible *acc, const wchar_t *text, UINT length, long child = CHILDID_SELF);
HRESULT SetValue(IAccessible *acc, const wchar_t *text, long child = CHILDID_SELF);

// One WinEvent about an element of a window's client area (OBJID_CLIENT).
struct Event {
    DWORD event;
    HWND hwnd;
    LONG child;
};

// Records, out of context, the events from `first` to `last` raised for the
// client areas of the watched windows (of every window of the process while
// none is watched), while it lives (one at a time).
class EventRecorder {
public:
    EventRecorder(DWORD first, DWORD last);
    ~EventRecorder();
    EventRecorder(const EventRecorder &) = delete;
    EventRecorder &operator=(const EventRecorder &) = delete;

    void Watch(HWND hwnd) { watched.push_back(hwnd); }
    // Pumps until `count` events came, then a little longer for any more.
    const std::vector<Event> &Wait(size_t count);
    // The events so far, as "V" (value), "S" (state), "N" (name), a part's
    // number after the letter, "@<id>" for a watched window but `main`:
    // "S1 V S1".
    std::string Heard(HWND main) const;

    std::vector<HWND> watched;
    std::vector<Event> events;

private:
    static void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                                DWORD);
    HWINEVENTHOOK hook_;
};

}  // namespace qxt
