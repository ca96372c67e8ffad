// The events, each drawn from the class's stream by its weight in the class's group.
#include <windows.h>
#include <ole2.h>
#include <oleacc.h>
#include <uxtheme.h>

#include <atomic>
#include <algorithm>
#include <climits>
#include <thread>

#include "harness.h"
#include "oracle.h"
#include "soak.h"

namespace qxs {
namespace {

using qxt::KeyParam;
using qxt::Point;

// A key's down, character (0: none) and up, sent or posted; vk 0: the character alone; alt: the system's.
void Press(Soak &s, UINT vk, int ch, bool posted, bool alt = false, bool sys = false) {
    auto send = [&](UINT msg, WPARAM wp, LPARAM lp) {
        posted ? PostMessageA(s.control_, msg, wp, lp) : SendMessageA(s.control_, msg, wp, lp);
    };
    sys = sys || alt;
    if (vk) send(sys ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, KeyParam(vk, false, alt));
    if (ch) send(alt ? WM_SYSCHAR : WM_CHAR, static_cast<WPARAM>(ch & 0xFF), KeyParam(vk, false, alt));
    if (vk) send(sys ? WM_SYSKEYUP : WM_KEYUP, vk, KeyParam(vk, true, alt));
    if (posted) s.Pump();
}

// The character a key types with Shift, Ctrl, AltGr (1, 2, 4) on a layout with AltGr; 0 for none.
int TypedBy(UINT vk, int mods) {
    const bool shift = mods & 1, ctrl = (mods & 2) && !(mods & 4), altGr = mods & 4;
    if (vk >= 'A' && vk <= 'Z') return altGr ? "@&#{}[]"[vk % 7] : ctrl ? vk - 'A' + 1 : shift ? vk : vk - 'A' + 'a';
    if (vk >= '0' && vk <= '9') return shift ? ")!@#$%^&*("[vk - '0'] : static_cast<int>(vk);
    const UINT vks[] = {VK_BACK, VK_RETURN, VK_ESCAPE, VK_TAB, VK_SPACE};
    const int plain[] = {0x08, 0x0D, 0x1B, 0x09, ' '}, withCtrl[] = {0x7F, 0x0A, 0x1B, 0x09, ' '};
    for (int i = 0; i < 5; ++i)
        if (vk == vks[i]) return ctrl ? withCtrl[i] : plain[i];
    return 0;
}

// Keystrokes sent or typed ahead: keys with modifiers and the characters a layout gives, or a mask's value.
void Keys(Soak &s) {
    static const UINT kKeys[] = {VK_LEFT,  VK_RIGHT,   VK_HOME, VK_END,    VK_DELETE, VK_BACK, VK_INSERT, VK_UP,
                                 VK_DOWN,  VK_PRIOR,   VK_NEXT, VK_RETURN, VK_ESCAPE, VK_TAB,  VK_SPACE,  'A',
                                 'C',      'V',        'X',     'Z',       'Y',       '1',     VK_APPS,   VK_F10,
                                 VK_SHIFT, VK_CONTROL, VK_MENU, VK_LEFT,   VK_RIGHT,  VK_BACK, VK_DELETE, VK_END};
    Rng &r = s.rng_;
    const bool posted = r.OneIn(5);
    const std::string value =
        s.model_.hasMask && s.info_.kind != Kind::kInt && r.OneIn(4) ? s.ValueFor(s.model_.mask, true) : "";
    if (!value.empty()) Press(s, VK_HOME, 0, posted);
    for (int n = value.empty() ? r.OneIn(3) ? r.Between(2, 8) : 1 : static_cast<int>(value.size()), i = 0; i < n; ++i) {
        UINT vk = r.OneIn(12) ? static_cast<UINT>(r.Below(256)) : r.Pick(kKeys);
        int mods = r.Coin() ? 0 : r.Between(1, 7), ch = r.OneIn(5) ? 0 : TypedBy(vk, mods);
        const bool alt = r.OneIn(10), key = value.empty() && r.Coin();
        if (r.OneIn(20)) ch = r.Between(1, 255);
        if (!key) {
            ch = static_cast<BYTE>(value.empty() ? s.ClassChar() : value[i]);
            const SHORT scan = VkKeyScanA(static_cast<char>(ch));
            vk = scan == -1 || r.OneIn(3) ? 0 : LOBYTE(scan);
            mods = scan != -1 && (HIBYTE(scan) & 1) ? 1 : r.OneIn(4) ? r.Between(1, 7) : 0;
        }
        auto press = [&] {
            qxt::SetHeldKeys(mods | (key && alt ? qxt::kAlt : 0)), Press(s, vk, ch, posted, key && alt, vk == VK_F10);
        };
        if (key && (alt || vk == VK_F10 || vk == VK_APPS)) s.WithMenuCloser(press);
        else press();
    }
}

// A plain edit pastes the clipboard's first line over the selection, the caret after it, or changes nothing.
void PasteEvent(Soak &s) {
    Rng &r = s.rng_;
    HWND h = s.control_;
    const int kind = r.Below(4), how = r.Below(4);
    std::string bytes;
    for (int i = kind == 0 ? r.Between(0, 90) : 0; i > 0; --i)
        bytes += static_cast<char>(r.OneIn(6) ? r.Between(0, 31) : r.Between(32, 255));
    if (kind == 1 || kind == 2) bytes = s.RandomText(80);
    if (kind != 0 && r.OneIn(4)) bytes += r.Coin() ? "\r\n" + s.RandomText(10) : "\n";
    const bool terminated = !r.OneIn(4);
    s.SetClipboard(kind == 3 ? "" : bytes, kind != 3 && terminated);
    const std::string before = s.Text(h);
    DWORD a = 0, c = 0, a2 = 0, c2 = 0;
    SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&c));
    const Soak::Mark mark = s.Now();
    if (how == 0) SendMessageA(h, WM_PASTE, 0, 0);
    if (how == 1 || how == 2) qxt::SetHeldKeys(how == 1 ? qxt::kCtrl : qxt::kShift), Press(s, how == 1 ? 'V' : VK_INSERT, 0, false);
    if (how == 3)
        s.WithMenuCloser([&] { s.menuChoice_ = 4, SendMessageA(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), -1); });
    if (s.info_.kind != Kind::kEdit || kind == 3 || !terminated || !s.Calm(mark) || s.hostSet_) return;
    const std::string line = bytes.substr(0, std::min<size_t>(bytes.find_first_of(std::string("\r\n\0", 3)), 63));
    const DWORD lo = std::min(a, c), end = static_cast<DWORD>(lo + line.size());
    SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&a2), reinterpret_cast<LPARAM>(&c2));
    const std::string after = s.Text(h);
    s.Expect((after == before && a2 == a && c2 == c) ||
                 (after == before.substr(0, lo) + line + before.substr(std::max(a, c)) && a2 == end && c2 == end),
             "a paste puts the clipboard's first line over the selection, the caret after it, or changes nothing");
}

void EditCommand(Soak &s) {
    static const UINT kMsgs[] = {WM_COPY, WM_CUT, WM_CLEAR, WM_UNDO, EM_UNDO, EM_CANUNDO, EM_EMPTYUNDOBUFFER};
    const UINT msg = s.rng_.Pick(kMsgs);
    const LRESULT r = SendMessageA(s.control_, msg, 0, 0);
    if (msg == EM_CANUNDO || msg == EM_UNDO) s.Expect(r == 0 || r == 1, "EM_CANUNDO or EM_UNDO answers TRUE or FALSE");
}

void SetSelEvent(Soak &s) {
    Rng &r = s.rng_;
    auto pick = [&]() -> WPARAM {
        const WPARAM kEnds[] = {WPARAM(-1),      0, 65535, WPARAM(INT_MIN), INT_MAX, WPARAM(INT_PTR(r.Int32())),
                                WPARAM(r.Next())};
        return r.Coin() ? r.Pick(kEnds) : static_cast<WPARAM>(r.Between(0, 70));
    };
    const WPARAM a = pick(), c = pick();
    SendMessageA(s.control_, EM_SETSEL, a, static_cast<LPARAM>(c));
}

// A refused text changes nothing; a plain edit takes any without control characters, cut at 63 bytes.
void SetTextEvent(Soak &s) {
    Rng &r = s.rng_;
    HWND h = s.control_;
    const int kind = r.Below(6);
    const Kind k = s.info_.kind;
    std::string text = s.RandomText(300);
    const bool laid = (k == Kind::kPicture || k == Kind::kTime) && s.model_.hasMask, null = kind == 3;
    if (laid && kind >= 4) text = s.ValueFor(s.model_.mask, false);
    if (kind == 1) text = std::string(r.Between(64, 400), static_cast<char>(r.Between(32, 126)));
    if (kind == 2)
        text.insert(text.begin() + r.Below(static_cast<int>(text.size()) + 1), static_cast<char>(r.Between(1, 31)));
    if (null) text.clear();
    const std::string before = s.Text(h);
    const Soak::Mark mark = s.Now();
    const LRESULT taken = SendMessageA(h, WM_SETTEXT, 0, null ? 0 : reinterpret_cast<LPARAM>(text.c_str()));
    s.hostSet_ = true;
    if (!s.Calm(mark)) return;
    s.Expect(taken == TRUE || taken == FALSE, "WM_SETTEXT answers TRUE or FALSE");
    const std::string after = s.Text(h);
    if (!taken) s.ExpectText(after, before, "a refused WM_SETTEXT leaves the text as it was");
    if (laid && taken) s.ExpectText(after, LayText(s.model_.mask, text), "WM_SETTEXT lays the text over the mask");
    if ((laid && k == Kind::kPicture) || k == Kind::kEdit)
        s.Expect((taken != FALSE) == (std::find_if(text.begin(), text.end(), IsControl) == text.end()),
                 "a plain or picture edit takes every text without control characters");
    if (k == Kind::kEdit && taken)
        s.ExpectText(after, text.substr(0, 63), "the plain edit shows the text, cut at 63 bytes");
}

// Presses, moves, releases in, near or far from the control; a right click, a context menu, a wheel.
void MouseEvent(Soak &s) {
    static const UINT kMsgs[] = {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
    static const int kDeltas[] = {120, -120, 240, -360, 1, -1, 119, -119, 32767, -32768, 600};
    Rng &r = s.rng_;
    HWND h = s.control_;
    RECT rc;
    GetClientRect(h, &rc);
    auto at = [&](LONG size) {
        const int i = r.Below(10);
        return i < 7   ? r.Between(0, std::max(0, int(size) - 1))
               : i < 9 ? r.Between(-60, size + 60)
                       : r.Between(-32768, 32767);
    };
    const int how = r.Below(20), x = at(rc.right), y = at(rc.bottom);
    if (how < 2)
        return s.WithMenuCloser([&] {
            if (how == 1)
                return (void)SendMessageA(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), r.Coin() ? -1 : Point(x, y));
            SendMessageA(h, WM_RBUTTONDOWN, MK_RBUTTON, Point(x, y));
            SendMessageA(h, WM_RBUTTONUP, 0, Point(x, y));
        });
    if (how < 5) {
        POINT origin = {0, 0};
        ClientToScreen(h, &origin);
        const int delta = r.OneIn(6) ? r.Between(-32768, 32767) : r.Pick(kDeltas);
        return (void)SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), Point(origin.x, origin.y));
    }
    for (int i = r.Between(1, 4); i > 0; --i) {
        const int m = r.Below(5), mods = r.OneIn(5) ? r.Between(1, 2) : 0, x2 = at(rc.right), y2 = at(rc.bottom);
        qxt::SetHeldKeys(mods);
        SendMessageA(h, kMsgs[m], (mods & 1 ? MK_SHIFT : 0) | (mods & 2 ? MK_CONTROL : 0) | (m % 2 ? 0 : MK_LBUTTON),
                     Point(x2, y2));
    }
}

// A spin's arrow held through 1 to 3 ticks of its repetition, counted, not timed.
void SpinHold(Soak &s) {
    HWND h = s.control_;
    if (!(s.style_ & QXES_SPIN) || !s.rng_.OneIn(4)) return MouseEvent(s);
    const POINT arrow = qxt::SpinArrow(h, s.rng_.Coin());
    const int x = arrow.x, y = arrow.y;
    const int ticks = s.rng_.Between(1, 3);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
    bool ticked = true;
    for (int seen = 0; seen < ticks && ticked && IsWindow(h); ++seen) {
        ticked = false;
        for (DWORD start = GetTickCount(); !ticked && GetTickCount() - start < (seen ? 500u : 1000u);) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_TIMER);
            for (MSG msg; !ticked && PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE); DispatchMessageA(&msg))
                ticked = !msg.hwnd && msg.lParam;
        }
    }
    SendMessageA(h, WM_LBUTTONUP, 0, Point(x, y));
}

void FontEvent(Soak &s) {
    const int i = s.rng_.Below(6);
    HFONT f = i < 5 ? s.shared_.fonts[i] : nullptr;
    const Soak::Mark mark = s.Now();
    SendMessageA(s.control_, WM_SETFONT, reinterpret_cast<WPARAM>(f), s.rng_.Coin());
    if (IsEdit(s.info_.kind) && s.Calm(mark))
        s.Expect(reinterpret_cast<HFONT>(SendMessageA(s.control_, WM_GETFONT, 0, 0)) == f,
                 "WM_GETFONT answers the font set");
}

void SizeEvent(Soak &s) {
    static const int kSizes[] = {0, 1, 2, 3, 5, 8, 12, 17, 24, 40, 100, 200};
    Rng &r = s.rng_;
    int w = r.Pick(kSizes), h = r.Pick(kSizes);
    if (r.OneIn(3)) w = r.Between(0, 320), h = r.Between(0, 220);
    if (r.OneIn(40)) w = r.Between(1000, 3000), h = r.Between(300, 1200);
    if (r.OneIn(30)) w = -5, h = -7;
    SetWindowPos(s.control_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Visual styles off or on for the control and its children (a calendar's buttons), or a theme change.
void ThemeEvent(Soak &s) {
    const int i = s.rng_.Below(3);
    for (HWND w = s.control_; w && IsWindow(s.control_);
         w = w == s.control_ ? GetWindow(w, GW_CHILD) : GetWindow(w, GW_HWNDNEXT))
        i == 2 ? (void)SendMessageA(w, WM_THEMECHANGED, 0, 0)
               : (void)SetWindowTheme(w, i ? nullptr : L"", i ? nullptr : L"");
}

void StyleEvent(Soak &s) {
    static const DWORD kBits[] = {QXES_READONLY, QXES_RIGHT,  QXES_WRAP,        QXES_SPIN,
                                  QXES_EXPLAIN,  QXES_NOBEEP, BS_DEFPUSHBUTTON, WS_BORDER};
    const DWORD bit = s.rng_.Pick(kBits);
    SetWindowLongA(s.control_, GWL_STYLE, GetWindowLongA(s.control_, GWL_STYLE) ^ bit);
    SetWindowPos(s.control_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Invalidation and UpdateWindow, a full redraw, an empty WM_PAINT, WM_PRINTCLIENT leaving the DC as given.
void PaintEvent(Soak &s) {
    HWND h = s.control_;
    const int i = s.rng_.Below(4);
    if (i == 0) InvalidateRect(h, nullptr, s.rng_.Coin()), UpdateWindow(h);
    if (i == 1)
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (i == 2) ValidateRect(h, nullptr), SendMessageA(h, WM_PAINT, 0, 0);
    if (i < 3) return;
    qxt::PrintTarget target(64, 64);
    target.Print(h);
    if (!target.Changed().empty()) s.Fail("WM_PRINTCLIENT left the DC's " + target.Changed() + " changed");
}

void CalKey(Soak &s) {
    static const UINT kKeys[] = {VK_LEFT, VK_RIGHT, VK_UP,  VK_DOWN,  VK_PRIOR,
                                 VK_NEXT, VK_HOME,  VK_END, VK_SPACE, VK_RETURN};
    const UINT vk = s.rng_.OneIn(10) ? static_cast<UINT>(s.rng_.Below(256)) : s.rng_.Pick(kKeys);
    const int mods = s.rng_.OneIn(4) ? s.rng_.Between(1, 7) : 0;
    qxt::SetHeldKeys(mods);
    s.navigated_ = vk >= VK_LEFT && vk <= VK_DOWN;
    Press(s, vk, 0, false);
}

// A navigation button clicked or a click by any identifier, now and then from a month's last day.
void CalButton(Soak &s) {
    int month = 0, now = 0;
    if (s.rng_.OneIn(3) && QXCalGetMonth(s.control_, &month)) {
        for (int i = 0; i < 32 && QXCalGetMonth(s.control_, &now) && now == month; ++i) Press(s, VK_RIGHT, 0, false);
        Press(s, VK_LEFT, 0, false);
        s.navigated_ = true;
    }
    const int id = s.rng_.OneIn(8) ? s.rng_.Between(90, 110) : s.rng_.Between(100, 103);
    HWND button = GetDlgItem(s.control_, id);
    if (button && s.rng_.Coin()) SendMessageA(button, BM_CLICK, 0, 0);
    else SendMessageA(s.control_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// A key's down and up, the down alone, the up alone, or the down repeated.
void ButtonKey(Soak &s) {
    static const UINT kKeys[] = {VK_SPACE, VK_SPACE, VK_SPACE, VK_RETURN, VK_TAB, 'A'};
    const UINT vk = s.rng_.Pick(kKeys);
    const int form = s.rng_.Below(4);
    if (form != 1) SendMessageA(s.control_, WM_KEYDOWN, vk, KeyParam(vk, false, false));
    if (form == 3) SendMessageA(s.control_, WM_KEYDOWN, vk, KeyParam(vk, false, false) | 0x40000000);
    if (form != 2) SendMessageA(s.control_, WM_KEYUP, vk, KeyParam(vk, true, false));
}

// Another thread's call answers pending only when released early, and writes its outputs only on success.
void WorkerEvent(Soak &s) {
    Rng &r = s.rng_;
    HWND h = s.control_;
    const Kind k = s.info_.kind;
    const int choice = r.Below(12), r0 = r.Below(kAnyCallCount);
    const bool client = choice >= 8, duringChange = IsEdit(k) && r.OneIn(3);
    if (r.Coin()) s.trap_ = Trap::kReplyEarly, s.trapMsg_ = WM_COMMAND, s.trapCount_ = r.Between(1, 2);
    s.hostSet_ = true;
    IAccessible *acc = nullptr;
    if (client && FAILED(AccessibleObjectFromWindow(h, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void **>(&acc))))
        acc = nullptr;
    const wchar_t *const texts[] = {L"12", L"1.5", L"09:30", L"x", L""};
    BSTR given = SysAllocString(texts[r.Below(5)]);
    VARIANT self, child;
    V_VT(&self) = V_VT(&child) = VT_I4, V_I4(&self) = 0, V_I4(&child) = r.Below(3);
    s.replied_ = false;
    HANDLE returned = CreateEventA(nullptr, TRUE, FALSE, nullptr),
           settled = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> done(false);
    long result = -1;
    DWORD error = 0;
    bool outputsKept = true;
    const DWORD ui = GetCurrentThreadId();
    std::thread worker([&] {
        Guarded out(24);  // the outputs; a client's string null and its VARIANT empty beforehand
        if (choice == 9) *out.As<BSTR>() = nullptr;
        if (choice == 11) VariantInit(out.As<VARIANT>());
        const std::string before(out.data(), 24);
        SetLastError(0);
        int c = r0;
        while (!client && ((kAnyCalls[c].flags & kHost) || (k != Kind::kEdit && !kAnyCalls[c].Serves(k))))
            c = (c + 1) % kAnyCallCount;
        if (!client) result = kAnyCalls[c].call(h, out.data());  // any export on a plain edit
        else if (acc && choice == 8) result = acc->put_accValue(self, given);
        else if (acc && choice == 9) result = acc->get_accValue(self, out.As<BSTR>());
        else if (acc && choice == 10) result = acc->accDoDefaultAction(child);
        else if (acc) result = acc->get_accState(child, out.As<VARIANT>());
        error = GetLastError();
        SetEvent(returned);
        PostThreadMessageA(ui, WM_NULL, 0, 0);
        WaitForSingleObject(settled, 10000);  // the work has ended on the window's thread
        const bool failed = client ? result != S_OK && result != S_FALSE : result == 0;
        if (failed && choice == 11 && V_VT(out.As<VARIANT>()) == VT_EMPTY)
            std::memcpy(out.data(), before.data(), sizeof(VARIANT));
        outputsKept = out.GuardsIntact() && (!failed || std::string(out.data(), 24) == before);
        if (choice == 9 && !failed) SysFreeString(*out.As<BSTR>());
        if (choice == 11 && !failed) VariantClear(out.As<VARIANT>());
        done = true;
        PostThreadMessageA(ui, WM_NULL, 0, 0);
    });
    if (duringChange) {  // the call waits in the queue while this thread is busy
        for (DWORD start = GetTickCount(); !(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) &&
                                           WaitForSingleObject(returned, 0) != WAIT_OBJECT_0 &&
                                           GetTickCount() - start < 2000;)
            Sleep(1);
        void (*const kChanges[])(Soak &) = {Keys, Keys, PasteEvent, EditCommand};
        r.Pick(kChanges)(s);
    }
    // A dispatch the pump returns from has run to its end, the work released early included.
    for (; WaitForSingleObject(returned, 0) != WAIT_OBJECT_0; s.Pump())
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    s.Pump();
    SetEvent(settled);
    for (; !done; s.Pump()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    s.Pump();
    worker.join();
    CloseHandle(returned), CloseHandle(settled), SysFreeString(given);
    if (acc) acc->Release();
    if (k == Kind::kButton) s.shownIcon_ = nullptr;
    const bool pending = client ? result == E_PENDING : result == 0 && error == ERROR_IO_PENDING;
    s.Expect(!pending || s.replied_,
             "a call answers that its outcome is unknown only when the parent released it early");
    s.Expect(outputsKept, "a call writes its caller's outputs only when it succeeds, and within them");
    if (!client) s.Expect(k != Kind::kEdit || result == 0, "a typed edit's export fails on a plain edit");
}

// Registering again succeeds and leaves the classes registered.
void RegisterEvent(Soak &s) {
    HINSTANCE self = GetModuleHandleA(nullptr);
    const int i = s.rng_.Below(4);
    if (i == 0) s.Expect(RegisterQXCtls(self) == 1, "registering again succeeds"), UnregisterQXCtls(self);
    if (i == 1) s.Expect(QXRegisterIntClass(self) && QXRegisterBmpBtnClass(self), "registering a class again succeeds");
    if (i == 1) QXUnregisterIntClass(self), QXUnregisterBmpBtnClass(self);
    if (i == 2) QXEnableOld3d(static_cast<QXBOOL>(s.rng_.Below(3)));
    if (i == 3)
        s.Expect(QXRegisterCalClass(self) && QXRegisterMonthYearButtonXPClass(self),
                 "registering a class again succeeds");
    if (i == 3) QXUnregisterCalClass(), QXUnregisterMonthYearButtonXPClass(self);
}

// Every kind of event: its name where it gives none, its weight in an edit, a calendar, a button.
struct EventKind {
    const char *name;
    int weight[3];
    void (*run)(Soak &);
};
const EventKind kEvents[] = {
    {"keys", {420, 20, 10}, Keys},
    {"paste", {50, 0, 0}, PasteEvent},
    {"edit command", {50, 0, 0}, EditCommand},
    {"EM_SETSEL", {60, 0, 0}, SetSelEvent},
    {"WM_SETTEXT", {45, 0, 0}, SetTextEvent},
    {"mouse", {110, 210, 250}, MouseEvent},
    {"spin held", {1, 0, 0}, SpinHold},
    {"WM_SETFONT", {8, 8, 5}, FontEvent},
    {"size", {8, 10, 20}, SizeEvent},
    {"theme", {5, 8, 15}, ThemeEvent},
    {"style bit", {5, 0, 0}, StyleEvent},
    {"paint", {12, 15, 40}, PaintEvent},
    {"calendar key", {0, 250, 0}, CalKey},
    {"calendar button", {0, 120, 0}, CalButton},
    {"button key", {0, 0, 150}, ButtonKey},
    {"worker thread", {15, 10, 10}, WorkerEvent},
    {"registration", {1, 1, 1}, RegisterEvent},
    {"export", {110, 150, 200}, [](Soak &s) { s.ExportEvent(); }},
    {"foreign export", {12, 15, 15}, [](Soak &s) { s.ForeignExport(); }},
    {"EM_SETREADONLY", {5, 0, 0}, [](Soak &s) { SendMessageA(s.control_, EM_SETREADONLY, s.rng_.Coin(), 0); }},
    {"EnableWindow", {8, 10, 60}, [](Soak &s) { EnableWindow(s.control_, !IsWindowEnabled(s.control_)); }},
    {"SetFocus", {7, 8, 10}, [](Soak &s) { SetFocus(s.control_); }},
    {"SetFocus elsewhere",
     {10, 13, 15},
     [](Soak &s) {
         SetFocus(s.rng_.Coin() ? s.other_ : s.rng_.Coin() ? s.parent_ : nullptr);
     }},
    {"WM_SETFOCUS or WM_KILLFOCUS",
     {3, 4, 5},
     [](Soak &s) { SendMessageA(s.control_, WM_SETFOCUS + s.rng_.Below(2), reinterpret_cast<WPARAM>(s.other_), 0); }},
    {"the capture elsewhere",
     {5, 5, 10},
     [](Soak &s) { s.rng_.Coin() ? (void)SetCapture(s.other_) : (void)ReleaseCapture(); }},
    {"WM_CAPTURECHANGED",
     {3, 3, 5},
     [](Soak &s) {
         SendMessageA(s.control_, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(s.rng_.Coin() ? s.other_ : nullptr));
     }},
    {"WM_CANCELMODE", {2, 2, 5}, [](Soak &s) { SendMessageA(s.control_, WM_CANCELMODE, 0, 0); }},
    {"WM_SYSCOLORCHANGE or WM_SETTINGCHANGE",
     {2, 3, 10},
     [](Soak &s) { SendMessageA(s.control_, s.rng_.Coin() ? WM_SYSCOLORCHANGE : WM_SETTINGCHANGE, 0, 0); }},
    {"a new control", {3, 4, 6}, [](Soak &s) { s.DestroyControl(), s.MakeControl(); }},
    {"the parent's colour answers",
     {4, 4, 5},
     [](Soak &s) { s.colorMode_ = s.rng_.Below(3), InvalidateRect(s.control_, nullptr, TRUE); }},
    {"WM_MOUSELEAVE", {0, 0, 20}, [](Soak &s) { SendMessageA(s.control_, WM_MOUSELEAVE, 0, 0); }}};
constexpr int kEventKinds = sizeof kEvents / sizeof kEvents[0];

int Group(Kind k) { return IsEdit(k) ? 0 : k == Kind::kCal ? 1 : 2; }

}  // namespace

char Soak::ClassChar() {
    if (rng_.OneIn(8)) return static_cast<char>(rng_.Between(1, 255));
    std::string set = "abcXYZ 0123456789.,;-+@~!";
    if (info_.kind == Kind::kInt) set = "0123456789-0123456789";
    if (info_.kind == Kind::kFloat) set = std::string("0123456789-0123456789") + model_.decimal + model_.group;
    if (info_.kind == Kind::kPicture) set = "0123456789aAzZfFqQ -/()xX.0123456789";
    if (info_.kind == Kind::kTime) set = "0123456789: apmAPM0123456789";
    return set[rng_.Below(static_cast<int>(set.size()))];
}

std::string Soak::RandomText(int maxLen) {
    std::string s;
    for (int n = rng_.OneIn(10) ? rng_.Between(60, std::max(maxLen, 60)) : rng_.Between(0, 12); n > 0; --n)
        s += ClassChar();
    return s;
}

std::string Soak::RandomMask() {
    static const char kParts[] = "99999AaHhLlNnUuXx-/:().  ,zQ";
    std::string m;
    for (int n = rng_.OneIn(12) ? rng_.Between(55, 70) : rng_.Between(0, 12); n > 0; --n)
        m += rng_.OneIn(40) ? static_cast<char>(rng_.Between(1, 255)) : kParts[rng_.Below(sizeof kParts - 1)];
    return m;
}

std::string Soak::ValueFor(const std::string &mask, bool raw) {
    if (IsTimeMask(mask.c_str()) && !rng_.OneIn(4)) {  // the fields on and just past their limits
        static const char *const kHours[][4] = {{"23", "24", "00", " 9"}, {"12", "13", "00", " 1"}};
        static const char *const kMinutes[] = {"00", "59", "60", "5 "};
        const bool twelve = mask.size() > 6;
        const std::string letter(twelve ? 1 : 0, "apAP"[rng_.Below(2) + (twelve && mask[6] == 'A' ? 2 : 0)]);
        const std::string fields = std::string(rng_.Pick(kHours[twelve])) + (raw ? "" : ":") + rng_.Pick(kMinutes);
        return raw ? fields + letter : twelve ? fields + " " + letter + mask.substr(7) : fields;
    }
    std::string out;
    const std::vector<MaskPos> positions = MaskPositions(mask);
    const int n = static_cast<int>(positions.size());
    for (int i = 0, stop = rng_.OneIn(4) ? rng_.Below(n + 1) : n + rng_.Between(0, 2); i < stop; ++i) {
        const int odd = rng_.Below(120);  // now and then a character of the class, or a blank
        if (odd < 10 || i >= n) {
            out += odd < 10 && odd >= 5 ? ' ' : ClassChar();
            continue;
        }
        const MaskPos &p = positions[i];
        const char letter = static_cast<char>((rng_.Coin() ? 'a' : 'A') + rng_.Below(26)),
                   digit = static_cast<char>('0' + rng_.Below(10));
        if (p.literal && (!raw || rng_.OneIn(3))) out += p.ch;
        if (p.literal) continue;
        const char c = p.ch | 0x20;
        out += c == '9'   ? digit
               : c == 'h' ? rng_.Coin() ? digit : static_cast<char>((rng_.Coin() ? 'a' : 'A') + rng_.Below(6))
               : c == 'n' ? rng_.Coin() ? digit : letter
               : c == 'x' ? static_cast<char>(rng_.Between(32, 255))
                          : letter;
    }
    return out;
}

bool Soak::Run(long count) {
    for (; index_ < count; ++index_) {
        what_.clear();
        Event(-1);
        CheckAll();
        if (!failure_.empty()) return ++index_, false;
    }
    return true;
}

// The warm-up: what the process makes once (menu items chosen, a refusal's tip) is made before counting.
void Soak::Tour() {
    if (IsEdit(info_.kind)) {
        EnableWindow(control_, TRUE);
        SendMessageA(control_, EM_SETREADONLY, FALSE, 0);
        SetClipboard("1", true);
        for (int item : {4, 7, 3, 2, 0, 5, 7}) {
            HWND h = control_;
            WithMenuCloser(
                [&] { menuChoice_ = item, SendMessageA(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), -1); });
            Pump();
        }
        SetWindowLongA(control_, GWL_STYLE, GetWindowLongA(control_, GWL_STYLE) | QXES_EXPLAIN);
        SetClipboard("\t", true);
        SendMessageA(control_, WM_PASTE, 0, 0);
        Pump();
    }
    for (int round = 0; round < 3; ++round)
        for (int i = 0; i < kEventKinds; ++i)
            if (kEvents[i].weight[Group(info_.kind)]) Event(i), ++index_;
    for (int i = 0; i < 300; ++i, ++index_) Event(-1);
}

// The parent's trap now and then; an edit tells a change of its text by EN_UPDATE then EN_CHANGE.
void Soak::Event(int forced) {
    hostSet_ = navigated_ = false;
    changes_ = updates_ = 0;
    if (rng_.OneIn(30)) {
        static const Trap kTraps[] = {Trap::kRenew,   Trap::kRenew,  Trap::kDestroy,
                                      Trap::kSetText, Trap::kExport, Trap::kFocusAway};
        trap_ = rng_.Pick(kTraps);
        trapMsg_ = rng_.OneIn(4) ? WM_CTLCOLOREDIT : WM_COMMAND;
        trapCount_ = rng_.Between(1, 3);
    }
    const int group = Group(info_.kind);
    int e = forced, total = 0;
    for (const EventKind &k : kEvents) total += k.weight[group];
    if (e < 0)
        for (e = 0, total = rng_.Below(total); total >= kEvents[e].weight[group]; ++e)
            total -= kEvents[e].weight[group];
    const bool edit = IsEdit(info_.kind);
    const std::string before = edit ? Text(control_) : "";
    const Mark mark = Now();
    what_ = kEvents[e].name;
    kEvents[e].run(*this);
    qxt::SetHeldKeys(qxt::kNoMods);
    Pump();
    trap_ = Trap::kNone;
    if (edit && Calm(mark)) {
        Expect(updates_ == changes_, "EN_UPDATE and EN_CHANGE come in pairs");
        if (!hostSet_ && Text(control_) != before) Expect(changes_ > 0, "a change of the text is told by EN_CHANGE");
    }
    if (!IsWindow(control_)) MakeControl();
}

}  // namespace qxs
