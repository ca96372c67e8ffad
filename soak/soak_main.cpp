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
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "handles.h"
#include "qx_cntl.h"
#include "soak.h"

namespace {

using qxs::Soak;

uint64_t g_seed = 0;
std::atomic<long> g_faults(0);
std::atomic<DWORD> g_eventStart(0);
std::atomic<bool> g_eventRunning(false);

// The command that replays a class's first events: the runner tells how it
// was started (QX_SOAK_REPLAY); the seed, class and count follow.
std::string Replay(const char *cls, long events) {
    const char *prefix = std::getenv("QX_SOAK_REPLAY");
    char buf[256];
    std::snprintf(buf, sizeof buf, "%s --seed %llu --class %s --events %ld",
                  prefix && *prefix ? prefix : "qx_soak.exe", static_cast<unsigned long long>(g_seed), cls, events);
    return buf;
}

void Report(const char *cls, long index, const std::string &why, const std::string &what) {
    std::printf("qx_soak: FAILED %s, seed %llu, event %ld: %s\n", cls, static_cast<unsigned long long>(g_seed), index,
                why.c_str());
    std::printf("qx_soak:   the event: %s\n", what.c_str());
    std::printf("qx_soak:   replay: %s\n", Replay(cls, index + 1).c_str());
    std::fflush(stdout);
}

// A fault is reported the moment it is raised: the system may swallow it (in
// a timer callback, in some sent messages) or the process may not survive it.
LONG CALLBACK OnFault(EXCEPTION_POINTERS *info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (code != EXCEPTION_ACCESS_VIOLATION && code != EXCEPTION_STACK_OVERFLOW && code != EXCEPTION_ILLEGAL_INSTRUCTION &&
        code != EXCEPTION_INT_DIVIDE_BY_ZERO && code != EXCEPTION_ARRAY_BOUNDS_EXCEEDED && code != 0xC0000374 /* heap */)
        return EXCEPTION_CONTINUE_SEARCH;
    ++g_faults;
    if (const Soak *s = Soak::Current()) {
        char why[64];
        std::snprintf(why, sizeof why, "exception 0x%08lX", static_cast<unsigned long>(code));
        Report(s->ClassName(), s->Done(), why, s->What());
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// An event that never ends (a modal loop nobody closes, a deadlock) is
// reported with its replay, and the process ends.
void Watchdog() {
    for (;;) {
        Sleep(5000);
        const DWORD start = g_eventStart;
        if (g_eventRunning && GetTickCount() - start > 120000) {
            if (const Soak *s = Soak::Current()) Report(s->ClassName(), s->Done(), "the event never ended", s->What());
            ExitProcess(3);
        }
    }
}

struct Options {
    bool seeded = false;
    uint64_t seed = 0;
    long events = 2000;
    bool trace = false;
    bool handles = true;
    int share = 0, shares = 1;
    std::vector<const qxs::ClassInfo *> classes;
};

bool Parse(int argc, char **argv, Options *o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const char *v = i + 1 < argc ? argv[i + 1] : nullptr;
        if (a == "--seed" && v) {
            o->seed = std::strtoull(v, nullptr, 10);
            o->seeded = true;
            ++i;
        } else if (a == "--events" && v) {
            o->events = std::strtol(v, nullptr, 10);
            ++i;
        } else if (a == "--class" && v) {
            const qxs::ClassInfo *c = qxs::FindClass(v);
            if (!c) {
                std::printf("qx_soak: no class %s\n", v);
                return false;
            }
            o->classes.push_back(c);
            ++i;
        } else if (a == "--share" && v) {
            if (std::sscanf(v, "%d/%d", &o->share, &o->shares) != 2 || o->shares < 1 || o->share < 0 ||
                o->share >= o->shares) {
                std::printf("qx_soak: --share wants K/N with 0 <= K < N\n");
                return false;
            }
            ++i;
        } else if (a == "--no-handles") {
            o->handles = false;
        } else if (a == "--trace") {
            o->trace = true;
        } else {
            std::printf("usage: qx_soak [--seed S] [--class NAME]... [--events N] [--share K/N] [--no-handles] [--trace]\n");
            return false;
        }
    }
    if (o->classes.empty())
        for (int i = 0; i < qxs::kClassCount; ++i) o->classes.push_back(&qxs::kClasses[i]);
    std::vector<const qxs::ClassInfo *> mine;
    for (size_t i = 0; i < o->classes.size(); ++i)
        if (static_cast<int>(i % static_cast<size_t>(o->shares)) == o->share) mine.push_back(o->classes[i]);
    o->classes = mine;
    if (!o->seeded) {
        LARGE_INTEGER t;
        QueryPerformanceCounter(&t);
        o->seed = static_cast<uint64_t>(t.QuadPart) ^ (static_cast<uint64_t>(GetCurrentProcessId()) << 32);
        o->seed %= 1000000000000ull;
    }
    return o->events >= 0;
}

double Seconds(const LARGE_INTEGER &from) {
    LARGE_INTEGER now, f;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&f);
    return static_cast<double>(now.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

// The system lends windows device contexts from a cache that keeps what it
// made: a context stays with the window it last served (with a visible
// region of its own) until that window goes, and the cache grows whenever
// no context is free. Before each count the cache lends more contexts at
// once than the run ever held and gets them all back, so that both counts
// find it holding the same contexts, each with the desktop's region.
void SettleDcCache() {
    static HDC dcs[128];
    for (HDC &dc : dcs) dc = GetDCEx(nullptr, nullptr, DCX_CACHE);
    for (HDC dc : dcs)
        if (dc) ReleaseDC(nullptr, dc);
}

// Counts: the free slots of the GDI and USER tables (see bench/handles.h).
struct Counts {
    int gdi = -1, user = -1;
};

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
    // The thread's windows answer screen readers' clients in this process.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (RegisterQXCtls(self) != 1) {
        std::printf("qx_soak: the classes could not be registered\n");
        return 1;
    }
    // The pointer stays away from the windows: hovering is the events' doing.
    SetCursorPos(1270, 1010);
    std::printf("qx_soak: seed %llu, %ld events per class\n", static_cast<unsigned long long>(o.seed), o.events);

    qxs::Shared shared;
    // The handle tables filled but for a reserve, once: each class is then
    // counted by the free slots before and after it.
    qxb::HandleGauge gdi(qxb::HandleKind::kGdi, 4096), user(qxb::HandleKind::kUser, 2048);
    const bool counting = o.handles && gdi.Fill() && user.Fill();
    if (o.handles && !counting) std::printf("qx_soak: the handle tables could not be filled; handles are not counted\n");

    int failed = 0;
    long total = 0;
    double totalSeconds = 0;
    for (const qxs::ClassInfo *cls : o.classes) {
        QXEnableOld3d(0);
        // A first pass of every kind of event, with a seed of its own: what
        // the system and the library make once for the process (theme data,
        // cached DCs, menu resources) is made before anything is counted.
        {
            Soak warm(*cls, o.seed ^ 0x5A5A5A5Au, shared, false);
            warm.Tour();
            warm.Finish();
        }
        Counts before;
        SettleDcCache();
        if (counting) before.gdi = gdi.Settle(), before.user = user.Settle();

        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        Soak soak(*cls, o.seed, shared, o.trace);
        bool ok = true;
        while (ok && soak.Done() < o.events) {
            g_eventStart = GetTickCount();
            g_eventRunning = true;
            const long faults = g_faults;
            ok = soak.Run(soak.Done() + 1);
            // Traced, a change of the GDI handles in use shows at the event
            // that made it, one of the USER handles within 64 events (a USER
            // count goes through the server: after every event it would
            // take most of the run).
            if (o.trace && counting) {
                static Counts last;
                const long index = soak.Done() - 1;
                const Counts now = {gdi.FreeSlots(), index % 64 == 0 ? user.FreeSlots() : last.user};
                if (now.gdi != last.gdi || now.user != last.user)
                    std::printf("qx_soak: free handle slots after event %ld: GDI %d, USER %d\n", index, now.gdi,
                                now.user);
                last = now;
            }
            if (ok && g_faults != faults) {
                ok = false;
                Report(cls->name, soak.Done() - 1, "an access violation (reported above)", soak.What());
            } else if (!ok) {
                Report(cls->name, soak.Done() - 1, soak.Failure(), soak.What());
            }
        }
        g_eventRunning = false;
        const uint64_t digest = soak.Digest();
        const long done = soak.Done();
        soak.Finish();
        const double seconds = Seconds(start);

        Counts after;
        SettleDcCache();
        if (counting) after.gdi = gdi.FreeSlots(), after.user = user.FreeSlots();
        std::string handles = "handles not counted";
        if (counting && before.gdi >= 0 && after.gdi >= 0 && before.user >= 0 && after.user >= 0) {
            const int gdiGained = before.gdi - after.gdi, userGained = before.user - after.user;
            handles = "GDI " + std::to_string(gdiGained) + ", USER " + std::to_string(userGained) + " handles gained";
            if (ok && (gdiGained != 0 || userGained != 0)) {
                ok = false;
                std::printf("qx_soak: FAILED %s, seed %llu: %s over %ld events\n", cls->name,
                            static_cast<unsigned long long>(o.seed), handles.c_str(), done);
                std::printf("qx_soak:   replay: %s\n", Replay(cls->name, done).c_str());
            }
        }
        std::printf("qx_soak: %-13s %8ld events in %7.1f s, %6.0f per second, %s, digest %016llx%s\n", cls->name, done,
                    seconds, seconds > 0 ? done / seconds : 0.0, handles.c_str(),
                    static_cast<unsigned long long>(digest), ok ? "" : "  FAILED");
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
