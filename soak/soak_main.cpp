// qx_soak: every class of the library under a seeded stream of random
// events, checked after each one (see soak.h); GDI and USER handles counted
// around each class with the benchmark's gauge.
//
//   qx_soak [--seed S] [--class NAME]... [--events N] [--share K/N] [--no-handles] [--trace]
//
// --share K/N runs the K-th of N shares of the classes (every N-th class
// from the K-th): N processes side by side run every class once.
// --no-handles leaves the handle tables alone (the replay check of the
// suite, which compares what two runs read).
// Without --seed the seed comes from the clock and is printed. A failure
// prints the seed, the class, the event's index and what it was, and the
// command that replays it: the same seed and class, with as many events.
#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "handles.h"
#include "soak.h"

namespace {

using qxs::Soak;

unsigned long long g_seed = 0;
std::atomic<long> g_faults(0);
std::atomic<DWORD> g_eventStart(0);
std::atomic<bool> g_eventRunning(false);

// The command that replays a class's first events: the runner tells how it
// was started (QX_SOAK_REPLAY); the seed, class and count follow.
std::string Replay(const char *cls, long events) {
    const char *prefix = std::getenv("QX_SOAK_REPLAY");
    char buf[256];
    std::snprintf(buf, sizeof buf, "%s --seed %llu --class %s --events %ld", prefix && *prefix ? prefix : "qx_soak.exe",
                  g_seed, cls, events);
    return buf;
}

void Report(const char *cls, long index, const std::string &why, const std::string &what) {
    std::printf("qx_soak: FAILED %s, seed %llu, event %ld: %s\n", cls, g_seed, index, why.c_str());
    if (!what.empty()) std::printf("qx_soak:   the event: %s\n", what.c_str());
    std::printf("qx_soak:   replay: %s\n", Replay(cls, index + 1).c_str());
    std::fflush(stdout);
}

// A fault is reported the moment it is raised: the system may swallow it (in
// a timer callback, in some sent messages) or the process may not survive it.
LONG CALLBACK OnFault(EXCEPTION_POINTERS *info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    for (DWORD fatal :
         {DWORD(EXCEPTION_ACCESS_VIOLATION), DWORD(EXCEPTION_STACK_OVERFLOW), DWORD(EXCEPTION_ILLEGAL_INSTRUCTION),
          DWORD(EXCEPTION_INT_DIVIDE_BY_ZERO), DWORD(EXCEPTION_ARRAY_BOUNDS_EXCEEDED), DWORD(0xC0000374) /* heap */})
        if (code == fatal) {
            ++g_faults;
            char why[32];
            std::snprintf(why, sizeof why, "exception 0x%08lX", static_cast<unsigned long>(code));
            if (const Soak *s = Soak::Current()) Report(s->info_.name, s->index_, why, s->what_);
        }
    return EXCEPTION_CONTINUE_SEARCH;
}

// An event that never ends (a modal loop nobody closes, a deadlock) is
// reported with its replay, and the process ends.
void Watchdog() {
    for (;;) {
        Sleep(5000);
        if (g_eventRunning && GetTickCount() - g_eventStart > 120000) {
            if (const Soak *s = Soak::Current()) Report(s->info_.name, s->index_, "the event never ended", s->what_);
            ExitProcess(3);
        }
    }
}

struct Options {
    bool seeded = false, trace = false, handles = true;
    unsigned long long seed = 0;
    long events = 2000;
    int share = 0, shares = 1;
    std::vector<const qxs::ClassInfo *> classes;
};

bool Parse(int argc, char **argv, Options *o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i], v = i + 1 < argc ? argv[i + 1] : "";
        const qxs::ClassInfo *c = qxs::FindClass(v);
        if (a == "--no-handles" || a == "--trace") {
            (a == "--trace" ? o->trace : o->handles) = a == "--trace";
        } else if (i + 1 < argc && (a == "--seed" || a == "--events" || (a == "--class" && c) ||
                                    (a == "--share" && std::sscanf(v.c_str(), "%d/%d", &o->share, &o->shares) == 2 &&
                                     o->share >= 0 && o->share < o->shares))) {
            ++i;
            if (a == "--seed") o->seed = std::strtoull(v.c_str(), nullptr, 10), o->seeded = true;
            if (a == "--events") o->events = std::strtol(v.c_str(), nullptr, 10);
            if (a == "--class") o->classes.push_back(c);
        } else {
            std::printf(
                "usage: qx_soak [--seed S] [--class NAME]... [--events N] [--share K/N] [--no-handles] [--trace]\n");
            return false;
        }
    }
    if (o->classes.empty())
        for (int i = 0; i < qxs::kClassCount; ++i) o->classes.push_back(&qxs::kClasses[i]);
    std::vector<const qxs::ClassInfo *> mine;
    for (size_t i = o->share; i < o->classes.size(); i += o->shares) mine.push_back(o->classes[i]);
    o->classes = mine;
    if (!o->seeded) {
        LARGE_INTEGER t;
        QueryPerformanceCounter(&t);
        o->seed =
            (static_cast<unsigned long long>(t.QuadPart) ^ (0ull + GetCurrentProcessId()) << 32) % 1000000000000ull;
    }
    return o->events >= 0;
}

}  // namespace

int main(int argc, char **argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    setvbuf(stdout, nullptr, _IOLBF, 0);
    Options o;
    if (!Parse(argc, argv, &o)) return 2;
    g_seed = o.seed;
    AddVectoredExceptionHandler(1, OnFault);
    std::thread(Watchdog).detach();

    HINSTANCE self = GetModuleHandleA(nullptr);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // the windows answer screen readers' clients in this process
    if (RegisterQXCtls(self) != 1) return std::printf("qx_soak: the classes could not be registered\n"), 1;
    SetCursorPos(1270, 1010);  // the pointer stays away from the windows: hovering is the events' doing
    std::printf("qx_soak: seed %llu, %ld events per class\n", o.seed, o.events);

    qxs::Shared shared;
    // The handle tables filled but for a reserve, once: each class is then
    // counted by the free slots before and after it.
    qxb::HandleGauge gdi(qxb::HandleKind::kGdi, 4096), user(qxb::HandleKind::kUser, 2048);
    const bool counting = o.handles && gdi.Fill() && user.Fill();
    if (o.handles && !counting)
        std::printf("qx_soak: the handle tables could not be filled; handles are not counted\n");

    int failed = 0;
    long total = 0;
    double totalSeconds = 0;
    for (const qxs::ClassInfo *cls : o.classes) {
        QXEnableOld3d(0);
        // A first pass of every kind of event, with a seed of its own: what
        // the system and the library make once for the process (theme data,
        // cached DCs, menu resources) is made before anything is counted.
        Soak(*cls, o.seed ^ 0x5A5A5A5Au, shared, false).Tour();
        qxb::SettleDcCache();
        int gdiBefore = counting ? gdi.Settle() : -1, userBefore = counting ? user.Settle() : -1, lastGdi = 0,
            lastUser = 0;

        const DWORD start = GetTickCount();
        Soak soak(*cls, o.seed, shared, o.trace);
        bool ok = true;
        while (ok && soak.index_ < o.events) {
            g_eventStart = GetTickCount();
            g_eventRunning = true;
            const long faults = g_faults;
            ok = soak.Run(soak.index_ + 1) && g_faults == faults;
            if (!ok)
                Report(cls->name, soak.index_ - 1, g_faults != faults ? "an exception (reported above)" : soak.failure_,
                       soak.what_);
            // Traced, a change of the GDI handles in use shows at the event
            // that made it, one of the USER handles within 64 events (a USER
            // count goes through the server: after every event it would take
            // most of the run).
            if (o.trace && counting) {
                const int nowGdi = gdi.FreeSlots(), nowUser = soak.index_ % 64 == 1 ? user.FreeSlots() : lastUser;
                if (nowGdi != lastGdi || nowUser != lastUser)
                    std::printf("qx_soak: free handle slots after event %ld: GDI %d, USER %d\n", soak.index_ - 1,
                                nowGdi, nowUser);
                lastGdi = nowGdi, lastUser = nowUser;
            }
        }
        g_eventRunning = false;
        const long done = soak.index_;
        soak.Finish();
        const double seconds = (GetTickCount() - start) / 1000.0;

        qxb::SettleDcCache();
        std::string handles = "handles not counted";
        if (counting && gdiBefore >= 0 && userBefore >= 0) {
            const int gdiAfter = gdi.FreeSlots(), userAfter = user.FreeSlots();
            if (gdiAfter >= 0 && userAfter >= 0) {
                handles = "GDI " + std::to_string(gdiBefore - gdiAfter) + ", USER " +
                          std::to_string(userBefore - userAfter) + " handles gained";
                if (ok && (gdiAfter != gdiBefore || userAfter != userBefore)) {
                    ok = false;
                    std::printf("qx_soak: FAILED %s, seed %llu: %s over %ld events\n", cls->name, o.seed,
                                handles.c_str(), done);
                    std::printf("qx_soak:   replay: %s\n", Replay(cls->name, done).c_str());
                }
            }
        }
        std::printf("qx_soak: %-13s %8ld events in %7.1f s, %6.0f per second, %s, digest %016llx%s\n", cls->name, done,
                    seconds, seconds > 0 ? done / seconds : 0.0, handles.c_str(),
                    static_cast<unsigned long long>(soak.digest_), ok ? "" : "  FAILED");
        total += done;
        totalSeconds += seconds;
        failed += ok ? 0 : 1;
    }
    UnregisterQXCtls(self);
    std::printf("qx_soak: done: %d classes, %ld events in %.1f s (%.0f per second), %s\n",
                static_cast<int>(o.classes.size()), total, totalSeconds, totalSeconds > 0 ? total / totalSeconds : 0.0,
                failed ? (std::to_string(failed) + " failed").c_str() : "nothing found");
    return failed ? 1 : 0;
}
