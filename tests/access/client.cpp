#include "client.h"

#include <algorithm>

#include "harness.h"

namespace qxt {

namespace {

// Written out: IID_IAccessible of mingw's import library is no GUID.
const IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

class ComEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { CoUninitialize(); }
};
const auto *const kCom = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

using TextGetter = HRESULT(STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR *);
Text Get(IAccessible *acc, TextGetter getter, long child) {
    BSTR b = reinterpret_cast<BSTR>(1);  // must be replaced in every case
    Text t;
    t.hr = (acc->*getter)(Child(child), &b);
    t.null = b == nullptr;
    if (b && b != reinterpret_cast<BSTR>(1)) t.text.assign(b, SysStringLen(b));
    if (b != reinterpret_cast<BSTR>(1)) SysFreeString(b);
    return t;
}

using NumberGetter = HRESULT(STDMETHODCALLTYPE IAccessible::*)(VARIANT, VARIANT *);
Number Get(IAccessible *acc, NumberGetter getter, long child) {
    VARIANT v;
    V_VT(&v) = VT_BSTR;  // must be replaced in every case
    const HRESULT hr = (acc->*getter)(Child(child), &v);
    return Of(hr, v);
}

EventRecorder *g_recorder;

}  // namespace

Acc::Acc(HWND hwnd) {
    hr = AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void **>(&p));
}

Acc::~Acc() {
    if (p) p->Release();
}

VARIANT Child(long id) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = id;
    return v;
}

void PrintTo(const Text &t, std::ostream *os) {
    *os << "{hr 0x" << std::hex << static_cast<unsigned long>(t.hr) << std::dec;
    if (t.null) {
        *os << ", null}";
        return;
    }
    *os << ", L\"";
    for (wchar_t c : t.text)
        if (c >= 0x20 && c < 0x7F)
            *os << static_cast<char>(c);
        else
            *os << "\\u" << std::hex << static_cast<unsigned>(c) << std::dec;
    *os << "\"}";
}
Text None(HRESULT hr) { return {hr, true, L""}; }
Text Ok(const wchar_t *text) { return {S_OK, false, text}; }
Text Ok(const std::string &text) {
    std::wstring wide(text.size(), L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                      static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 0);
    return {S_OK, false, wide};
}

Text Name(IAccessible *acc, long child) { return Get(acc, &IAccessible::get_accName, child); }
Text Value(IAccessible *acc, long child) { return Get(acc, &IAccessible::get_accValue, child); }
Text Shortcut(IAccessible *acc, long child) { return Get(acc, &IAccessible::get_accKeyboardShortcut, child); }
Text Action(IAccessible *acc, long child) { return Get(acc, &IAccessible::get_accDefaultAction, child); }

void PrintTo(const Number &n, std::ostream *os) {
    *os << "{hr 0x" << std::hex << static_cast<unsigned long>(n.hr) << ", vt " << std::dec << n.vt << ", 0x"
        << std::hex << n.value << std::dec << "}";
}
Number I4(long value) { return {S_OK, VT_I4, value}; }
Number Empty(HRESULT hr) { return {hr, VT_EMPTY, 0}; }
Number Of(HRESULT hr, const VARIANT &v) { return {hr, V_VT(&v), V_VT(&v) == VT_I4 ? V_I4(&v) : 0}; }

Number Role(IAccessible *acc, long child) { return Get(acc, &IAccessible::get_accRole, child); }
Number State(IAccessible *acc, long child) { return Get(acc, &IAccessible::get_accState, child); }

HRESULT SetValue(IAccessible *acc, const wchar_t *text, UINT length, long child) {
    BSTR b = text ? SysAllocStringLen(text, length) : nullptr;
    const HRESULT hr = acc->put_accValue(Child(child), b);
    SysFreeString(b);
    return hr;
}
HRESULT SetValue(IAccessible *acc, const wchar_t *text, long child) {
    return SetValue(acc, text, text ? static_cast<UINT>(wcslen(text)) : 0, child);
}

ULONG Refs(IUnknown *p) {
    p->AddRef();
    return p->Release();
}

void PrintTo(const Event &e, std::ostream *os) {
    *os << "{0x" << std::hex << e.event << ", " << e.hwnd << ", " << std::dec << e.child << "}";
}

EventRecorder::EventRecorder(DWORD first, DWORD last) {
    g_recorder = this;
    hook_ = SetWinEventHook(first, last, nullptr, Record, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    EXPECT_NE(hook_, nullptr);
}

EventRecorder::~EventRecorder() {
    if (hook_) UnhookWinEvent(hook_);
    g_recorder = nullptr;
}

void CALLBACK EventRecorder::Record(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                                    DWORD) {
    EventRecorder *r = g_recorder;
    if (r && object == OBJID_CLIENT && std::find(r->watched.begin(), r->watched.end(), hwnd) != r->watched.end())
        r->events.push_back({event, hwnd, child});
}

const std::vector<Event> &EventRecorder::Wait(size_t count) {
    PumpUntil([&] { return events.size() >= count; }, 5000);
    PumpFor(100);  // anything more would arrive now
    return events;
}

}  // namespace qxt
