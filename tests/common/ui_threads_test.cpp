// Several UI threads at once, each with its own windows of every class.
// Released together, they register the classes, then round after round
// paint their windows (in the look the prefix gives: themed, or classic)
// and call the exports on their own windows and on the next thread's, which
// run on that thread; then they destroy their windows and unregister the
// classes together. Nothing faults, every call succeeds, each value read is
// one that the window's writer set, and the classes are gone at the end.
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "harness.h"
#include "qx_cntl.h"

namespace {

constexpr int kThreads = 3, kRounds = 16;

// The windows of one thread. Each value is set by its owner only, but the
// time, which the thread before it sets (so every export is called both on
// the window's own thread and from another).
struct Windows {
    HWND edit, integer, real, picture, time, cal, button, arrow;
};

// A value that tells the thread and round that set it.
long Value(int thread, int round) { return thread * 1000 + round; }

class UiThreads : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(faults.Faults(), 0) << "access violations"; }

    // A barrier that keeps the thread's messages flowing: the others' calls
    // reach it while it waits.
    static void Meet(std::atomic<int> &arrived) {
        ++arrived;
        while (arrived < kThreads) {
            qxt::Pump();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }

    // Everything one thread does; the mismatches it finds are counted in
    // wrong[k], each described in notes[k].
    void Run(int k) {
        WaitForSingleObject(go, INFINITE);
        registered[k] = RegisterQXCtls(qxt::HostInstance());
        {
            qxt::ParentWindow parent(420, 320);
            const DWORD spin = QXES_SPIN;
            Windows &w = windows[k];
            w.edit = parent.CreateChild("QXEdit", "", 0, 10, 10, 120, 24, 1);
            w.integer = parent.CreateChild("QXInteger", "", spin, 10, 40, 120, 24, 2);
            w.real = parent.CreateChild("QXFloat", "", spin, 10, 70, 120, 24, 3);
            w.picture = parent.CreateChild("QXPicture", "99999", 0, 10, 100, 120, 24, 4);
            w.time = parent.CreateChild("QXTime", "99:99", spin, 10, 130, 120, 24, 5);
            w.cal = parent.CreateChild("QXCalCntl", "", 0, 150, 10, 200, 150, 6);
            w.button = parent.CreateChild("QXBmpButton", "", 0, 150, 170, 40, 30, 7);
            w.arrow = parent.CreateChild("QXBmpButtonXP", "", 0, 200, 170, 40, 30, 8);
            const int next = (k + 1) % kThreads, before = (k + kThreads - 1) % kThreads;
            QXTime_SetTime(w.time, WORD(before), 0);  // as the thread before sets it
            Meet(ready);
            const Windows &n = windows[next];
            for (int round = 0; round < kRounds; ++round) {
                const long v = Value(k, round);
                char raw[8], got[8] = {}, text[32], got32[32] = {};
                std::snprintf(raw, sizeof raw, "%05ld", v);
                std::snprintf(text, sizeof text, "thread %d round %d", k, round);
                long i = 0;
                double f = 0;
                int year = 0, day = 0;
                WORD hour = 0, minute = 0;
                // Own windows, each set and read back at once.
                Check(k, QXIntSetValue(w.integer, v) && QXIntGetValue(w.integer, &i) && i == v, "own integer");
                Check(k, QXFloatSetValue(w.real, v + 0.5) && QXFloatGetValue(w.real, &f) && f == v + 0.5,
                      "own float");
                Check(k, QXPicSetValue(w.picture, raw) && QXPicGetValue(w.picture, got, sizeof got) &&
                             std::string(got) == raw, "own picture");
                Check(k, QXCalSetYear(w.cal, 2000 + k) && QXCalSetDay(w.cal, 1 + round % 28) &&
                             QXCalGetYear(w.cal, &year) && QXCalGetDay(w.cal, &day) && year == 2000 + k &&
                             day == 1 + round % 28, "own calendar");
                SetWindowTextA(w.edit, text);
                Check(k, GetWindowTextA(w.edit, got32, sizeof got32) && std::string(got32) == text, "own edit");
                Check(k, QXBtn_SetBitmap(round % 2 ? w.arrow : w.button, CreateBitmap(8, 8, 1, 32, nullptr)),
                      "own button");
                // Every window painted now, each class in its look.
                RedrawWindow(parent.hwnd(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                // The next thread's windows: its time set from here; what
                // its thread set read back from here.
                Check(k, QXTime_SetTime(n.time, WORD(k), WORD(round % 60)), "next time set");
                Check(k, QXIntGetValue(n.integer, &i) && i / 1000 == next, "next integer");
                Check(k, QXFloatGetValue(n.real, &f) && long(f) / 1000 == next, "next float");
                Check(k, QXPicGetValue(n.picture, got, sizeof got) && std::atol(got) / 1000 == next,
                      "next picture");
                Check(k, QXCalGetYear(n.cal, &year) && year == 2000 + next, "next calendar");
                Check(k, QXTime_GetTime(w.time, &hour, &minute) && hour == before, "own time");
                qxt::Pump();
            }
            Meet(done);  // the others may still call this thread's windows
        }
        Meet(destroyed);  // no window of a class left when it is unregistered
        UnregisterQXCtls(qxt::HostInstance());
    }

    static void ExpectNoClassLeft() {
        WNDCLASSA wc;
        for (const char *cls : {"QXEdit", "QXInteger", "QXFloat", "QXPicture", "QXTime", "QXCalCntl", "QXBmpButton",
                                "QXBmpButtonXP"})
            EXPECT_FALSE(GetClassInfoA(qxt::HostInstance(), cls, &wc)) << cls << " left registered";
    }

    void Check(int k, bool ok, const char *what) {
        if (ok) return;
        if (wrong[k]++ == 0) notes[k] = what;
    }

    ~UiThreads() override { CloseHandle(go); }

    qxt::FaultCounter faults;
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> ready{0}, done{0}, destroyed{0};
    Windows windows[kThreads] = {};
    int registered[kThreads] = {}, wrong[kThreads] = {};
    std::string notes[kThreads];
};

TEST_F(UiThreads, PaintAndCallExportsAtOnce) {
    std::vector<std::thread> threads;
    for (int k = 0; k < kThreads; ++k) threads.emplace_back([this, k] { Run(k); });
    SetEvent(go);
    for (std::thread &t : threads) t.join();
    for (int k = 0; k < kThreads; ++k) {
        EXPECT_EQ(registered[k], 1) << "thread " << k;
        EXPECT_EQ(wrong[k], 0) << "thread " << k << ", first: " << notes[k];
    }
    ExpectNoClassLeft();
}

// Threads registering and unregistering the classes over and over, all at
// once: each registration succeeds (the class is new, or already counted),
// and once every thread has unregistered as often as it registered, no class
// is left.
TEST_F(UiThreads, RegisterAndUnregisterAtOnce) {
    if (qxt::ClassicPrefix()) GTEST_SKIP() << "no look involved: run with a theme in force only";
    constexpr int kRepeats = 60;
    std::atomic<int> failed(0);
    std::vector<std::thread> threads;
    for (int k = 0; k < kThreads; ++k) {
        threads.emplace_back([&] {
            WaitForSingleObject(go, INFINITE);
            for (int i = 0; i < kRepeats; ++i) {
                failed += RegisterQXCtls(qxt::HostInstance()) != 1;
                UnregisterQXCtls(qxt::HostInstance());
            }
        });
    }
    SetEvent(go);
    for (std::thread &t : threads) t.join();
    EXPECT_EQ(failed, 0);
    ExpectNoClassLeft();
}

}  // namespace
