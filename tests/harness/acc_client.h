// A screen reader's side: what it asks a window's accessible object, each
// answer one comparable value, and a hook recording the WinEvents of chosen
// windows. The test thread is a single-threaded apartment. Programs that use
// it link oleacc, oleaut32 and ole32.
#pragma once
#include <ole2.h>
#include <oleacc.h>
#include <windows.h>

#include "harness.h"

#include <ostream>
#include <string>
#include <vector>

namespace qxt {

// The accessible object of a window's client area.
class Acc : NoCopy {
public:
    explicit Acc(HWND hwnd);
    ~Acc();
    IAccessible *operator->() const { return p; }
    IAccessible *p = nullptr;
    HRESULT hr;
};

VARIANT Child(long id);
// A result's name ("S_OK", "E_INVALIDARG", ...), or its number.
std::string ResultName(HRESULT hr);

// A text answer: the result, and the text (null or not), narrowed to the
// ANSI code page by Narrow.
struct Text {
    HRESULT hr;
    bool null;
    std::wstring text;
    bool operator==(const Text &o) const { return hr == o.hr && null == o.null && text == o.text; }
};
void PrintTo(const Text &t, std::ostream *os);
std::string Narrow(const std::wstring &text);

Text Name(IAccessible *acc, long child = CHILDID_SELF);
Text Value(IAccessible *acc, long child = CHILDID_SELF);
Text Shortcut(IAccessible *acc, long child = CHILDID_SELF);
Text Action(IAccessible *acc, long child = CHILDID_SELF);

// A number answer: the result and the number, 0 unless a VT_I4.
struct Number {
    HRESULT hr;
    long value;
};
Number Of(HRESULT hr, const VARIANT &v);
Number Role(IAccessible *acc, long child = CHILDID_SELF);
Number State(IAccessible *acc, long child = CHILDID_SELF);

// What a client hears of an element in one line, as "text 'Amount:' ='12'
// [focused focusable] do 'Press' key 'Alt+A' parts 2" (a missing name '-',
// a missing value, action or shortcut left out), or "all <result>" where
// every question is refused alike (" but <result>" for each other answer).
std::string Heard(IAccessible *acc, long child = CHILDID_SELF);

HRESULT SetValue(IAccessible *acc, const wchar_t *text, UINT length, long child = CHILDID_SELF);
HRESULT SetValue(IAccessible *acc, const wchar_t *text, long child = CHILDID_SELF);

// A WinEvent about an element of a window's client area.
struct Event {
    DWORD event;
    HWND hwnd;
    LONG child;
};

// Records, while it lives (one at a time), the events from `first` to
// `last` for the watched windows (all of the process while none is).
class EventRecorder : NoCopy {
public:
    EventRecorder(DWORD first, DWORD last);
    ~EventRecorder();

    void Watch(HWND hwnd) { watched.push_back(hwnd); }
    // Pumps until `count` events came, then a little longer for any more.
    const std::vector<Event> &Wait(size_t count);
    // The events as "V" (value), "S" (state), "N" (name), a part's number
    // after the letter, "@<id>" for a window but `main`: "S1 V S@100".
    std::string Heard(HWND main) const;

    std::vector<HWND> watched;
    std::vector<Event> events;

private:
    static void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                                DWORD);
    HWINEVENTHOOK hook_;
};

}  // namespace qxt
