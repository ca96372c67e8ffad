// Exports given windows of another thread of the process: a worker thread
// calls them on windows of the test's thread while it pumps messages. The
// calls run on the windows' own thread, as a sent message would; a window
// destroyed between the calls, or inside one, fails the calls that come
// after it and frees its object once; a call message the process did not
// make is ignored.
#include <atomic>
#include <functional>
#include <thread>

#include "common/window_object.h"
#include "harness.h"
#include "poison_alloc.h"
#include "qx_cntl.h"

namespace {

class Threads : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(RegisterQXCtls(qxt::HostInstance()), 1); }
    static void TearDownTestSuite() { UnregisterQXCtls(qxt::HostInstance()); }
    void TearDown() override { EXPECT_EQ(faults.Faults(), 0) << "access violations"; }

    HWND Make(const char *cls, const char *mask = "", int y = 10) {
        return parent.CreateChild(cls, mask, 0, 10, y, 200, cls == std::string("QXCalCntl") ? 150 : 24, 7);
    }
    // Wakes this thread's message loop from the worker, which reports with
    // events and flags, not messages.
    void Wake() const { PostThreadMessageA(ui, WM_NULL, 0, 0); }
    // Runs work on a thread of its own while this thread pumps messages.
    void OnWorker(const std::function<void()> &work) {
        std::atomic<bool> done(false);
        std::thread worker([&] {
            work();
            done = true;
            Wake();
        });
        EXPECT_TRUE(qxt::PumpUntil([&] { return done.load(); }, 10000)) << "the worker is stuck";
        worker.join();
    }
    static std::string Text(HWND h) {
        char buf[80] = {};
        GetWindowTextA(h, buf, sizeof buf);
        return buf;
    }

    qxt::FaultCounter faults;
    qxt::ParentWindow parent{400, 300};
    const DWORD ui = GetCurrentThreadId();
};

// Every kind of export, set from the worker and read back both from the
// worker and on this thread; each call's body ran on this thread.
TEST_F(Threads, ExportsRunOnTheWindowsOwnThread) {
    HWND i = Make("QXInteger"), f = Make("QXFloat", "", 40), p = Make("QXPicture", "999", 70),
         t = Make("QXTime", "99:99", 100), c = Make("QXCalCntl", "", 130), b = Make("QXBmpButton", "", 130);
    HBITMAP bmp = CreateBitmap(4, 4, 1, 32, nullptr);
    std::vector<DWORD> bodies;
    long value = 0;
    double real = 0;
    char picture[8] = {};
    WORD hour = 0, minute = 0;
    int year = 0;
    int ok = 0;
    OnWorker([&] {
        ok += QXIntSetValue(i, 42) + QXIntGetValue(i, &value);
        ok += QXFloatSetValue(f, 2.5) + QXFloatGetValue(f, &real);
        ok += QXPicSetValue(p, "123") + QXPicGetValue(p, picture, sizeof picture);
        ok += QXTime_SetTime(t, 7, 5) + QXTime_GetTime(t, &hour, &minute);
        ok += QXCalSetYear(c, 2001) + QXCalGetYear(c, &year);
        ok += QXBtn_SetBitmap(b, bmp);
        for (HWND h : {i, f, p, t, c, b})
            qx::WindowObject::With<qx::WindowObject>(h, [&](qx::WindowObject &) {
                bodies.push_back(GetCurrentThreadId());
                return true;
            });
    });
    EXPECT_EQ(ok, 11);
    EXPECT_EQ(bodies, std::vector<DWORD>(6, GetCurrentThreadId()));
    EXPECT_TRUE(value == 42 && real == 2.5 && std::string(picture) == "123" && hour == 7 && minute == 5 &&
                year == 2001);
    EXPECT_EQ(Text(i) + " " + Text(f) + " " + Text(p) + " " + Text(t), "42 2.50000 123 07:05");
    DestroyWindow(b);
    EXPECT_EQ(GetObjectType(bmp), 0u) << "handed over to the button, deleted with it";
}

// A window destroyed between two calls of the worker, one destroyed inside
// the notification of the worker's call, and one destroyed while the
// worker's call waits for this thread: the calls after each fail, nothing
// faults, and each object is freed once.
TEST_F(Threads, WindowsDestroyedBetweenAndDuringTheCalls) {
    const int live = qxt::LiveAllocations();
    HWND between = Make("QXInteger"), inside = Make("QXInteger", "", 40), waiting = Make("QXInteger", "", 70);
    HANDLE events[4];
    for (HANDLE &e : events) e = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    auto signaled = [&](int k) { return WaitForSingleObject(events[k], 0) == WAIT_OBJECT_0; };
    int before = -1, after = -1, during = -1, waited = -1;
    long value = 7;
    parent.onCommand = [&](const qxt::Notification &n) {
        if (n.from == inside && n.code == EN_UPDATE) DestroyWindow(inside);
    };
    std::atomic<bool> done(false);
    std::thread worker([&] {
        before = QXIntSetValue(between, 1);
        SetEvent(events[0]);
        Wake();
        WaitForSingleObject(events[1], 10000);
        after = QXIntSetValue(between, 2) + QXIntGetValue(between, &value);
        during = QXIntSetMask(inside, "99");
        SetEvent(events[2]);
        Wake();
        WaitForSingleObject(events[3], 10000);
        waited = QXIntSetValue(waiting, 3);
        done = true;
        Wake();
    });
    EXPECT_TRUE(qxt::PumpUntil([&] { return signaled(0); }, 10000));
    DestroyWindow(between);
    SetEvent(events[1]);
    EXPECT_TRUE(qxt::PumpUntil([&] { return signaled(2); }, 10000));
    SetEvent(events[3]);
    Sleep(200);  // without pumping: the worker's call to `waiting` waits, or is not made yet
    DestroyWindow(waiting);
    EXPECT_TRUE(qxt::PumpUntil([&] { return done.load(); }, 10000));
    worker.join();
    parent.onCommand = nullptr;
    for (HANDLE e : events) CloseHandle(e);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 0);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(during, 1) << "the mask was taken before the parent destroyed the window";
    EXPECT_EQ(waited, 0);
    EXPECT_EQ(qxt::LiveAllocations(), live);
}

// The message that carries a call, sent with a pointer this process never
// listed (as another process could): ignored, with nothing read through it.
TEST_F(Threads, ForeignCallMessagesAreIgnored) {
    HWND h = Make("QXInteger");
    unsigned char junk[256];
    memset(junk, 0xCC, sizeof junk);
    const UINT msg = qx::ThreadCallMessage();
    ASSERT_NE(msg, 0u);
    for (LPARAM lp : {LPARAM(junk), LPARAM(0), LPARAM(0x10), LPARAM(-1)})
        EXPECT_EQ(SendMessageA(h, msg, 0, lp), 0) << lp;
    EXPECT_TRUE(QXIntSetValue(h, 5));
}

}  // namespace
