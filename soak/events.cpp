// The events: keys, characters, the clipboard, the mouse, the host's
// messages and changes to the window, each drawn from the class's stream.
#include <windows.h>
#include <ole2.h>
#include <oleacc.h>
#include <uxtheme.h>

#include <atomic>
#include <climits>
#include <cstdio>
#include <cstring>
#include <thread>

#include "guarded.h"
#include "oracle.h"
#include "qx_cntl.h"
#include "soak.h"

namespace qxs {
namespace {

// A client's name for an element of a window's object.
VARIANT Element(long id) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = id;
    return v;
}

enum Ev {
    kChar, kTypeRun, kTypePosted, kKey, kKeyPosted, kPaste, kEditCmd, kSetSel, kSetText, kMouse,
    kRightClick, kContextMsg, kWheel, kSpinHold, kFont, kSize, kEnable, kFocus, kCapture, kTheme,
    kSysColor, kStyle, kPaint, kExport, kForeign, kWorker, kRecreate, kRegister, kColors, kCalKey,
    kCalButton, kButtonKey, kMouseLeave,
};

struct Weight {
    Ev ev;
    int weight;
};

const Weight kEditEvents[] = {
    {kChar, 150},   {kTypeRun, 110}, {kTypePosted, 25}, {kKey, 110},      {kKeyPosted, 25}, {kPaste, 50},
    {kEditCmd, 50}, {kSetSel, 60},   {kSetText, 45},    {kMouse, 80},     {kRightClick, 4}, {kContextMsg, 2},
    {kWheel, 25},   {kSpinHold, 1},  {kFont, 8},        {kSize, 8},       {kEnable, 8},     {kFocus, 20},
    {kCapture, 10}, {kTheme, 5},     {kSysColor, 2},    {kStyle, 10},     {kPaint, 12},     {kExport, 110},
    {kForeign, 12}, {kWorker, 15},   {kRecreate, 3},    {kRegister, 1},   {kColors, 4},
};
const Weight kCalEvents[] = {
    {kCalKey, 250}, {kMouse, 200}, {kCalButton, 120}, {kExport, 150}, {kChar, 20},    {kWheel, 10},
    {kFont, 8},     {kSize, 10},   {kEnable, 10},     {kFocus, 25},   {kCapture, 10}, {kTheme, 8},
    {kSysColor, 3}, {kPaint, 15},  {kForeign, 15},    {kWorker, 10},   {kRecreate, 4}, {kRegister, 1},
    {kColors, 4},   {kRightClick, 3},
};
const Weight kButtonEvents[] = {
    {kButtonKey, 150}, {kMouse, 250}, {kExport, 200}, {kEnable, 60},  {kMouseLeave, 20}, {kTheme, 15},
    {kSysColor, 10},   {kSize, 20},   {kFocus, 30},   {kCapture, 20}, {kPaint, 40},      {kForeign, 15},
    {kWorker, 10},     {kRecreate, 6}, {kRegister, 1}, {kColors, 5},  {kChar, 10},       {kFont, 5},
};

template <int N>
Ev Draw(Rng &rng, const Weight (&table)[N]) {
    int total = 0;
    for (const Weight &w : table) total += w.weight;
    int r = rng.Below(total);
    for (const Weight &w : table) {
        if (r < w.weight) return w.ev;
        r -= w.weight;
    }
    return table[0].ev;
}

LPARAM KeyParam(UINT vk, bool up, bool alt) {
    LPARAM lp = 1 | (static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) & 0xFF) << 16);
    if (alt) lp |= static_cast<LPARAM>(KF_ALTDOWN) << 16;
    if (up) lp |= 0xC0000000;
    return lp;
}

LPARAM Point(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
}

// The character a key types with the modifiers (1 Shift, 2 Ctrl, 4 AltGr),
// as a keyboard layout with AltGr would; 0 for none.
int TypedBy(UINT vk, int mods) {
    const bool shift = mods & 1, ctrl = (mods & 2) && !(mods & 4), altGr = mods & 4;
    if (vk >= 'A' && vk <= 'Z') {
        if (altGr) return "@&#{}[]"[vk % 7];
        if (ctrl) return static_cast<int>(vk - 'A' + 1);
        return shift ? static_cast<int>(vk) : static_cast<int>(vk - 'A' + 'a');
    }
    if (vk >= '0' && vk <= '9') return shift ? ")!@#$%^&*("[vk - '0'] : static_cast<int>(vk);
    switch (vk) {
    case VK_BACK: return ctrl ? 0x7F : 0x08;
    case VK_RETURN: return ctrl ? 0x0A : 0x0D;
    case VK_ESCAPE: return 0x1B;
    case VK_TAB: return 0x09;
    case VK_SPACE: return ' ';
    default: return 0;
    }
}

}  // namespace

// ---- One event ------------------------------------------------------------------

bool Soak::Run(long count) {
    while (index_ < count) {
        what_.clear();
        Event(-1);
        CheckAll();
        if (trace_) {
            std::string shown;
            if (IsEdit(info_.kind) && IsWindow(control_)) {
                DWORD a = 0, c = 0;
                SendMessageA(control_, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&c));
                shown = " -> " + Quote(Text(control_)) + " " + std::to_string(a) + "," + std::to_string(c);
            }
            std::printf("%ld: %s%s\n", index_, what_.c_str(), shown.c_str());
        }
        ++index_;
        if (!failure_.empty()) return false;
    }
    return true;
}

// Every kind of event of the class a few times, then a stretch of the
// stream: the warm-up before handles are counted.
void Soak::Tour() {
    const Kind k = info_.kind;
    auto each = [&](const Weight *table, int n) {
        for (int round = 0; round < 3; ++round)
            for (int i = 0; i < n; ++i) {
                Event(table[i].ev);
                ++index_;
            }
    };
    if (IsEdit(k)) {
        // The context menu with each item chosen where it can be: what the
        // system makes once for a chosen item is made now.
        EnableWindow(control_, TRUE);
        SendMessageA(control_, EM_SETREADONLY, FALSE, 0);
        if (OpenClipboard(parent_)) {
            EmptyClipboard();
            if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 2)) {
                std::memcpy(GlobalLock(mem), "1", 2);
                GlobalUnlock(mem);
                if (!SetClipboardData(CF_TEXT, mem)) GlobalFree(mem);
            }
            CloseClipboard();
        }
        for (int item : {4, 7, 3, 2, 0, 5, 7}) {
            HWND h = control_;
            WithMenuCloser([&] {
                menuChoice_ = item;
                SendMessageA(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), -1);
            });
            Pump();
        }
        each(kEditEvents, sizeof kEditEvents / sizeof kEditEvents[0]);
    }
    else if (k == Kind::kCal) each(kCalEvents, sizeof kCalEvents / sizeof kCalEvents[0]);
    else each(kButtonEvents, sizeof kButtonEvents / sizeof kButtonEvents[0]);
    for (int i = 0; i < 300; ++i, ++index_) Event(-1);
}

void Soak::Event(int forced) {
    hostSet_ = navigated_ = false;
    // Now and then the parent destroys the control, renews it, sets its text,
    // calls an export or moves the focus inside a message of this event.
    if (rng_.OneIn(30)) {
        static const Trap kTraps[] = {Trap::kRenew, Trap::kRenew, Trap::kDestroy, Trap::kSetText, Trap::kExport,
                                      Trap::kFocusAway};
        trap_ = rng_.Pick(kTraps);
        trapMsg_ = rng_.OneIn(4) ? WM_CTLCOLOREDIT : WM_COMMAND;
        trapCount_ = rng_.Between(1, 3);
    }
    const Kind k = info_.kind;
    const Ev ev = forced >= 0      ? static_cast<Ev>(forced)
                  : IsEdit(k)        ? Draw(rng_, kEditEvents)
                  : k == Kind::kCal ? Draw(rng_, kCalEvents)
                                     : Draw(rng_, kButtonEvents);
    HWND h = control_;
    switch (ev) {
    case kChar: CharEvent(); break;
    case kTypeRun: TypeRun(false); break;
    case kTypePosted: TypeRun(true); break;
    case kKey: KeyEvent(false); break;
    case kKeyPosted: KeyEvent(true); break;
    case kPaste: PasteEvent(); break;
    case kEditCmd: EditCommand(); break;
    case kSetSel: SetSelEvent(); break;
    case kSetText: SetTextEvent(); break;
    case kMouse: MouseEvent(); break;
    case kRightClick: RightClick(); break;
    case kContextMsg: {
        const LPARAM at = rng_.Coin() ? -1 : Point(rng_.Between(-100, 1400), rng_.Between(-100, 1100));
        what_ = "WM_CONTEXTMENU";
        WithMenuCloser([&] { SendMessageA(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), at); });
        break;
    }
    case kWheel: WheelEvent(); break;
    case kSpinHold: SpinHold(); break;
    case kFont: FontEvent(); break;
    case kSize: SizeEvent(); break;
    case kEnable:
        what_ = "EnableWindow";
        EnableWindow(h, !IsWindowEnabled(h));
        break;
    case kFocus: FocusEvent(); break;
    case kCapture: CaptureEvent(); break;
    case kTheme: ThemeEvent(); break;
    case kSysColor:
        what_ = "WM_SYSCOLORCHANGE / WM_SETTINGCHANGE";
        SendMessageA(h, rng_.Coin() ? WM_SYSCOLORCHANGE : WM_SETTINGCHANGE, 0, 0);
        break;
    case kStyle: StyleEvent(); break;
    case kPaint: PaintEvent(); break;
    case kExport: ExportEvent(); break;
    case kForeign: ForeignExport(); break;
    case kWorker: WorkerEvent(); break;
    case kRecreate:
        what_ = "a new control";
        DestroyControl();
        MakeControl();
        break;
    case kRegister: RegisterEvent(); break;
    case kColors:
        what_ = "the parent's colour answers";
        colorMode_ = rng_.Below(3);
        InvalidateRect(h, nullptr, TRUE);
        break;
    case kCalKey: CalKey(); break;
    case kCalButton: CalButton(); break;
    case kButtonKey: ButtonKey(); break;
    case kMouseLeave:
        what_ = "WM_MOUSELEAVE";
        SendMessageA(h, WM_MOUSELEAVE, 0, 0);
        break;
    }
    HoldKeys(0);
    Pump();
    trap_ = Trap::kNone;
    if (!IsWindow(control_)) MakeControl();
}

// ---- Texts ------------------------------------------------------------------------

// A character the class's rules care about, or now and then any byte but 0.
char Soak::ClassChar() {
    if (rng_.OneIn(8)) return static_cast<char>(rng_.Between(1, 255));
    const char *set;
    switch (info_.kind) {
    case Kind::kInt: set = "0123456789-0123456789"; break;
    case Kind::kFloat: {
        static char floatSet[32];
        std::snprintf(floatSet, sizeof floatSet, "0123456789-%c%c0123456789", model_.decimal, model_.group);
        set = floatSet;
        break;
    }
    case Kind::kPicture: set = "0123456789aAzZfFqQ -/()xX.0123456789"; break;
    case Kind::kTime: set = "0123456789: apmAPM0123456789"; break;
    default: set = "abcXYZ 0123456789.,;-+@~!"; break;
    }
    return set[rng_.Below(static_cast<int>(std::strlen(set)))];
}

std::string Soak::RandomText(int maxLen) {
    const int n = rng_.OneIn(10) ? rng_.Between(60, maxLen > 60 ? maxLen : 60) : rng_.Between(0, 12);
    std::string s;
    for (int i = 0; i < n; ++i) s += ClassChar();
    return s;
}

// A picture mask: placeholders, escapes and literals, of 0 to 70 positions.
std::string Soak::RandomMask() {
    static const char kParts[] = "99999AaHhLlNnUuXx-/:().  ,zQ";
    const int n = rng_.OneIn(12) ? rng_.Between(55, 70) : rng_.Between(0, 12);
    std::string m;
    for (int i = 0; i < n; ++i) {
        if (rng_.OneIn(40)) m += static_cast<char>(rng_.Between(1, 255));
        else m += kParts[rng_.Below(static_cast<int>(sizeof kParts) - 1)];
    }
    return m;
}

int Soak::SizeAround(int n) { return rng_.Coin() ? n + rng_.Between(-1, 2) : rng_.Between(-2, 70); }

std::string Soak::ValueFor(const std::string &mask, bool raw) {
    std::string out;
    const std::vector<MaskPos> positions = MaskPositions(mask);
    const int stop = rng_.OneIn(4) ? rng_.Below(static_cast<int>(positions.size()) + 1)
                                   : static_cast<int>(positions.size()) + rng_.Between(0, 2);
    for (int i = 0; i < stop; ++i) {
        if (rng_.OneIn(12)) {
            out += ClassChar();
            continue;
        }
        if (rng_.OneIn(10)) {
            out += ' ';
            continue;
        }
        if (i >= static_cast<int>(positions.size())) {
            out += ClassChar();
            continue;
        }
        const MaskPos &p = positions[i];
        if (p.literal) {
            if (!raw || rng_.OneIn(3)) out += p.ch;
            continue;
        }
        const char letter = static_cast<char>((rng_.Coin() ? 'a' : 'A') + rng_.Below(26));
        const char digit = static_cast<char>('0' + rng_.Below(10));
        switch (p.ch) {
        case '9': out += digit; break;
        case 'H': case 'h': out += rng_.Coin() ? digit : static_cast<char>((rng_.Coin() ? 'a' : 'A') + rng_.Below(6)); break;
        case 'N': case 'n': out += rng_.Coin() ? digit : letter; break;
        case 'X': case 'x': out += static_cast<char>(rng_.Between(32, 255)); break;
        default: out += letter; break;  // A a L l U u
        }
    }
    return out;
}

// ---- Keys and characters -------------------------------------------------------------

void Soak::KeyEvent(bool posted) {
    static const UINT kKeys[] = {VK_LEFT,  VK_RIGHT, VK_HOME,   VK_END,   VK_DELETE, VK_BACK,  VK_INSERT,
                                 VK_UP,    VK_DOWN,  VK_PRIOR,  VK_NEXT,  VK_RETURN, VK_ESCAPE, VK_TAB,
                                 VK_SPACE, 'A',      'C',       'V',      'X',       'Z',      'Y',
                                 '1',      VK_APPS,  VK_F10,    VK_SHIFT, VK_CONTROL, VK_MENU, VK_LEFT,
                                 VK_RIGHT, VK_BACK,  VK_DELETE, VK_HOME, VK_END};
    const UINT vk = rng_.OneIn(12) ? static_cast<UINT>(rng_.Below(256)) : rng_.Pick(kKeys);
    const int mods = rng_.Coin() ? 0 : rng_.Between(1, 7);
    // Alt held makes it a system key (Alt+Backspace); F10 always is one.
    const bool alt = rng_.OneIn(10);
    const bool sys = alt || vk == VK_F10;
    int ch = rng_.OneIn(5) ? 0 : TypedBy(vk, mods);
    if (rng_.OneIn(20)) ch = rng_.Between(1, 255);
    char buf[96];
    std::snprintf(buf, sizeof buf, "key 0x%02X mods %d%s%s char 0x%02X%s", vk, mods, alt ? " Alt" : "",
                  sys ? " (system)" : "", ch, posted ? " posted" : "");
    what_ = buf;
    HWND h = control_;
    auto send = [&] {
        HoldKeys(mods | (alt ? 8 : 0));
        const UINT down = sys ? WM_SYSKEYDOWN : WM_KEYDOWN, up = sys ? WM_SYSKEYUP : WM_KEYUP;
        const UINT chMsg = alt ? WM_SYSCHAR : WM_CHAR;
        if (posted) {
            PostMessageA(h, down, vk, KeyParam(vk, false, alt));
            if (ch) PostMessageA(h, chMsg, static_cast<WPARAM>(ch), KeyParam(vk, false, alt));
            PostMessageA(h, up, vk, KeyParam(vk, true, alt));
            Pump();
        } else {
            SendMessageA(h, down, vk, KeyParam(vk, false, alt));
            if (ch) SendMessageA(h, chMsg, static_cast<WPARAM>(ch), KeyParam(vk, false, alt));
            SendMessageA(h, up, vk, KeyParam(vk, true, alt));
        }
    };
    if (sys || vk == VK_APPS) {
        WithMenuCloser(send);
    } else {
        send();
    }
}

// One character, now and then without the key-down a keyboard would send
// first (Alt+numpad entry, an input method, automation).
void Soak::CharEvent() {
    const char c = ClassChar();
    const int mods = rng_.OneIn(4) ? rng_.Between(1, 7) : 0;
    const bool keyDown = rng_.Coin();
    char buf[64];
    std::snprintf(buf, sizeof buf, "WM_CHAR 0x%02X mods %d%s", static_cast<BYTE>(c), mods, keyDown ? " after a key" : "");
    what_ = buf;
    HWND h = control_;
    HoldKeys(mods);
    const SHORT scan = VkKeyScanA(c);
    const UINT vk = scan == -1 ? 'Q' : LOBYTE(scan);
    if (keyDown) SendMessageA(h, WM_KEYDOWN, vk, KeyParam(vk, false, false));
    SendMessageA(h, WM_CHAR, static_cast<BYTE>(c), KeyParam(vk, false, false));
    if (keyDown) SendMessageA(h, WM_KEYUP, vk, KeyParam(vk, true, false));
}

// Characters typed one after another, sent or queued as typing ahead.
void Soak::TypeRun(bool posted) {
    const int n = rng_.Between(2, 8);
    std::string typed;
    for (int i = 0; i < n; ++i) typed += ClassChar();
    what_ = std::string(posted ? "typed ahead " : "typed ") + Quote(typed);
    HWND h = control_;
    for (char c : typed) {
        const SHORT scan = VkKeyScanA(c);
        const UINT vk = scan == -1 ? 0 : LOBYTE(scan);
        HoldKeys(scan != -1 && (HIBYTE(scan) & 1) ? 1 : 0);
        if (posted) {
            if (vk) PostMessageA(h, WM_KEYDOWN, vk, KeyParam(vk, false, false));
            PostMessageA(h, WM_CHAR, static_cast<BYTE>(c), KeyParam(vk, false, false));
            if (vk) PostMessageA(h, WM_KEYUP, vk, KeyParam(vk, true, false));
        } else {
            if (vk) SendMessageA(h, WM_KEYDOWN, vk, KeyParam(vk, false, false));
            SendMessageA(h, WM_CHAR, static_cast<BYTE>(c), KeyParam(vk, false, false));
            if (vk) SendMessageA(h, WM_KEYUP, vk, KeyParam(vk, true, false));
        }
    }
    if (posted) Pump();
}

// ---- The clipboard and the edit commands ------------------------------------------------

// The clipboard gets random bytes (control characters and line breaks among
// them, in a block that need not end in a zero), a text of the class, or
// nothing; then one of the ways to paste.
void Soak::PasteEvent() {
    HWND h = control_;
    const int kind = rng_.Below(4);
    std::string bytes;
    if (kind == 0) {
        const int n = rng_.Between(0, 90);
        for (int i = 0; i < n; ++i) bytes += static_cast<char>(rng_.OneIn(6) ? rng_.Between(0, 31) : rng_.Between(32, 255));
    } else if (kind < 3) {
        bytes = RandomText(80);
        if (rng_.OneIn(4)) bytes += rng_.Coin() ? "\r\n" + RandomText(10) : "\n";
    }
    const bool terminated = rng_.OneIn(4) ? false : true;
    if (OpenClipboard(parent_)) {
        EmptyClipboard();
        if (kind != 3) {
            const size_t size = bytes.size() + (terminated ? 1 : 0);
            HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
            if (mem) {
                char *p = static_cast<char *>(GlobalLock(mem));
                std::memcpy(p, bytes.data(), bytes.size());
                if (terminated || !size) p[bytes.size()] = '\0';
                GlobalUnlock(mem);
                if (!SetClipboardData(CF_TEXT, mem)) GlobalFree(mem);
            }
        }
        CloseClipboard();
    }
    const int how = rng_.Below(4);
    static const char *const kHow[] = {"WM_PASTE", "Ctrl+V", "Shift+Insert", "the menu's Paste"};
    what_ = std::string("paste ") + (kind == 3 ? "of no text" : "of " + std::to_string(bytes.size()) + " bytes") +
            " by " + kHow[how];
    switch (how) {
    case 0: SendMessageA(h, WM_PASTE, 0, 0); break;
    case 1:
        HoldKeys(2);
        SendMessageA(h, WM_KEYDOWN, 'V', KeyParam('V', false, false));
        SendMessageA(h, WM_KEYUP, 'V', KeyParam('V', true, false));
        break;
    case 2:
        HoldKeys(1);
        SendMessageA(h, WM_KEYDOWN, VK_INSERT, KeyParam(VK_INSERT, false, false));
        SendMessageA(h, WM_KEYUP, VK_INSERT, KeyParam(VK_INSERT, true, false));
        break;
    default:
        WithMenuCloser([&] {
            menuChoice_ = 4;
            SendMessageA(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), -1);
        });
        break;
    }
}

void Soak::EditCommand() {
    static const UINT kMsgs[] = {WM_COPY, WM_CUT, WM_CLEAR, WM_UNDO, EM_UNDO, EM_CANUNDO, EM_EMPTYUNDOBUFFER};
    static const char *const kNames[] = {"WM_COPY", "WM_CUT", "WM_CLEAR", "WM_UNDO", "EM_UNDO", "EM_CANUNDO",
                                         "EM_EMPTYUNDOBUFFER"};
    const int i = rng_.Below(7);
    what_ = kNames[i];
    const LRESULT r = SendMessageA(control_, kMsgs[i], 0, 0);
    if (kMsgs[i] == EM_CANUNDO || kMsgs[i] == EM_UNDO) Expect(r == 0 || r == 1, "EM_CANUNDO or EM_UNDO answers TRUE or FALSE");
}

void Soak::SetSelEvent() {
    auto pick = [&]() -> WPARAM {
        switch (rng_.Below(9)) {
        case 0: return static_cast<WPARAM>(-1);
        case 1: return 0;
        case 2: return static_cast<WPARAM>(rng_.Between(0, 70));
        case 3: return static_cast<WPARAM>(rng_.Between(0, 70));
        case 4: return 65535;
        case 5: return static_cast<WPARAM>(static_cast<INT_PTR>(rng_.Int32()));
        case 6: return static_cast<WPARAM>(rng_.Next());
        case 7: return static_cast<WPARAM>(INT_MIN);
        default: return static_cast<WPARAM>(INT_MAX);
        }
    };
    const WPARAM a = pick(), c = pick();
    char buf[80];
    std::snprintf(buf, sizeof buf, "EM_SETSEL %lld, %lld", static_cast<long long>(a), static_cast<long long>(c));
    what_ = buf;
    SendMessageA(control_, EM_SETSEL, a, static_cast<LPARAM>(c));
}

// WM_SETTEXT with null, a text of the class, an oversized one or one with
// control characters. A refused text changes nothing; the plain edit takes
// any text without control characters, cut at 63 bytes.
void Soak::SetTextEvent() {
    HWND h = control_;
    const int kind = rng_.Below(6);
    std::string text = RandomText(300);
    const bool laid = (info_.kind == Kind::kPicture || info_.kind == Kind::kTime) && model_.hasMask;
    if (laid && kind >= 4) text = ValueFor(model_.mask, false);
    if (kind == 1) text = std::string(rng_.Between(64, 400), static_cast<char>(rng_.Between(32, 126)));
    if (kind == 2) text.insert(text.begin() + rng_.Below(static_cast<int>(text.size()) + 1), static_cast<char>(rng_.Between(1, 31)));
    const bool null = kind == 3;
    what_ = null ? "WM_SETTEXT null" : "WM_SETTEXT " + Quote(text);
    const std::string before = Text(h);
    const int made = made_, springs = springs_;
    const LRESULT taken = SendMessageA(h, WM_SETTEXT, 0, null ? 0 : reinterpret_cast<LPARAM>(text.c_str()));
    hostSet_ = true;
    if (springs != springs_ || made != made_ || !IsWindow(h)) return;
    Expect(taken == TRUE || taken == FALSE, "WM_SETTEXT answers TRUE or FALSE");
    const std::string after = Text(h);
    if (!taken) ExpectText(after, before, "a refused WM_SETTEXT leaves the text as it was");
    bool control = false;
    for (char c : text) control |= !null && IsControl(c);
    if (laid && taken) ExpectText(after, LayText(model_.mask, null ? "" : text), "WM_SETTEXT lays the text over the mask");
    if (laid && info_.kind == Kind::kPicture)
        Expect((taken != FALSE) == (null || !control), "a picture edit takes every text without control characters");
    if (info_.kind == Kind::kEdit) {
        const std::string expected = null ? "" : text.substr(0, 63);
        Expect((taken != FALSE) == (null || !control), "the plain edit takes a text without control characters");
        if (taken) ExpectText(after, expected, "the plain edit shows the text it took, cut at 63 bytes");
    }
}

// ---- The mouse --------------------------------------------------------------------------

void Soak::MouseEvent() {
    HWND h = control_;
    RECT rc;
    GetClientRect(h, &rc);
    auto point = [&](int *x, int *y) {
        const int r = rng_.Below(10);
        if (r < 7) {
            *x = rng_.Between(0, rc.right > 0 ? rc.right - 1 : 0);
            *y = rng_.Between(0, rc.bottom > 0 ? rc.bottom - 1 : 0);
        } else if (r < 9) {
            *x = rng_.Between(-60, rc.right + 60);
            *y = rng_.Between(-60, rc.bottom + 60);
        } else {
            *x = rng_.Between(-32768, 32767);
            *y = rng_.Between(-32768, 32767);
        }
    };
    const int steps = rng_.Between(1, 4);
    what_ = "mouse:";
    for (int i = 0; i < steps; ++i) {
        int x, y;
        point(&x, &y);
        const int mods = rng_.OneIn(5) ? rng_.Between(1, 2) : 0;
        HoldKeys(mods);
        WPARAM keys = (mods & 1 ? MK_SHIFT : 0) | (mods & 2 ? MK_CONTROL : 0);
        static const UINT kMsgs[] = {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
        static const char *const kNames[] = {" down", " move", " drag", " up", " double"};
        const int m = rng_.Below(5);
        if (m == 0 || m == 2 || m == 4) keys |= MK_LBUTTON;
        char buf[48];
        std::snprintf(buf, sizeof buf, "%s %d,%d", kNames[m], x, y);
        what_ += buf;
        SendMessageA(h, kMsgs[m], keys, Point(x, y));
    }
}

void Soak::RightClick() {
    HWND h = control_;
    RECT rc;
    GetClientRect(h, &rc);
    const int x = rng_.Between(-10, rc.right + 10), y = rng_.Between(-10, rc.bottom + 10);
    what_ = "right click";
    WithMenuCloser([&] {
        SendMessageA(h, WM_RBUTTONDOWN, MK_RBUTTON, Point(x, y));
        SendMessageA(h, WM_RBUTTONUP, 0, Point(x, y));
    });
}

void Soak::WheelEvent() {
    static const int kDeltas[] = {120, -120, 240, -360, 1, -1, 119, -119, 32767, -32768, 600};
    const int delta = rng_.OneIn(6) ? rng_.Between(-32768, 32767) : rng_.Pick(kDeltas);
    what_ = "wheel " + std::to_string(delta);
    POINT origin = {0, 0};
    ClientToScreen(control_, &origin);
    SendMessageA(control_, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<SHORT>(delta))),
                 Point(origin.x, origin.y));
}

// An arrow of the spin held through a number of the repetition's ticks: the
// ticks are counted, not timed, so the steps are the same in every run.
void Soak::SpinHold() {
    HWND h = control_;
    // Each hold takes a third of a second at least: one in four draws holds.
    if (!(style_ & QXES_SPIN) || !rng_.OneIn(4)) return MouseEvent();
    RECT rc;
    GetClientRect(h, &rc);
    const int spin = (GetSystemMetrics(SM_CXHTHUMB) < rc.right / 2) ? GetSystemMetrics(SM_CXHTHUMB) : rc.right / 2;
    const bool up = rng_.Coin();
    const int x = rc.right - spin / 2, y = up ? rc.bottom / 4 : rc.bottom * 3 / 4;
    const int ticks = rng_.Between(1, 3);
    what_ = std::string("spin ") + (up ? "up" : "down") + " held for " + std::to_string(ticks) + " ticks";
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
    // The first tick comes after 300 ms, the next every 50 ms; a refused step
    // stops them, and then the wait for the next one runs out.
    for (int seen = 0; seen < ticks && IsWindow(h);) {
        const DWORD start = GetTickCount(), limit = seen == 0 ? 1000 : 500;
        bool ticked = false;
        while (!ticked && GetTickCount() - start < limit) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_TIMER);
            MSG msg;
            while (!ticked && PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
                ticked = !msg.hwnd && msg.lParam;
                DispatchMessageA(&msg);
            }
        }
        if (!ticked) break;
        ++seen;
    }
    SendMessageA(h, WM_LBUTTONUP, 0, Point(x, y));
}

// ---- The window -------------------------------------------------------------------------

void Soak::FontEvent() {
    const int i = rng_.Below(6);
    HFONT f = i < 5 ? shared_.fonts[i] : nullptr;
    what_ = "WM_SETFONT " + std::to_string(i);
    HWND h = control_;
    const int springs = springs_;
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(f), rng_.Coin());
    if (IsEdit(info_.kind) && springs == springs_ && IsWindow(h))
        Expect(reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)) == f, "WM_GETFONT answers the font WM_SETFONT gave");
}

void Soak::SizeEvent() {
    static const int kSizes[] = {0, 1, 2, 3, 5, 8, 12, 17, 24, 40, 100, 200};
    int w = rng_.Pick(kSizes), h = rng_.Pick(kSizes);
    if (rng_.OneIn(3)) w = rng_.Between(0, 320), h = rng_.Between(0, 220);
    if (rng_.OneIn(40)) w = rng_.Between(1000, 3000), h = rng_.Between(300, 1200);
    if (rng_.OneIn(30)) w = -5, h = -7;
    what_ = "size " + std::to_string(w) + "x" + std::to_string(h);
    SetWindowPos(control_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Soak::FocusEvent() {
    HWND h = control_;
    switch (rng_.Below(6)) {
    case 0:
    case 1: what_ = "SetFocus the control"; SetFocus(h); break;
    case 2: what_ = "SetFocus another edit"; SetFocus(other_); break;
    case 3: what_ = "SetFocus the parent"; SetFocus(parent_); break;
    case 4: what_ = "SetFocus null"; SetFocus(nullptr); break;
    default:
        what_ = "WM_SETFOCUS or WM_KILLFOCUS sent";
        SendMessageA(h, rng_.Coin() ? WM_SETFOCUS : WM_KILLFOCUS, reinterpret_cast<WPARAM>(other_), 0);
        break;
    }
}

void Soak::CaptureEvent() {
    HWND h = control_;
    switch (rng_.Below(4)) {
    case 0: what_ = "the capture to another window"; SetCapture(other_); break;
    case 1: what_ = "ReleaseCapture"; ReleaseCapture(); break;
    case 2:
        what_ = "WM_CAPTURECHANGED sent";
        SendMessageA(h, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(rng_.Coin() ? other_ : nullptr));
        break;
    default: what_ = "WM_CANCELMODE"; SendMessageA(h, WM_CANCELMODE, 0, 0); break;
    }
}

// Visual styles off and on again for the control (and a calendar's buttons),
// or a theme change announced.
void Soak::ThemeEvent() {
    HWND h = control_;
    const int r = rng_.Below(3);
    what_ = r == 0 ? "visual styles off for the window" : r == 1 ? "visual styles back" : "WM_THEMECHANGED";
    auto apply = [&](HWND w) {
        if (r == 0) SetWindowTheme(w, L"", L"");
        else if (r == 1) SetWindowTheme(w, nullptr, nullptr);
        else SendMessageA(w, WM_THEMECHANGED, 0, 0);
    };
    apply(h);
    for (HWND child = GetWindow(h, GW_CHILD); child && IsWindow(h); child = GetWindow(child, GW_HWNDNEXT)) apply(child);
}

void Soak::StyleEvent() {
    HWND h = control_;
    if (rng_.Coin()) {
        const bool on = rng_.Coin();
        what_ = std::string("EM_SETREADONLY ") + (on ? "on" : "off");
        SendMessageA(h, EM_SETREADONLY, on, 0);
        return;
    }
    static const DWORD kBits[] = {QXES_READONLY, QXES_RIGHT, QXES_WRAP, QXES_SPIN, WS_BORDER, BS_DEFPUSHBUTTON};
    const DWORD bit = rng_.Pick(kBits);
    what_ = "style bit " + std::to_string(bit) + " flipped";
    SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) ^ bit);
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Painting by each way in: an invalidation and UpdateWindow, a full redraw
// with the frame, WM_PAINT with nothing to paint, WM_PRINTCLIENT into a
// memory DC whose selected objects must come back as they were.
void Soak::PaintEvent() {
    HWND h = control_;
    switch (rng_.Below(4)) {
    case 0:
        what_ = "InvalidateRect and UpdateWindow";
        InvalidateRect(h, nullptr, rng_.Coin());
        UpdateWindow(h);
        break;
    case 1:
        what_ = "RedrawWindow with the frame";
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        break;
    case 2:
        what_ = "WM_PAINT with nothing invalid";
        ValidateRect(h, nullptr);
        SendMessageA(h, WM_PAINT, 0, 0);
        break;
    default: {
        what_ = "WM_PRINTCLIENT";
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bmp = CreateCompatibleBitmap(screen, 64, 64);
        HGDIOBJ old = SelectObject(dc, bmp);
        const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT), pen = GetCurrentObject(dc, OBJ_PEN),
                      brush = GetCurrentObject(dc, OBJ_BRUSH);
        SendMessageA(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        Expect(GetCurrentObject(dc, OBJ_FONT) == font && GetCurrentObject(dc, OBJ_PEN) == pen &&
                   GetCurrentObject(dc, OBJ_BRUSH) == brush && GetCurrentObject(dc, OBJ_BITMAP) == bmp,
               "a DC given to paint in keeps the objects selected into it");
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        break;
    }
    }
}

// ---- The calendar and the buttons ----------------------------------------------------------

void Soak::CalKey() {
    static const UINT kKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END, VK_SPACE, VK_RETURN};
    const UINT vk = rng_.OneIn(10) ? static_cast<UINT>(rng_.Below(256)) : rng_.Pick(kKeys);
    const int mods = rng_.OneIn(4) ? rng_.Between(1, 7) : 0;
    char buf[48];
    std::snprintf(buf, sizeof buf, "calendar key 0x%02X mods %d", vk, mods);
    what_ = buf;
    HoldKeys(mods);
    navigated_ = vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN;
    SendMessageA(control_, WM_KEYDOWN, vk, KeyParam(vk, false, false));
    SendMessageA(control_, WM_KEYUP, vk, KeyParam(vk, true, false));
}

// A navigation button clicked, or the calendar told of a click by any
// identifier.
void Soak::CalButton() {
    HWND h = control_;
    const int id = rng_.OneIn(8) ? rng_.Between(90, 110) : rng_.Between(100, 103);
    HWND button = GetDlgItem(h, id);
    what_ = "calendar button " + std::to_string(id);
    if (button && rng_.Coin())
        SendMessageA(button, BM_CLICK, 0, 0);
    else
        SendMessageA(h, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void Soak::ButtonKey() {
    static const UINT kKeys[] = {VK_SPACE, VK_SPACE, VK_SPACE, VK_RETURN, VK_TAB, 'A'};
    const UINT vk = rng_.Pick(kKeys);
    const int form = rng_.Below(4);
    char buf[48];
    std::snprintf(buf, sizeof buf, "button key 0x%02X form %d", vk, form);
    what_ = buf;
    HWND h = control_;
    if (form != 1) SendMessageA(h, WM_KEYDOWN, vk, KeyParam(vk, false, false));
    if (form == 3) SendMessageA(h, WM_KEYDOWN, vk, KeyParam(vk, false, false) | 0x40000000);
    if (form != 2) SendMessageA(h, WM_KEYUP, vk, KeyParam(vk, true, false));
}

// ---- Threads and registration ----------------------------------------------------------------

// A second thread calls an export of the class or a screen reader's client's
// method while this thread pumps: it runs here, as a sent message does. Now
// and then the parent replies early to a notification the call causes (as
// before a message box), which releases the worker; now and then the call
// arrives while this thread is inside a user's change (a character, a key,
// a paste, an edit command). The manual's rules: a call released early
// answers 0 with ERROR_IO_PENDING (a client E_PENDING) and never otherwise,
// and writes nothing of the caller's, its outputs above all, even once the
// work has ended here; a call that answers otherwise answers as on this
// thread; a call that meets a user's change runs before or after it, so the
// text keeps every rule of its class.
void Soak::WorkerEvent() {
    HWND h = control_;
    const int choice = rng_.Below(12);
    const int value = rng_.Int32();
    const bool client = choice >= 8;
    const bool duringChange = IsEdit(info_.kind) && rng_.OneIn(3);
    if (rng_.Coin()) {
        trap_ = Trap::kReplyEarly;
        trapMsg_ = WM_COMMAND;
        trapCount_ = rng_.Between(1, 2);
    }
    what_ = std::string(client ? "a client's call" : "an export") + " from a worker thread, choice " +
            std::to_string(choice) + (duringChange ? ", during a user's change" : "");
    hostSet_ = true;
    IAccessible *acc = nullptr;
    static const IID kAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    if (client && FAILED(AccessibleObjectFromWindow(h, OBJID_CLIENT, kAccessible, reinterpret_cast<void **>(&acc))))
        acc = nullptr;
    const wchar_t *const texts[] = {L"12", L"1.5", L"09:30", L"x", L""};
    const wchar_t *text = texts[rng_.Below(5)];
    const long child = rng_.Below(3);
    replied_ = false;
    HANDLE returned = CreateEventA(nullptr, TRUE, FALSE, nullptr), settled = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> done(false);
    long result = -1;
    DWORD error = 0;
    bool outputsKept = true;
    const DWORD ui = GetCurrentThreadId();
    std::thread worker([&] {
        GuardedOut<long> l;
        GuardedOut<double> d;
        GuardedOut<WORD> hh, mm;
        GuardedOut<int> y;
        GuardedOut<BSTR> b;
        GuardedOut<VARIANT> v;
        Guarded buf(16);
        b.value = nullptr;
        V_VT(&v.value) = VT_EMPTY;
        bool outputs = false;  // the call has out-parameters
        SetLastError(0);
        switch (choice) {
        case 0: case 1: case 2: case 3:  // a setter of the class
            switch (info_.kind) {
            case Kind::kFloat: result = QXFloatSetValue(h, value / 100.0); break;
            case Kind::kPicture: result = QXPicSetValue(h, "12ab"); break;
            case Kind::kTime: result = QXTime_SetTime(h, WORD(value & 31), WORD((value >> 8) & 63)); break;
            case Kind::kCal: result = QXCalSetDay(h, 1 + (value & 31)); break;
            case Kind::kButton: result = QXBtn_SetIcon(h, nullptr); break;
            default: result = QXIntSetValue(h, value); break;
            }
            break;
        case 4: case 5: case 6: case 7:  // a getter of the class
            outputs = true;
            switch (info_.kind) {
            case Kind::kFloat: result = QXFloatGetValue(h, &d.value); break;
            case Kind::kPicture: result = QXPicGetValue(h, buf.data(), buf.size()); break;
            case Kind::kTime: result = QXTime_GetTime(h, &hh.value, &mm.value); break;
            case Kind::kCal: result = QXCalGetYear(h, &y.value); break;
            case Kind::kButton: result = QXBtn_SetIcon(h, nullptr), outputs = false; break;
            default: result = QXIntGetValue(h, &l.value); break;
            }
            break;
        default:
            if (!acc) break;
            outputs = choice != 10;
            if (choice == 8) {
                BSTR given = SysAllocString(text);
                result = acc->put_accValue(Element(0), given);
                SysFreeString(given);
                outputs = false;
            } else if (choice == 9) {
                result = acc->get_accValue(Element(0), &b.value);
            } else if (choice == 10) {
                result = acc->accDoDefaultAction(Element(child));
            } else {
                result = acc->get_accState(Element(child), &v.value);
            }
            break;
        }
        error = GetLastError();
        SetEvent(returned);
        PostThreadMessageA(ui, WM_NULL, 0, 0);
        WaitForSingleObject(settled, 10000);  // the work has ended on the window's thread
        const bool failed = client ? result != S_OK && result != S_FALSE : result == 0;
        if (outputs && failed)
            outputsKept = l.Untouched() && d.Untouched() && hh.Untouched() && mm.Untouched() && y.Untouched() &&
                          buf.Untouched() && (b.value == nullptr || result == S_FALSE) && V_VT(&v.value) == VT_EMPTY;
        outputsKept = outputsKept && b.GuardsIntact() && v.GuardsIntact() && buf.GuardsIntact();
        if (b.value) SysFreeString(b.value);
        VariantClear(&v.value);
        done = true;
        PostThreadMessageA(ui, WM_NULL, 0, 0);
    });
    if (duringChange) {  // the call waits in the queue while this thread is busy
        for (DWORD start = GetTickCount();
             !(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) && WaitForSingleObject(returned, 0) != WAIT_OBJECT_0 &&
             GetTickCount() - start < 2000;)
            Sleep(1);
        const std::string outer = what_;
        switch (rng_.Below(4)) {
        case 0: CharEvent(); break;
        case 1: KeyEvent(false); break;
        case 2: PasteEvent(); break;
        default: EditCommand(); break;
        }
        what_ = outer + " (" + what_ + ")";
    }
    // A dispatch that the pump returns from has run to its end, the work
    // released early included.
    while (WaitForSingleObject(returned, 0) != WAIT_OBJECT_0) {
        MsgWaitForMultipleObjects(1, &returned, FALSE, 50, QS_ALLINPUT);
        Pump();
    }
    Pump();
    SetEvent(settled);
    while (!done) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Pump();
    }
    worker.join();
    CloseHandle(returned);
    CloseHandle(settled);
    if (acc) acc->Release();
    if (info_.kind == Kind::kButton) shownIcon_ = nullptr;
    const bool pending = client ? result == E_PENDING : result == 0 && error == ERROR_IO_PENDING;
    Expect(!pending || replied_, "a call answers that its outcome is unknown only when the parent released it early");
    Expect(outputsKept, "a call writes its caller's outputs only when it succeeds, and within them");
    if (!client) Expect(info_.kind != Kind::kEdit || result == 0, "a typed edit's export fails on a plain edit");
}

void Soak::RegisterEvent() {
    HINSTANCE self = GetModuleHandleA(nullptr);
    switch (rng_.Below(4)) {
    case 0:
        what_ = "RegisterQXCtls and UnregisterQXCtls again";
        Expect(RegisterQXCtls(self) == 1, "registering again succeeds");
        UnregisterQXCtls(self);
        break;
    case 1:
        what_ = "a class registered again and unregistered";
        Expect(QXRegisterIntClass(self) == 1 && QXRegisterBmpBtnClass(self) == 1, "registering a class again succeeds");
        QXUnregisterIntClass(self);
        QXUnregisterBmpBtnClass(self);
        break;
    case 2:
        what_ = "QXEnableOld3d";
        QXEnableOld3d(static_cast<QXBOOL>(rng_.Below(3)));
        break;
    default:
        what_ = "the calendar's class registered again";
        Expect(QXRegisterCalClass(self) == 1 && QXRegisterMonthYearButtonXPClass(self) == 1,
               "registering a class again succeeds");
        QXUnregisterCalClass();
        QXUnregisterMonthYearButtonXPClass(self);
        break;
    }
}

}  // namespace qxs
