// The stage of a class's soak: a parent window that answers colour requests
// and springs the event's trap, a system edit that takes the focus away, the
// control itself, the message pump, held keys and the popup menu closer.
#include <cstdlib>
#include <cstring>

#include "oracle.h"
#include "qx_cntl.h"
#include "soak.h"

namespace qxs {
namespace {

const char kParentClass[] = "QxSoakParent";
Soak *g_current = nullptr;

void RegisterParent() {
    static bool done = false;
    if (done) return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kParentClass;
    RegisterClassA(&wc);
    done = true;
}

constexpr int kControlId = 7;
constexpr int kOtherId = 9;

}  // namespace

// In this order the long run's two shares (every other class) take about
// as long as each other.
const ClassInfo kClasses[] = {
    {"QXEdit", Kind::kEdit},        {"QXInteger", Kind::kInt},      {"QXFloat", Kind::kFloat},
    {"QXPicture", Kind::kPicture},  {"QXCalCntl", Kind::kCal},      {"QXTime", Kind::kTime},
    {"QXBmpButtonXP", Kind::kButton}, {"QXBmpButton", Kind::kButton},
};
const int kClassCount = sizeof kClasses / sizeof kClasses[0];

const ClassInfo *FindClass(const std::string &name) {
    for (const ClassInfo &c : kClasses)
        if (name == c.name) return &c;
    return nullptr;
}

bool IsEdit(Kind k) { return k != Kind::kCal && k != Kind::kButton; }

Shared::Shared() {
    const struct {
        int height, weight;
        BOOL italic;
        DWORD charset;
        const char *face;
    } kFonts[] = {
        {-400, FW_NORMAL, FALSE, ANSI_CHARSET, "Tahoma"},
        {-1, FW_NORMAL, FALSE, ANSI_CHARSET, "Tahoma"},
        {-11, FW_NORMAL, FALSE, ANSI_CHARSET, "MS Sans Serif"},
        {-16, FW_BOLD, TRUE, ANSI_CHARSET, "Courier New"},
        {-13, FW_NORMAL, FALSE, SYMBOL_CHARSET, "Symbol"},
    };
    for (int i = 0; i < 5; ++i)
        fonts[i] = CreateFontA(kFonts[i].height, 0, 0, 0, kFonts[i].weight, kFonts[i].italic, FALSE, FALSE,
                               kFonts[i].charset, 0, 0, 0, 0, kFonts[i].face);
    brush = CreateSolidBrush(RGB(255, 255, 200));
    // The system's shared icons the buttons are given: loaded once, they stay
    // with the process, so they are loaded before anything is counted.
    LoadIcon(nullptr, IDI_APPLICATION);
    LoadIcon(nullptr, IDI_WARNING);
}

Shared::~Shared() {
    for (HFONT f : fonts) DeleteObject(f);
    DeleteObject(brush);
}

const Soak *Soak::Current() { return g_current; }

Soak::Soak(const ClassInfo &info, uint64_t seed, const Shared &shared, bool trace)
    : info_(info), shared_(shared), rng_(MixName(seed, info.name)), trace_(trace) {
    g_current = this;
    RegisterParent();
    parent_ = CreateWindowExA(0, kParentClass, "soak", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, 520, 360,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(parent_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Soak::ParentProc));
    other_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 300, 300, 100, 22, parent_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOtherId)), GetModuleHandleA(nullptr),
                             nullptr);
    SetForegroundWindow(parent_);
    // Every class starts from the same clipboard.
    if (OpenClipboard(parent_)) {
        EmptyClipboard();
        CloseClipboard();
    }
    MakeControl();
    Pump();
}

Soak::~Soak() {
    Finish();
    if (g_current == this) g_current = nullptr;
}

void Soak::Finish() {
    DestroyControl();
    if (parent_) {
        SetWindowLongPtrA(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
        DestroyWindow(parent_);
    }
    parent_ = other_ = nullptr;
    for (HBITMAP b : bitmaps_) DeleteObject(b);
    bitmaps_.clear();
    for (HICON i : icons_) DestroyIcon(i);
    icons_.clear();
    shownIcon_ = nullptr;
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    Pump();
}

// ---- The control -------------------------------------------------------------

void Soak::MakeControl() {
    const Kind k = info_.kind;
    DWORD style = WS_TABSTOP;
    std::string text;
    int w = 140, h = 24;
    if (IsEdit(k)) {
        if (rng_.Coin()) style |= QXES_SPIN;
        if (rng_.OneIn(3)) style |= QXES_WRAP;
        if (rng_.OneIn(4)) style |= QXES_RIGHT;
        if (rng_.OneIn(8)) style |= QXES_READONLY;
        if (rng_.OneIn(4)) style |= WS_BORDER;
        switch (k) {
        case Kind::kInt: {
            static const char *const masks[] = {"", "9", "999", "99999999999", "9999999999999999999999", "9a9"};
            text = rng_.Pick(masks);
            break;
        }
        case Kind::kFloat: {
            static const char *const masks[] = {"", "9999.99", "99.9999", "9.", ".99", "99x9"};
            text = rng_.Pick(masks);
            break;
        }
        case Kind::kPicture: text = rng_.OneIn(6) ? "" : RandomMask(); break;
        case Kind::kTime: {
            static const char *const masks[] = {"", "99:99", "99:99 am", "99:99 AM", "99:99 a.m.", "99:99 A.M.",
                                                "99:99 pm", "99:99:99"};
            text = rng_.Pick(masks);
            break;
        }
        default: text = RandomText(20); break;
        }
    } else if (k == Kind::kCal) {
        w = 220;
        h = 160;
        if (rng_.Coin()) style |= QXCS_NOTIFY;
        if (rng_.OneIn(3)) style |= QXCS_TODAY;
        if (rng_.OneIn(3)) style |= QXCS_WEEKNUMBERS;
        if (rng_.OneIn(4)) style |= QXCS_LOCALE;
    } else {
        w = 40;
        h = 30;
        if (rng_.OneIn(4)) style |= BS_DEFPUSHBUTTON;
    }
    if (rng_.OneIn(10)) {
        w = rng_.Between(0, 300);
        h = rng_.Between(0, 200);
    }
    style_ = style;
    model_ = Model();
    held_ = nullptr;
    shownIcon_ = nullptr;
    ++made_;
    control_ = CreateWindowExA(0, info_.name, text.c_str(), WS_CHILD | WS_VISIBLE | style, 10, 10, w, h, parent_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)),
                               GetModuleHandleA(nullptr), nullptr);
    if (!control_) {
        Fail("the control could not be created");
        return;
    }
    // What the creation text gave.
    switch (k) {
    case Kind::kInt:
        model_.hasMask = !text.empty() && text.find_first_not_of('9') == std::string::npos;
        model_.mask = text;
        break;
    case Kind::kPicture:
        model_.hasMask = UsableMask(text.c_str());
        model_.mask = model_.hasMask ? text : "";
        break;
    case Kind::kTime:
        model_.hasMask = true;
        model_.mask = IsTimeMask(text.c_str()) ? text : "99:99";
        break;
    case Kind::kCal:
        // A fixed date: the stream must not depend on the day it runs.
        QXCalSetYear(control_, 2024);
        QXCalSetMonth(control_, 2);
        QXCalSetDay(control_, 29);
        break;
    default: break;
    }
    if (rng_.OneIn(3)) SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(shared_.fonts[2]), TRUE);
}

void Soak::DestroyControl() {
    if (control_ && IsWindow(control_)) DestroyWindow(control_);
    control_ = nullptr;
    held_ = nullptr;  // deleted with the button
    shownIcon_ = nullptr;
}

// ---- The parent ---------------------------------------------------------------

LRESULT CALLBACK Soak::ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto *self = reinterpret_cast<Soak *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return self ? self->OnParent(hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT Soak::OnParent(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const bool colour = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN;
    if ((msg == WM_COMMAND || colour) && reinterpret_cast<HWND>(lp) == control_ && trap_ != Trap::kNone &&
        (trapMsg_ == WM_COMMAND) == (msg == WM_COMMAND) && --trapCount_ == 0)
        SpringTrap();
    switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (colorMode_ == 1) {
            SetTextColor(reinterpret_cast<HDC>(wp), RGB(0, 0, 128));
            SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 200));
            return reinterpret_cast<LRESULT>(shared_.brush);
        }
        if (colorMode_ == 2) return 0;
        break;
    case WM_COMMAND: return 0;
    // Alt+F4 sent to the control reaches the parent as a close: the stage
    // stays.
    case WM_CLOSE: return 0;
    default: break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// The trap goes off once; what it does may send messages that come back here.
void Soak::SpringTrap() {
    const std::string outer = what_;
    const Trap t = trap_ == Trap::kExport && modelInFlux_ ? Trap::kSetText : trap_;
    trap_ = Trap::kNone;
    ++springs_;
    HWND h = control_;
    switch (t) {
    case Trap::kDestroy:
        DestroyWindow(h);
        break;
    case Trap::kRenew:
        DestroyWindow(h);
        MakeControl();
        break;
    case Trap::kSetText: {
        const std::string text = RandomText(70);
        SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        hostSet_ = true;
        break;
    }
    case Trap::kExport:
        what_.clear();
        ExportEvent();
        if (what_.empty()) what_ = "no export (the class has none)";
        break;
    case Trap::kFocusAway:
        SetFocus(other_);
        break;
    case Trap::kReplyEarly:  // as before a message box
        if (InSendMessage()) replied_ = ReplyMessage(0) != FALSE;
        break;
    case Trap::kNone: break;
    }
    static const char *const kNames[] = {"",        "destroys it",     "renews it",    "sets its text",
                                         "calls ", "moves the focus", "replies early"};
    what_ = outer + " [the parent " + kNames[static_cast<int>(t)] + (t == Trap::kExport ? what_ : "") + "]";
}

// ---- Messages, keys and menus ---------------------------------------------------

void Soak::Pump() {
    MSG msg;
    for (int n = 0; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (n == 2000) {
            Fail("messages keep coming (a window that keeps invalidating itself?)");
            return;
        }
        // A timer's message is dropped: the system makes a new one when the
        // timer next elapses.
        if (msg.message != WM_TIMER) DispatchMessageA(&msg);
    }
}

void Soak::HoldKeys(int mods) {
    static int held = 0;
    if (!mods && !held) return;
    held = mods;
    BYTE state[256] = {};
    if (mods & 1) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    if (mods & 2) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    if (mods & 4) state[VK_CONTROL] = state[VK_LCONTROL] = state[VK_MENU] = state[VK_RMENU] = 0x80;
    if (mods & 8) state[VK_MENU] = state[VK_LMENU] = 0x80;
    SetKeyboardState(state);
}

// The soak's pump leaves timers alone, so a tick comes only inside a modal
// loop: a popup menu's gets its chosen item by the item's mnemonic when it
// is enabled; otherwise (another item, a menu still open at the next tick,
// menu-bar tracking) the loop is ended.
void CALLBACK Soak::MenuTick(HWND, UINT, UINT_PTR, DWORD) {
    Soak *self = g_current;
    HWND window = FindWindowA("#32768", nullptr);
    HMENU menu = nullptr;
    if (window && IsWindowVisible(window)) {
        // Drawn before it closes, whenever it closes: the drawing is part of
        // every run.
        UpdateWindow(window);
        menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    }
    const int item = self ? self->menuChoice_ : -1;
    if (self) self->menuChoice_ = -1;
    if (menu && item >= 0 && item < GetMenuItemCount(menu)) {
        const UINT state = GetMenuState(menu, item, MF_BYPOSITION);
        char text[128] = "";
        GetMenuStringA(menu, item, text, sizeof text, MF_BYPOSITION);
        const char *amp = std::strchr(text, '&');
        if (!(state & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR)) && amp && amp[1]) {
            const char key = amp[1] >= 'A' && amp[1] <= 'Z' ? static_cast<char>(amp[1] - 'A' + 'a') : amp[1];
            PostMessageA(window, WM_CHAR, static_cast<BYTE>(key), 0);
            return;
        }
    }
    EndMenu();
}

void Soak::WithMenuCloser(const std::function<void()> &f) {
    menuChoice_ = rng_.OneIn(3) ? -1 : rng_.Below(8);
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, &Soak::MenuTick);
    f();
    KillTimer(nullptr, timer);
    // A menu that a later message loop would find open is closed now.
    if (FindWindowA("#32768", nullptr)) EndMenu();
}

}  // namespace qxs
