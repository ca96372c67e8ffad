// The stage of a class's soak: a parent window that answers colour requests,
// counts an edit's notifications and springs the event's trap, a system edit
// that takes the focus away, the control itself, the message pump, held keys
// and the popup menu closer.
#include "oracle.h"
#include "soak.h"

namespace qxs {
namespace {

Soak *g_current = nullptr;
constexpr int kControlId = 7, kOtherId = 9;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto *self = reinterpret_cast<Soak *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return self ? self->OnParent(hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

// The soak's pump leaves timers alone, so a tick comes only inside a modal
// loop: a popup menu's gets its chosen item by the item's mnemonic when it
// is enabled; otherwise (another item, a menu still open at the next tick,
// menu-bar tracking) the loop is ended.
void CALLBACK MenuTick(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = FindWindowA("#32768", nullptr);
    HMENU menu = nullptr;
    if (window && IsWindowVisible(window)) {
        UpdateWindow(window);  // drawn before it closes: the drawing is part of every run
        menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    }
    const int item = g_current ? g_current->menuChoice_ : -1;
    if (g_current) g_current->menuChoice_ = -1;
    char text[128] = "";
    if (menu && item >= 0 && item < GetMenuItemCount(menu) &&
        GetMenuStringA(menu, item, text, sizeof text, MF_BYPOSITION) &&
        !(GetMenuState(menu, item, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR)))
        if (const char *amp = std::strchr(text, '&'); amp && amp[1])
            return (void)PostMessageA(window, WM_CHAR,
                                      static_cast<BYTE>(amp[1] >= 'A' && amp[1] <= 'Z' ? amp[1] + 32 : amp[1]), 0);
    EndMenu();
}

}  // namespace

// In this order the long run's two shares (every other class) take about
// as long as each other.
const ClassInfo kClasses[] = {{"QXEdit", Kind::kEdit},          {"QXInteger", Kind::kInt},
                              {"QXFloat", Kind::kFloat},        {"QXPicture", Kind::kPicture},
                              {"QXCalCntl", Kind::kCal},        {"QXTime", Kind::kTime},
                              {"QXBmpButtonXP", Kind::kButton}, {"QXBmpButton", Kind::kButton}};
const int kClassCount = sizeof kClasses / sizeof kClasses[0];

const ClassInfo *FindClass(const std::string &name) {
    for (const ClassInfo &c : kClasses)
        if (name == c.name) return &c;
    return nullptr;
}

Shared::Shared() {
    const struct {
        int height, weight;
        BOOL italic;
        DWORD charset;
        const char *face;
    } kFonts[] = {{-400, FW_NORMAL, FALSE, ANSI_CHARSET, "Tahoma"},
                  {-1, FW_NORMAL, FALSE, ANSI_CHARSET, "Tahoma"},
                  {-11, FW_NORMAL, FALSE, ANSI_CHARSET, "MS Sans Serif"},
                  {-16, FW_BOLD, TRUE, ANSI_CHARSET, "Courier New"},
                  {-13, FW_NORMAL, FALSE, SYMBOL_CHARSET, "Symbol"}};
    for (int i = 0; i < 5; ++i)
        fonts[i] = CreateFontA(kFonts[i].height, 0, 0, 0, kFonts[i].weight, kFonts[i].italic, FALSE, FALSE,
                               kFonts[i].charset, 0, 0, 0, 0, kFonts[i].face);
    brush = CreateSolidBrush(RGB(255, 255, 200));
    // The system's shared icons the buttons are given stay with the process
    // once loaded: loaded before anything is counted.
    LoadIcon(nullptr, IDI_APPLICATION);
    LoadIcon(nullptr, IDI_WARNING);
    WNDCLASSA wc = {0,
                    ParentProc,
                    0,
                    0,
                    GetModuleHandleA(nullptr),
                    nullptr,
                    LoadCursor(nullptr, IDC_ARROW),
                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                    nullptr,
                    "QxSoakParent"};
    RegisterClassA(&wc);
}

Shared::~Shared() {
    for (HFONT f : fonts) DeleteObject(f);
    DeleteObject(brush);
}

const Soak *Soak::Current() { return g_current; }

Soak::Soak(const ClassInfo &info, uint64_t seed, const Shared &shared, bool trace)
    : info_(info), shared_(shared), rng_(MixName(seed, info.name)), trace_(trace) {
    g_current = this;
    HINSTANCE self = GetModuleHandleA(nullptr);
    parent_ = CreateWindowExA(0, "QxSoakParent", "soak", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, 520, 360,
                              nullptr, nullptr, self, nullptr);
    SetWindowLongPtrA(parent_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    other_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 300, 300, 100, 22, parent_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOtherId)), self, nullptr);
    SetForegroundWindow(parent_);
    SetClipboard("", false);  // every class starts from the same clipboard
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
        SetWindowLongPtrA(parent_, GWLP_USERDATA, 0);
        DestroyWindow(parent_);
    }
    parent_ = other_ = nullptr;
    for (HICON i : icons_) DestroyIcon(i);
    icons_.clear();
    SetClipboard("", false);
    Pump();
}

// The clipboard emptied, then given the bytes as CF_TEXT (none for an empty
// text without its zero).
void Soak::SetClipboard(const std::string &bytes, bool terminated) {
    if (!OpenClipboard(parent_)) return;
    EmptyClipboard();
    const size_t size = bytes.size() + (terminated ? 1 : 0);
    if (HGLOBAL mem = size ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr) {
        std::memcpy(GlobalLock(mem), bytes.c_str(), size);
        GlobalUnlock(mem);
        if (!SetClipboardData(CF_TEXT, mem)) GlobalFree(mem);
    }
    CloseClipboard();
}

// ---- The control

void Soak::MakeControl() {
    const Kind k = info_.kind;
    static const char *const kMasks[][8] = {
        {"", "9", "999", "99999999999", "9999999999999999999999", "9a9"},
        {"", "9999.99", "99.9999", "9.", ".99", "99x9"},
        {"", "99:99", "99:99 am", "99:99 AM", "99:99 a.m.", "99:99 A.M.", "99:99 pm", "99:99:99"}};
    DWORD style = WS_TABSTOP;
    std::string text;
    int w = 140, h = 24;
    // Each style bit of the class on once in so many controls.
    static const struct {
        DWORD bit;
        int oneIn;
    } kBits[] = {{QXES_SPIN, 2},  {QXES_WRAP, 3},        {QXES_RIGHT, 4},  {QXES_READONLY, 8},
                 {WS_BORDER, 4},  {QXES_EXPLAIN, 3},     {QXES_NOBEEP, 2}, {QXCS_NOTIFY, 2},
                 {QXCS_TODAY, 3}, {QXCS_WEEKNUMBERS, 3}, {QXCS_LOCALE, 4}, {BS_DEFPUSHBUTTON, 4}};
    const int group = IsEdit(k) ? 0 : k == Kind::kCal ? 7 : 11, end = IsEdit(k) ? 7 : k == Kind::kCal ? 11 : 12;
    for (int i = group; i < end; ++i)
        if (rng_.OneIn(kBits[i].oneIn)) style |= kBits[i].bit;
    if (k == Kind::kInt) text = kMasks[0][rng_.Below(6)];
    if (k == Kind::kFloat) text = kMasks[1][rng_.Below(6)];
    if (k == Kind::kTime) text = rng_.Pick(kMasks[2]);
    if (k == Kind::kPicture) text = rng_.OneIn(6) ? "" : RandomMask();
    if (k == Kind::kEdit) text = RandomText(20);
    if (k == Kind::kCal) w = 220, h = 160;
    if (k == Kind::kButton) w = 40, h = 30;
    if (rng_.OneIn(10)) w = rng_.Between(0, 300), h = rng_.Between(0, 200);
    style_ = style;
    model_ = Model();
    held_ = nullptr;
    shownIcon_ = nullptr;
    ++made_;
    control_ =
        CreateWindowExA(0, info_.name, text.c_str(), WS_CHILD | WS_VISIBLE | style, 10, 10, w, h, parent_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)), GetModuleHandleA(nullptr), nullptr);
    if (!control_) return Fail("the control could not be created");
    // What the creation text gave: the integer's mask of 9s, the picture's
    // usable mask, the time's mask or 99:99.
    if (k == Kind::kInt)
        model_.hasMask = !text.empty() && text.find_first_not_of('9') == std::string::npos, model_.mask = text;
    if (k == Kind::kPicture) model_.hasMask = UsableMask(text.c_str()), model_.mask = model_.hasMask ? text : "";
    if (k == Kind::kTime) model_.hasMask = true, model_.mask = IsTimeMask(text.c_str()) ? text : "99:99";
    if (k == Kind::kCal) {  // a fixed date: the stream must not depend on the day it runs
        QXCalSetYear(control_, 2024);
        QXCalSetMonth(control_, 2);
        QXCalSetDay(control_, 29);
    }
    if (rng_.OneIn(3)) SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(shared_.fonts[2]), TRUE);
}

void Soak::DestroyControl() {
    if (control_ && IsWindow(control_)) DestroyWindow(control_);
    control_ = nullptr;
    held_ = nullptr;  // deleted with the button
    shownIcon_ = nullptr;
}

// ---- The parent

LRESULT Soak::OnParent(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const bool colour = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN;
    if (msg != WM_COMMAND && !colour)
        return msg == WM_CLOSE ? 0 : DefWindowProcA(hwnd, msg, wp, lp);  // Alt+F4: the stage stays
    if (reinterpret_cast<HWND>(lp) == control_ && msg == WM_COMMAND && IsEdit(info_.kind))
        updates_ += HIWORD(wp) == EN_UPDATE, changes_ += HIWORD(wp) == EN_CHANGE;
    if (reinterpret_cast<HWND>(lp) == control_ && trap_ != Trap::kNone &&
        (trapMsg_ == WM_COMMAND) == (msg == WM_COMMAND) && --trapCount_ == 0)
        SpringTrap();
    if (msg == WM_COMMAND || colorMode_ == 0) return msg == WM_COMMAND ? 0 : DefWindowProcA(hwnd, msg, wp, lp);
    if (colorMode_ == 2) return 0;
    SetTextColor(reinterpret_cast<HDC>(wp), RGB(0, 0, 128));
    SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 200));
    return reinterpret_cast<LRESULT>(shared_.brush);
}

// The trap goes off once; what it does may send messages that come back here.
void Soak::SpringTrap() {
    static const char *const kNames[] = {"",       "destroys it",     "renews it",    "sets its text",
                                         "calls ", "moves the focus", "replies early"};
    const std::string outer = what_;
    const Trap t = trap_ == Trap::kExport && modelInFlux_ ? Trap::kSetText : trap_;
    trap_ = Trap::kNone;
    ++springs_;
    what_.clear();
    if (t == Trap::kDestroy || t == Trap::kRenew) DestroyWindow(control_);
    if (t == Trap::kRenew) MakeControl();
    if (t == Trap::kSetText)
        SendMessageA(control_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(RandomText(70).c_str())), hostSet_ = true;
    if (t == Trap::kExport) ExportEvent();
    if (t == Trap::kFocusAway) SetFocus(other_);
    if (t == Trap::kReplyEarly && InSendMessage()) replied_ = ReplyMessage(0) != FALSE;  // as before a message box
    what_ = outer + " [the parent " + kNames[static_cast<int>(t)] + what_ + "]";
}

// ---- Messages, keys and menus

void Soak::Pump() {
    MSG msg;
    for (int n = 0; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (n == 2000) return Fail("messages keep coming (a window that keeps invalidating itself?)");
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
    if (mods & 6) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    if (mods & 4) state[VK_MENU] = state[VK_RMENU] = 0x80;
    if (mods & 8) state[VK_MENU] = state[VK_LMENU] = 0x80;
    SetKeyboardState(state);
}

void Soak::WithMenuCloser(const std::function<void()> &f) {
    menuChoice_ = rng_.OneIn(3) ? -1 : rng_.Below(8);
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, &MenuTick);
    f();
    KillTimer(nullptr, timer);
    if (FindWindowA("#32768", nullptr)) EndMenu();  // a menu a later message loop would find open
}

}  // namespace qxs
