// qx_bench: the library's controls against the system's own doing the same
// jobs, both in this process, in the look the Wine prefix gives (a theme in
// force, or the classic look). One line per case with both times, their
// ratio, its goal and the handles gained; exits with 1 when a case could not
// run or the library's side gained a GDI or USER handle.
//
// Usage: qx_bench [--quick] [--rounds N] [--ops N] [--only TEXT] [--no-handles]
//   --quick   two rounds of three operations a side: every case runs, the
//             figures mean nothing (the test suite's run)
//   --rounds, --ops   rounds, and operations per side and round (default
//             40 x 250: 10,000 operations a side between the handle counts)
//   --only    the cases whose name contains TEXT
//   --no-handles  times only, no handle counts
#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cases.h"
#include "handles.h"
#include "qx_cntl.h"
#include "runner.h"
#include "stage.h"

namespace {

using namespace qxb;

// Slots left free in the filled handle tables: far more than any case
// holds at once, and room for one handle lost per operation on each side
// (Wine's month calendar loses a GDI object with every window), up to half
// a table. Every count makes handles until the table refuses: a quick run,
// of a few operations, leaves a smaller room and counts faster.
constexpr int kGdiReserve = 4096;
constexpr int kUserReserve = 2048;
constexpr int kQuickShare = 8;
constexpr int kGdiTableHalf = 32000;
constexpr int kUserTableHalf = 16000;

int ReserveFor(int base, int half, const Plan &plan) {
    const long ops = 2L * (plan.warmup + static_cast<long>(plan.rounds) * plan.ops);
    return static_cast<int>(std::min<long>(base + ops, half));
}

struct Options {
    Plan plan;
    bool quick = false;
    std::string only;
    bool handles = true;
};

bool ParseOptions(int argc, char **argv, Options *o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--quick") {
            o->quick = true;
            o->plan.rounds = 2;
            o->plan.ops = 3;
            o->plan.warmup = 2;
        } else if (a == "--rounds" && hasValue) {
            o->plan.rounds = std::atoi(argv[++i]);
        } else if (a == "--ops" && hasValue) {
            o->plan.ops = std::atoi(argv[++i]);
        } else if (a == "--no-handles") {
            o->handles = false;
        } else if (a == "--only" && hasValue) {
            o->only = argv[++i];
        } else {
            return false;
        }
    }
    return o->plan.rounds > 0 && o->plan.ops > 0;
}

std::string Format(const char *format, ...) {
    char buf[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    return buf;
}

std::string Signed(int n) { return Format("%+d", n); }

std::string HandlesText(const Result &r) {
    if (!r.counted) return "not counted";
    const std::string low = r.low ? "a table ran nearly full, counts doubtful: " : "";
    if (!r.gained.Any()) return low + "none";
    std::string text = low + "GDI " + Signed(r.gained.gdi) + " USER " + Signed(r.gained.user);
    if (r.oursGained.Any() || r.systemGained.Any()) {
        text += " (ours alone: GDI " + Signed(r.oursGained.gdi) + " USER " + Signed(r.oursGained.user) +
                "; system alone: GDI " + Signed(r.systemGained.gdi) + " USER " +
                Signed(r.systemGained.user) + ")";
    } else {
        text += " (neither side alone gains any)";
    }
    return text;
}

// The controls of common controls 6 answer BCM_GETIDEALSIZE; the older
// ones, which never draw a theme, do not.
bool CommonControls6(HWND parent) {
    HWND probe = CreateWindowExA(0, "BUTTON", "x", WS_CHILD, 0, 0, 40, 20, parent, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SIZE size = {0, 0};
    const bool v6 = probe && SendMessageA(probe, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&size));
    if (probe) DestroyWindow(probe);
    return v6;
}

}  // namespace

int main(int argc, char **argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    setvbuf(stdout, nullptr, _IONBF, 0);
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        std::fprintf(stderr, "usage: qx_bench [--quick] [--rounds N] [--ops N] [--only TEXT] [--no-handles]\n");
        return 2;
    }

    const HINSTANCE instance = GetModuleHandleA(nullptr);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    if (!RegisterQXCtls(instance) || !RegisterBenchClasses(instance)) {
        std::printf("qx_bench: cannot register the window classes\n");
        return 1;
    }
    DialogFont();
    HWND main = MakeMainWindow(instance, 1260, 1000);
    HWND oursStage = main ? MakeStage(main, 0, 0, 625, 1000) : nullptr;
    HWND systemStage = main ? MakeStage(main, 635, 0, 625, 1000) : nullptr;
    if (!oursStage || !systemStage) {
        std::printf("qx_bench: cannot make the windows\n");
        return 1;
    }
    Pump();

    const Look look = IsThemeActive() ? Look::kThemed : Look::kClassic;
    const char *lookName = look == Look::kThemed ? "themed" : "classic";
    if (!CommonControls6(main)) {
        std::printf("qx_bench: the system controls are not those of common controls 6 "
                    "(the program's manifest was not applied)\n");
        return 1;
    }

    const int share = options.quick ? kQuickShare : 1;
    HandleGauge gdi(HandleKind::kGdi, ReserveFor(kGdiReserve / share, kGdiTableHalf, options.plan));
    HandleGauge user(HandleKind::kUser, ReserveFor(kUserReserve / share, kUserTableHalf, options.plan));
    const DWORD reportedGdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD reportedUser = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const bool counting = options.handles && gdi.Fill() && user.Fill();

    std::printf("qx_bench: %s look, common controls 6; %d rounds of %d operations a side%s\n", lookName,
                options.plan.rounds, options.plan.ops, options.quick ? " (quick: figures mean nothing)" : "");
    std::printf("qx_bench: handles counted by filling the tables (GetGuiResources says GDI %lu, USER %lu)%s\n",
                static_cast<unsigned long>(reportedGdi), static_cast<unsigned long>(reportedUser),
                counting ? "" : ": the tables did not fill, nothing counted");
    std::printf("%-7s  %-62s %9s %5s %9s %5s %6s %5s %5s %-4s %s\n", "look", "case", "ours us", "+-",
                "system us", "+-", "ratio", "+-", "goal", "met", "handles gained");

    Runner runner(oursStage, systemStage, main, counting ? &gdi : nullptr, counting ? &user : nullptr,
                  options.plan);
    int ran = 0, met = 0, failed = 0, leaked = 0;
    std::string missed;
    for (const Case &c : MakeCases(look)) {
        if (!options.only.empty() && c.name.find(options.only) == std::string::npos) continue;
        const Result r = runner.Run(c);
        if (!r.error.empty()) {
            ++failed;
            std::printf("%-7s  %-62s FAILED: %s\n", lookName, c.name.c_str(), r.error.c_str());
            continue;
        }
        ++ran;
        const bool ok = r.ratio.median <= c.goal;
        met += ok ? 1 : 0;
        if (!ok) missed += Format("\n  %s %s (%.2f, goal %.2f)", lookName, c.name.c_str(), r.ratio.median, c.goal);
        if (r.oursGained.Any()) ++leaked;
        std::printf("%-7s  %-62s %9.1f %4.0f%% %9.1f %4.0f%% %6.2f %4.0f%% %5.2f %-4s %s\n", lookName,
                    c.name.c_str(), r.ours.median, SpreadPercent(r.ours), r.system.median,
                    SpreadPercent(r.system), r.ratio.median, SpreadPercent(r.ratio), c.goal, ok ? "yes" : "NO",
                    HandlesText(r).c_str());
    }
    std::printf("qx_bench: %s: %d cases ran, %d failed; goals met %d of %d%s%s\n", lookName, ran, failed, met,
                ran, missed.empty() ? "" : "; missed:", missed.c_str());
    std::printf("qx_bench: %s: handles gained by the library: %s\n", lookName,
                !counting ? "not counted" : leaked ? "yes (see the cases)" : "none");
    DestroyWindow(main);
    std::printf("qx_bench: done\n");
    return failed || leaked ? 1 : 0;
}
