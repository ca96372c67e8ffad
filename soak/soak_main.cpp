// qx_soak [--seed S] [--class NAME]... [--events N] [--share K/N (every N-th class from the K-th)] [--no-handles]
#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "handles.h"
#include "oracle.h"
#include "soak.h"

namespace qxs {
namespace {

Soak *g_current = nullptr;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto *self = reinterpret_cast<Soak *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return self ? self->OnParent(hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

// A tick comes only inside a modal loop: an open popup menu's chosen item is picked by its mnemonic, or it ends.
void CALLBACK MenuTick(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = FindWindowA("#32768", nullptr);
    HMENU menu = nullptr;
    if (window && IsWindowVisible(window))
        UpdateWindow(window), menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
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

// In this order the long run's two shares take about as long as each other.
const ClassInfo kClasses[8] = {{"QXEdit", Kind::kEdit},          {"QXInteger", Kind::kInt},
                               {"QXFloat", Kind::kFloat},        {"QXPicture", Kind::kPicture},
                               {"QXCalCntl", Kind::kCal},        {"QXTime", Kind::kTime},
                               {"QXBmpButtonXP", Kind::kButton}, {"QXBmpButton", Kind::kButton}};

Shared::Shared() {
    const struct {
        int height, weight, italic, charset;
        const char *face;
    } kFonts[] = {{-400, FW_NORMAL, 0, ANSI_CHARSET, "Tahoma"},
                  {-1, FW_NORMAL, 0, ANSI_CHARSET, "Tahoma"},
                  {-11, FW_NORMAL, 0, ANSI_CHARSET, "MS Sans Serif"},
                  {-16, FW_BOLD, 1, ANSI_CHARSET, "Courier New"},
                  {-13, FW_NORMAL, 0, SYMBOL_CHARSET, "Symbol"}};
    for (int i = 0; i < 5; ++i)
        fonts[i] = CreateFontA(kFonts[i].height, 0, 0, 0, kFonts[i].weight, kFonts[i].italic, 0, 0, kFonts[i].charset,
                               0, 0, 0, 0, kFonts[i].face);
    brush = CreateSolidBrush(RGB(255, 255, 200));
    LoadIcon(nullptr, IDI_APPLICATION), LoadIcon(nullptr, IDI_WARNING);  // the system's, kept by the process
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ParentProc, wc.hInstance = GetModuleHandleA(nullptr), wc.lpszClassName = "QxSoakParent";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW), wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&wc);
}

Shared::~Shared() {
    for (HFONT f : fonts) DeleteObject(f);
    DeleteObject(brush);
}

const Soak *Soak::Current() { return g_current; }

// A seed and the class's name mixed (FNV-1a): each class has a stream of its own.
static uint64_t MixName(uint64_t seed, const char *name) {
    uint64_t h = 0xCBF29CE484222325ull ^ seed;
    for (; *name; ++name) h = (h ^ static_cast<unsigned char>(*name)) * 0x100000001B3ull;
    return Rng(h).Next();
}

Soak::Soak(const ClassInfo &info, uint64_t seed, const Shared &shared)
    : info_(info), shared_(shared), rng_(MixName(seed, info.name)) {
    g_current = this;
    parent_ = CreateWindowExA(0, "QxSoakParent", "soak", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, 520, 360,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(parent_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    other_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 300, 300, 100, 22, parent_,
                             reinterpret_cast<HMENU>(9), GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(parent_);
    SetClipboard("", false);
    MakeControl();
    Pump();
}

Soak::~Soak() {
    Finish();
    if (g_current == this) g_current = nullptr;
}

void Soak::Finish() {
    DestroyControl();
    if (parent_) SetWindowLongPtrA(parent_, GWLP_USERDATA, 0), DestroyWindow(parent_);
    parent_ = other_ = nullptr;
    for (HICON i : icons_) DestroyIcon(i);
    icons_.clear();
    SetClipboard("", false);
    Pump();
}

// CF_TEXT of the bytes (none for an empty text without its zero).
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

// A random style (each bit of the class once in so many) and creation text; the model starts over.
void Soak::MakeControl() {
    static const struct {
        DWORD bit;
        int oneIn;
    } kBits[] = {{QXES_SPIN, 2},  {QXES_WRAP, 3},        {QXES_RIGHT, 4},  {QXES_READONLY, 8},
                 {WS_BORDER, 4},  {QXES_EXPLAIN, 3},     {QXES_NOBEEP, 2}, {QXCS_NOTIFY, 2},
                 {QXCS_TODAY, 3}, {QXCS_WEEKNUMBERS, 3}, {QXCS_LOCALE, 4}, {BS_DEFPUSHBUTTON, 4}};
    static const char *const kMasks[][8] = {
        {"", "9", "999", "99999999999", "9999999999999999999999", "9a9", "", ""},
        {"", "9999.99", "99.9999", "9.", ".99", "99x9", "", ""},
        {"", "99:99", "99:99 am", "99:99 AM", "99:99 a.m.", "99:99 A.M.", "99:99 pm", "99:99:99"}};
    const Kind k = info_.kind;
    DWORD style = WS_TABSTOP;
    for (int i = IsEdit(k) ? 0 : k == Kind::kCal ? 7 : 11; i < (IsEdit(k) ? 7 : k == Kind::kCal ? 11 : 12); ++i)
        if (rng_.OneIn(kBits[i].oneIn)) style |= kBits[i].bit;
    std::string text = k == Kind::kEdit ? RandomText(20) : "";
    if (k == Kind::kInt || k == Kind::kFloat) text = kMasks[k == Kind::kFloat][rng_.Below(6)];
    if (k == Kind::kTime) text = rng_.Pick(kMasks[2]);
    if (k == Kind::kPicture) text = rng_.OneIn(6) ? "" : RandomMask();
    const bool cal = k == Kind::kCal, button = k == Kind::kButton;
    int w = cal ? 220 : button ? 40 : 140, h = cal ? 160 : button ? 30 : 24;
    if (rng_.OneIn(10)) w = rng_.Between(0, 300), h = rng_.Between(0, 200);
    style_ = style;
    model_ = Model();
    held_ = nullptr, shownIcon_ = nullptr;
    ++made_;
    control_ = CreateWindowExA(0, info_.name, text.c_str(), WS_CHILD | WS_VISIBLE | style, 10, 10, w, h, parent_,
                               reinterpret_cast<HMENU>(7), GetModuleHandleA(nullptr), nullptr);
    if (!control_) return Fail("the control could not be created");
    if (k == Kind::kInt)
        model_.hasMask = !text.empty() && text.find_first_not_of('9') == std::string::npos, model_.mask = text;
    if (k == Kind::kPicture) model_.hasMask = UsableMask(text.c_str()), model_.mask = model_.hasMask ? text : "";
    if (k == Kind::kTime) model_.hasMask = true, model_.mask = IsTimeMask(text.c_str()) ? text : "99:99";
    if (k == Kind::kCal)
        QXCalSetYear(control_, 2024), QXCalSetMonth(control_, 2), QXCalSetDay(control_, 29);  // not today
    if (rng_.OneIn(3)) SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(shared_.fonts[2]), TRUE);
}

void Soak::DestroyControl() {
    if (control_ && IsWindow(control_)) DestroyWindow(control_);
    control_ = nullptr, held_ = nullptr, shownIcon_ = nullptr;
}

// Colour requests answered (default, a brush, none), an edit's notifications counted, the trap sprung.
LRESULT Soak::OnParent(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const bool colour = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN;
    if (msg != WM_COMMAND && !colour) return msg == WM_CLOSE ? 0 : DefWindowProcA(hwnd, msg, wp, lp);
    const bool mine = reinterpret_cast<HWND>(lp) == control_;
    if (mine && msg == WM_COMMAND && IsEdit(info_.kind))
        updates_ += HIWORD(wp) == EN_UPDATE, changes_ += HIWORD(wp) == EN_CHANGE;
    if (mine && trap_ != Trap::kNone && (trapMsg_ == WM_COMMAND) == (msg == WM_COMMAND) && --trapCount_ == 0)
        SpringTrap();
    if (msg == WM_COMMAND || colorMode_ == 0) return msg == WM_COMMAND ? 0 : DefWindowProcA(hwnd, msg, wp, lp);
    if (colorMode_ == 2) return 0;
    SetTextColor(reinterpret_cast<HDC>(wp), RGB(0, 0, 128));
    SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 200));
    return reinterpret_cast<LRESULT>(shared_.brush);
}

void Soak::SpringTrap() {
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
    what_ = outer + " [the parent's trap " + std::to_string(static_cast<int>(t)) + ": " + what_ + "]";
}

void Soak::Pump() {
    MSG msg;
    for (int n = 0; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (n == 2000) return Fail("messages keep coming (a window that keeps invalidating itself?)");
        if (msg.message != WM_TIMER) DispatchMessageA(&msg);
    }
}

void Soak::WithMenuCloser(const std::function<void()> &f) {
    menuChoice_ = rng_.OneIn(3) ? -1 : rng_.Below(8);
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, &MenuTick);
    f();
    KillTimer(nullptr, timer);
    if (FindWindowA("#32768", nullptr)) EndMenu();
}

}  // namespace qxs

namespace {

using qxs::Soak;
unsigned long long g_seed = 0;
std::atomic<long> g_faults(0);
std::atomic<DWORD> g_eventStart(0);
std::atomic<bool> g_eventRunning(false);

void Report(const char *cls, long index, const std::string &why, const std::string &what) {
    const char *prefix = std::getenv("QX_SOAK_REPLAY");
    std::printf("qx_soak: FAILED %s, seed %llu, event %ld: %s\nqx_soak:   the event: %s\n", cls, g_seed, index,
                why.c_str(), what.c_str());
    std::printf("qx_soak:   replay: %s --seed %llu --class %s --events %ld\n",
                prefix && *prefix ? prefix : "qx_soak.exe", g_seed, cls, index + 1);
    std::fflush(stdout);
}

// Reported when raised: the system may swallow it, or the process may not survive it.
LONG CALLBACK OnFault(EXCEPTION_POINTERS *info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    for (DWORD fatal :
         {DWORD(EXCEPTION_ACCESS_VIOLATION), DWORD(EXCEPTION_STACK_OVERFLOW), DWORD(EXCEPTION_ILLEGAL_INSTRUCTION),
          DWORD(EXCEPTION_INT_DIVIDE_BY_ZERO), DWORD(EXCEPTION_ARRAY_BOUNDS_EXCEEDED), DWORD(0xC0000374)})
        if (code == fatal && (++g_faults, Soak::Current()))
            Report(Soak::Current()->info_.name, Soak::Current()->index_, "exception " + std::to_string(code),
                   Soak::Current()->what_);
    return EXCEPTION_CONTINUE_SEARCH;
}

// An event that never ends (a modal loop nobody closes, a deadlock) is reported and the process ends.
void Watchdog() {
    for (;; Sleep(5000))
        if (g_eventRunning && GetTickCount() - g_eventStart > 120000) {
            if (const Soak *s = Soak::Current()) Report(s->info_.name, s->index_, "the event never ended", s->what_);
            ExitProcess(3);
        }
}

}  // namespace

int main(int argc, char **argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    setvbuf(stdout, nullptr, _IOLBF, 0);
    bool seeded = false, handles = true;
    long events = 2000;
    int share = 0, shares = 1;
    std::vector<const qxs::ClassInfo *> named, classes;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i], v = i + 1 < argc ? argv[i + 1] : "";
        const qxs::ClassInfo *c = nullptr;
        for (const qxs::ClassInfo &k : qxs::kClasses) c = v == k.name ? &k : c;
        if (a == "--no-handles") handles = false;
        else if (i + 1 < argc && a == "--seed") g_seed = std::strtoull(v.c_str(), nullptr, 10), seeded = true, ++i;
        else if (i + 1 < argc && a == "--events") events = std::strtol(v.c_str(), nullptr, 10), ++i;
        else if (a == "--class" && c) named.push_back(c), ++i;
        else if (a != "--share" || std::sscanf(v.c_str(), "%d/%d", &share, &shares) != 2 || share < 0 ||
                 share >= shares || (++i, false))
            return std::printf(
                       "usage: qx_soak [--seed S] [--class NAME]... [--events N] [--share K/N] [--no-handles]\n"),
                   2;
    }
    if (named.empty())
        for (const qxs::ClassInfo &k : qxs::kClasses) named.push_back(&k);
    for (size_t i = share; i < named.size(); i += shares) classes.push_back(named[i]);
    if (!seeded) {
        LARGE_INTEGER t;
        QueryPerformanceCounter(&t);
        g_seed =
            (static_cast<unsigned long long>(t.QuadPart) ^ (0ull + GetCurrentProcessId()) << 32) % 1000000000000ull;
    }
    if (events < 0) return 2;
    AddVectoredExceptionHandler(1, OnFault);
    std::thread(Watchdog).detach();
    HINSTANCE self = GetModuleHandleA(nullptr);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // the windows answer screen readers' clients here
    if (RegisterQXCtls(self) != 1) return std::printf("qx_soak: the classes could not be registered\n"), 1;
    SetCursorPos(1270, 1010);  // hovering is the events' doing only
    std::printf("qx_soak: seed %llu, %ld events per class\n", g_seed, events);

    qxs::Shared shared;
    // The tables filled but for a reserve: each class is counted by the free slots before and after.
    qxb::HandleGauge gdi(qxb::HandleKind::kGdi, 4096), user(qxb::HandleKind::kUser, 2048);
    const bool counting = handles && gdi.Fill() && user.Fill();
    if (handles && !counting) std::printf("qx_soak: the handle tables could not be filled; handles are not counted\n");
    int failed = 0;
    long total = 0;
    double totalSeconds = 0;
    for (const qxs::ClassInfo *cls : classes) {
        QXEnableOld3d(0);
        // What the system and the library make once for the process is made before counting.
        Soak(*cls, g_seed ^ 0x5A5A5A5Au, shared).Tour();
        qxb::SettleDcCache();
        const int gdiBefore = counting ? gdi.Settle() : -1, userBefore = counting ? user.Settle() : -1;
        const DWORD start = GetTickCount();
        Soak soak(*cls, g_seed, shared);
        bool ok = true;
        while (ok && soak.index_ < events) {
            g_eventStart = GetTickCount();
            g_eventRunning = true;
            const long faults = g_faults;
            ok = soak.Run(soak.index_ + 1) && g_faults == faults;
            if (!ok)
                Report(cls->name, soak.index_ - 1, g_faults != faults ? "an exception (reported above)" : soak.failure_,
                       soak.what_);
        }
        g_eventRunning = false;
        const long done = soak.index_;
        soak.Finish();
        const double seconds = (GetTickCount() - start) / 1000.0;
        qxb::SettleDcCache();
        std::string counted = "handles not counted";
        const int gdiAfter = counting ? gdi.FreeSlots() : -1, userAfter = counting ? user.FreeSlots() : -1;
        if (gdiBefore >= 0 && userBefore >= 0 && gdiAfter >= 0 && userAfter >= 0) {
            counted = "GDI " + std::to_string(gdiBefore - gdiAfter) + ", USER " +
                      std::to_string(userBefore - userAfter) + " handles gained";
            if (ok && (gdiAfter != gdiBefore || userAfter != userBefore)) {
                ok = false;
                Report(cls->name, done - 1, counted, "");
            }
        }
        std::printf("qx_soak: %-13s %8ld events in %7.1f s, %6.0f per second, %s, digest %016llx%s\n", cls->name, done,
                    seconds, seconds > 0 ? done / seconds : 0.0, counted.c_str(),
                    static_cast<unsigned long long>(soak.digest_), ok ? "" : "  FAILED");
        total += done, totalSeconds += seconds, failed += ok ? 0 : 1;
    }
    UnregisterQXCtls(self);
    std::printf("qx_soak: done: %d classes, %ld events in %.1f s (%.0f per second), %s\n",
                static_cast<int>(classes.size()), total, totalSeconds, totalSeconds > 0 ? total / totalSeconds : 0.0,
                failed ? (std::to_string(failed) + " failed").c_str() : "nothing found");
    return failed ? 1 : 0;
}
