// A screen reader's side: its questions to a window's object, and the WinEvents of chosen windows.
#pragma once
#include <ole2.h>
#include <oleacc.h>
#include <windows.h>

#include "harness.h"

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

// A text answer: the result and the text, null or not (Narrow: in the ANSI code page).
struct Text { HRESULT hr; bool null; std::wstring text; };
std::string Narrow(const std::wstring &text);
Text Name(IAccessible *acc, long child = CHILDID_SELF);
Text Value(IAccessible *acc, long child = CHILDID_SELF);

// A number answer: the result and the number, 0 unless a VT_I4.
struct Number { HRESULT hr; long value; };
Number Of(HRESULT hr, const VARIANT &v);

// An element in one line, "text 'Amount:' ='12' [focused focusable] do 'Press' key 'Alt+A' parts 2"
// (no name '-'), or "all <result>" where every question is refused alike (" but <result>" else).
std::string Heard(IAccessible *acc, long child = CHILDID_SELF);

HRESULT SetValue(IAccessible *acc, const wchar_t *text, UINT length, long child = CHILDID_SELF);
HRESULT SetValue(IAccessible *acc, const wchar_t *text, long child = CHILDID_SELF);

// A WinEvent about an element of a window's client area.
struct Event { DWORD event; HWND hwnd; LONG child; };

// Records while it lives the events from `first` to `last` of the watched windows (all while none).
class EventRecorder : NoCopy {
public:
    EventRecorder(DWORD first, DWORD last);
    ~EventRecorder();

    void Watch(HWND hwnd) { watched.push_back(hwnd); }
    // Pumps until `count` events came, then a little longer for any more.
    const std::vector<Event> &Wait(size_t count);
    // "V" value, "S" state, "N" name, then the part's number, "@<id>" if not `main`: "S1 V S@100".
    std::string Heard(HWND main) const;

    std::vector<HWND> watched;
    std::vector<Event> events;

private:
    static void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD);
    HWINEVENTHOOK hook_;
};

}  // namespace qxt
