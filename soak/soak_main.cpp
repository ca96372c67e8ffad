// qx_soak [--seed S] [--class C]... [--events N] [--share K/N (every N-th class from the K-th)] [--no-handles]
#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "handles.h"
#include "soak.h"

namespace qxs {

// In this order the long run's two shares take about as long as each other.
const ClassInfo kClasses[8] = {{"QXEdit", Kind::kEdit},          {"QXInteger", Kind::kInt},
                               {"QXFloat", Kind::kFloat},        {"QXPicture", Kind::kPicture},
                               {"QXCalCntl", Kind::kCal},        {"QXTime", Kind::kTime},
                               {"QXBmpButtonXP", Kind::kButton}, {"QXBmpButton", Kind::kButton}};

Soak *g_current = nullptr;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto *self = reinterpret_cast<Soak *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return self ? self->OnParent(hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

Soak::Soak(const ClassInfo &info, uint64_t seed) : info_(info), rng_(0) {
    g_current = this;
    uint64_t h = 0xCBF29CE484222325ull ^ seed;  // the seed and the class's name mixed: a stream for each class
    for (const char *c = info.name; *c; ++c) h = (h ^ static_cast<unsigned char>(*c)) * 0x100000001B3ull;
    rng_ = Rng(Rng(h).Next());
    fonts_[0] = CreateFontA(-400, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    fonts_[1] = CreateFontA(-1, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    fonts_[2] = CreateFontA(-16, 0, 0, 0, FW_BOLD, 1, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New");
    fonts_[3] = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, "Symbol");
    brush_ = CreateSolidBrush(RGB(255, 255, 200));
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

Soak::~Soak() { Finish(), g_current = nullptr; }  // one soak at a time

void Soak::Finish() {
    if (control_ && IsWindow(control_)) DestroyWindow(control_);
    if (parent_) SetWindowLongPtrA(parent_, GWLP_USERDATA, 0), DestroyWindow(parent_);
    control_ = parent_ = other_ = nullptr;
    for (HFONT &f : fonts_) DeleteObject(f), f = nullptr;
    if (brush_) DeleteObject(brush_), brush_ = nullptr;
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

// Colour requests answered (default, a brush, none), an edit's notifications counted.
LRESULT Soak::OnParent(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const bool colour = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN;
    if (msg != WM_COMMAND && !colour) return msg == WM_CLOSE ? 0 : DefWindowProcA(hwnd, msg, wp, lp);
    if (reinterpret_cast<HWND>(lp) == control_ && msg == WM_COMMAND && IsEdit(info_.kind))
        updates_ += HIWORD(wp) == EN_UPDATE, changes_ += HIWORD(wp) == EN_CHANGE;
    if (msg == WM_COMMAND || colorMode_ == 0) return msg == WM_COMMAND ? 0 : DefWindowProcA(hwnd, msg, wp, lp);
    if (colorMode_ == 2) return 0;
    SetTextColor(reinterpret_cast<HDC>(wp), RGB(0, 0, 128)), SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 200));
    return reinterpret_cast<LRESULT>(brush_);
}

void Soak::Pump() {
    MSG msg;
    for (int n = 0; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (n == 2000) return Fail("messages keep coming (a window that keeps invalidating itself?)");
        if (msg.message != WM_TIMER) DispatchMessageA(&msg);
    }
}

}  // namespace qxs

namespace {

using qxs::g_current;
unsigned long long g_seed = 0;
std::atomic<long> g_faults(0);
std::atomic<DWORD> g_eventStart(0);
std::atomic<bool> g_eventRunning(false);

void Report(const char *cls, long index, const std::string &why, const std::string &what) {
    const char *prefix = std::getenv("QX_SOAK_REPLAY");  // how the caller replays
    std::printf("qx_soak: FAILED %s, seed %llu, event %ld: %s\nqx_soak:   the event: %s\nqx_soak:   replay: %s "
                "--seed %llu --class %s --events %ld\n", cls, g_seed, index, why.c_str(), what.c_str(),
                prefix && *prefix ? prefix : "qx_soak.exe", g_seed, cls, index + 1);
    std::fflush(stdout);
}

// Reported when raised: the system may swallow it, or the process may not survive it.
LONG CALLBACK OnFault(EXCEPTION_POINTERS *info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    // An access violation, a stack overflow, an illegal instruction, a division by zero, bounds, a corrupt heap.
    for (DWORD fatal : {0xC0000005u, 0xC00000FDu, 0xC000001Du, 0xC0000094u, 0xC000008Cu, 0xC0000374u})
        if (code == fatal && (++g_faults, g_current))
            Report(g_current->info_.name, g_current->index_, "exception " + std::to_string(code), g_current->what_);
    return EXCEPTION_CONTINUE_SEARCH;
}

// An event that never ends (a modal loop nobody closes, a deadlock) is reported and the process ends.
void Watchdog() {
    for (;; Sleep(5000))
        if (g_eventRunning && GetTickCount() - g_eventStart > 120000) {
            if (g_current) Report(g_current->info_.name, g_current->index_, "the event never ended", g_current->what_);
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
            return std::puts("usage: qx_soak [--seed S] [--class C]... [--events N] [--share K/N] [--no-handles]"), 2;
    }
    if (named.empty())
        for (const qxs::ClassInfo &k : qxs::kClasses) named.push_back(&k);
    for (size_t i = share; i < named.size(); i += shares) classes.push_back(named[i]);
    LARGE_INTEGER t;
    if (!seeded && QueryPerformanceCounter(&t))
        g_seed = (static_cast<unsigned long long>(t.QuadPart) ^ (0ull + GetCurrentProcessId()) << 32) % 1000000000000;
    if (events < 0) return 2;
    AddVectoredExceptionHandler(1, OnFault);
    std::thread(Watchdog).detach();
    HINSTANCE self = GetModuleHandleA(nullptr);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // the windows answer screen readers' clients here
    if (RegisterQXCtls(self) != 1) return std::printf("qx_soak: the classes could not be registered\n"), 1;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = qxs::ParentProc, wc.hInstance = self, wc.lpszClassName = "QxSoakParent";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW), wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&wc);
    SetCursorPos(1270, 1010);            // hovering is the events' doing only
    std::printf("qx_soak: seed %llu, %ld events per class\n", g_seed, events);

    // The tables filled but for a reserve: each class is counted by the free slots before and after.
    qxb::HandleGauge gdi(qxb::HandleKind::kGdi, 4096), user(qxb::HandleKind::kUser, 2048);
    const bool counting = handles && gdi.Fill() && user.Fill();
    if (handles && !counting) std::printf("qx_soak: the handle tables could not be filled; handles are not counted\n");
    int failed = 0;
    long total = 0;
    double totalSeconds = 0;
    for (const qxs::ClassInfo *cls : classes) {
        // What the system and the library make once for the process is made before counting.
        qxs::Soak(*cls, g_seed ^ 0x5A5A5A5Au).Tour();
        qxb::SettleDcCache();
        const int gdiBefore = counting ? gdi.Settle() : -1, userBefore = counting ? user.Settle() : -1;
        const DWORD start = GetTickCount();
        qxs::Soak soak(*cls, g_seed);
        bool ok = true;
        while (ok && soak.index_ < events) {
            g_eventStart = GetTickCount(), g_eventRunning = true;
            const long faults = g_faults;
            soak.Event(), qxs::CheckAll(soak), ++soak.index_;
            ok = soak.failure_.empty() && g_faults == faults;
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
            if (ok && (gdiAfter != gdiBefore || userAfter != userBefore))
                ok = false, Report(cls->name, done - 1, counted, "");
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
