#include "acc_client.h"

#include <algorithm>
#include <cstdio>

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

std::string ResultName(HRESULT hr) {
    static const struct { HRESULT hr; const char *name; } names[] = {
        {S_OK, "S_OK"}, {S_FALSE, "S_FALSE"}, {E_INVALIDARG, "E_INVALIDARG"}, {E_ACCESSDENIED, "E_ACCESSDENIED"},
        {E_NOTIMPL, "E_NOTIMPL"}, {E_PENDING, "E_PENDING"}, {DISP_E_MEMBERNOTFOUND, "DISP_E_MEMBERNOTFOUND"},
        {RPC_E_DISCONNECTED, "RPC_E_DISCONNECTED"}};
    for (const auto &n : names)
        if (n.hr == hr) return n.name;
    char number[16];
    std::snprintf(number, sizeof number, "0x%08lX", static_cast<unsigned long>(hr));
    return number;
}

std::string Narrow(const std::wstring &text) {
    std::string narrow(text.size() * 2, '\0');
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &narrow[0],
                                      static_cast<int>(narrow.size()), nullptr, nullptr);
    narrow.resize(n > 0 ? n : 0);
    return narrow;
}

Text Name(IAccessible *acc, long child) { return Get(acc, &IAccessible::get_accName, child); }
Text Value(IAccessible *acc, long child) { return Get(acc, &IAccessible::get_accValue, child); }
Number Of(HRESULT hr, const VARIANT &v) { return {hr, V_VT(&v) == VT_I4 ? V_I4(&v) : 0}; }

std::string Heard(IAccessible *a, long id) {
    const VARIANT child = Child(id);
    const Number role = Get(a, &IAccessible::get_accRole, id);
    if (FAILED(role.hr)) {
        BSTR b = nullptr;
        VARIANT v;
        long l = 0;
        IDispatch *d = nullptr;
        std::vector<HRESULT> answers = {
            a->get_accName(child, &b), a->get_accValue(child, &b), a->get_accDescription(child, &b),
            a->get_accHelp(child, &b), a->get_accState(child, &v), a->get_accDefaultAction(child, &b),
            a->get_accKeyboardShortcut(child, &b), a->accDoDefaultAction(child), a->put_accValue(child, nullptr),
            a->accLocation(&l, &l, &l, &l, child), a->accNavigate(NAVDIR_NEXT, child, &v),
            a->accSelect(SELFLAG_TAKEFOCUS, child)};
        if (role.hr == RPC_E_DISCONNECTED)  // nothing of the window answers
            answers.insert(answers.end(), {a->get_accParent(&d), a->get_accChildCount(&l), a->get_accChild(child, &d),
                                           a->get_accFocus(&v), a->get_accSelection(&v), a->accHitTest(5, 5, &v),
                                           a->put_accName(child, nullptr)});
        std::string heard = "all " + ResultName(role.hr);
        for (HRESULT hr : answers)
            if (hr != role.hr) heard += " but " + ResultName(hr);
        return heard + (b || d || l ? " with an answer" : "");
    }
    static const struct { long code; const char *name; } roles[] = {
        {ROLE_SYSTEM_TEXT, "text"}, {ROLE_SYSTEM_PUSHBUTTON, "button"}, {ROLE_SYSTEM_TABLE, "table"},
        {ROLE_SYSTEM_CELL, "cell"}};
    std::string heard = "role " + std::to_string(role.value);
    for (const auto &r : roles)
        if (r.code == role.value) heard = r.name;
    const auto text = [](const Text &t, const char *lead, HRESULT none) -> std::string {
        if (t.hr == S_OK) return lead + ("'" + Narrow(t.text) + "'");
        return t.hr == none ? "" : lead + ResultName(t.hr);
    };
    const Text name = Name(a, id);
    heard += name.hr == S_FALSE ? " -" : text(name, " ", S_FALSE);
    heard += text(Value(a, id), " =", DISP_E_MEMBERNOTFOUND) + " [";
    static const struct { long bit; const char *name; } states[] = {
        {STATE_SYSTEM_UNAVAILABLE, "unavailable"}, {STATE_SYSTEM_SELECTED, "selected"},
        {STATE_SYSTEM_FOCUSED, "focused"}, {STATE_SYSTEM_PRESSED, "pressed"}, {STATE_SYSTEM_READONLY, "readonly"},
        {STATE_SYSTEM_DEFAULT, "default"}, {STATE_SYSTEM_INVISIBLE, "invisible"},
        {STATE_SYSTEM_FOCUSABLE, "focusable"}, {STATE_SYSTEM_SELECTABLE, "selectable"}};
    long state = Get(a, &IAccessible::get_accState, id).value;
    for (const auto &s : states)
        if (state & s.bit) heard += std::string(heard.back() == '[' ? "" : " ") + s.name, state &= ~s.bit;
    heard += state ? " " + std::to_string(state) + "]" : "]";
    heard += text(Get(a, &IAccessible::get_accDefaultAction, id), " do ", S_FALSE) +
             text(Get(a, &IAccessible::get_accKeyboardShortcut, id), " key ", S_FALSE);
    long parts = 0;
    if (id == CHILDID_SELF && a->get_accChildCount(&parts) == S_OK && parts > 0)
        heard += " parts " + std::to_string(parts);
    return heard;
}

HRESULT SetValue(IAccessible *acc, const wchar_t *text, UINT length, long child) {
    BSTR b = text ? SysAllocStringLen(text, length) : nullptr;
    const HRESULT hr = acc->put_accValue(Child(child), b);
    SysFreeString(b);
    return hr;
}
HRESULT SetValue(IAccessible *acc, const wchar_t *text, long child) {
    return SetValue(acc, text, text ? static_cast<UINT>(wcslen(text)) : 0, child);
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
    if (r && object == OBJID_CLIENT &&
        (r->watched.empty() || std::find(r->watched.begin(), r->watched.end(), hwnd) != r->watched.end()))
        r->events.push_back({event, hwnd, child});
}

const std::vector<Event> &EventRecorder::Wait(size_t count) {
    PumpUntil([&] { return events.size() >= count; }, 5000);
    PumpFor(100);  // anything more would arrive now
    return events;
}

std::string EventRecorder::Heard(HWND main) const {
    std::string heard;
    for (const Event &e : events) {
        heard += heard.empty() ? "" : " ";
        heard += e.event == EVENT_OBJECT_VALUECHANGE ? "V" : e.event == EVENT_OBJECT_STATECHANGE ? "S"
               : e.event == EVENT_OBJECT_NAMECHANGE  ? "N" : std::to_string(e.event);
        if (e.child) heard += std::to_string(e.child);
        if (e.hwnd != main) heard += "@" + std::to_string(GetDlgCtrlID(e.hwnd));
    }
    return heard;
}

}  // namespace qxt
