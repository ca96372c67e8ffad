// Exports and screen readers' clients given windows of another thread: a
// worker thread calls them on windows of the test's thread while it pumps
// messages. The calls run on the windows' own thread, as a sent message
// would; a window destroyed between the calls, or inside one, fails the
// calls that come after it and frees its object once. A parent that replies
// early releases the worker, which then writes and reads nothing of the
// call; a call that arrives while the user's change is being made runs
// before or after it, as a change of its own.
#include <atomic>
#include <functional>
#include <thread>

#include "../access/client.h"
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

// Every kind of export, and a client handed an edit's accessible object,
// set from the worker and read back both from the worker and on this
// thread; once the window is gone the client is told so.
TEST_F(Threads, ExportsRunOnTheWindowsOwnThread) {
    HWND i = Make("QXInteger"), f = Make("QXFloat", "", 40), p = Make("QXPicture", "999", 70),
         t = Make("QXTime", "99:99", 100), c = Make("QXCalCntl", "", 130), b = Make("QXBmpButton", "", 130),
         e = Make("QXEdit", "", 160);
    qxt::Acc acc(e);
    HRESULT set = E_FAIL;
    qxt::Text read;
    HBITMAP bmp = CreateBitmap(4, 4, 1, 32, nullptr);
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
        set = qxt::SetValue(acc.p, L"77");
        read = qxt::Value(acc.p);
    });
    EXPECT_EQ(ok, 11);
    EXPECT_TRUE(set == S_OK && read == qxt::Ok(L"77") && Text(e) == "77");
    EXPECT_TRUE(value == 42 && real == 2.5 && std::string(picture) == "123" && hour == 7 && minute == 5 &&
                year == 2001);
    EXPECT_EQ(Text(i) + " " + Text(f) + " " + Text(p) + " " + Text(t), "42 2.50000 123 07:05");
    DestroyWindow(b);
    EXPECT_EQ(GetObjectType(bmp), 0u) << "handed over to the button, deleted with it";
    DestroyWindow(e);
    OnWorker([&] { read = qxt::Value(acc.p); });
    EXPECT_EQ(read, qxt::None(RPC_E_DISCONNECTED));
}

// A window destroyed while the worker's call to it waits for this thread:
// the call fails, never runs, and is freed.
TEST_F(Threads, WindowDestroyedWhileTheCallWaits) {
    const int live = qxt::LiveAllocations();
    HWND waiting = Make("QXInteger", "", 70);
    int waited = -1;
    std::atomic<bool> done(false);
    std::thread worker([&] {
        waited = QXIntSetValue(waiting, 3);
        done = true;
        Wake();
    });
    Sleep(200);  // without pumping: the worker's call waits, or is not made yet
    DestroyWindow(waiting);
    EXPECT_TRUE(qxt::PumpUntil([&] { return done.load(); }, 10000));
    worker.join();
    EXPECT_EQ(waited, 0);
    EXPECT_EQ(qxt::LiveAllocations(), live);
}

// Fills a stretch of the calling thread's stack, where the frames of a call
// that returned lay, signals `filled`, waits for `done`, and tells whether
// anything wrote there meanwhile.
__attribute__((noinline)) bool StackKeptAfter(HANDLE filled, HANDLE done) {
    volatile unsigned char pad[8192];
    for (auto &b : pad) b = 0xA5;
    SetEvent(filled);
    WaitForSingleObject(done, 10000);
    for (auto b : pad)
        if (b != 0xA5) return false;
    return true;
}

HANDLE g_filled;
bool g_replied;
WNDPROC g_labelProc;

// Replies once to the call from the worker being served, then holds the
// work until the worker has gone on.
void ReplyOnce() {
    if (g_replied || !InSendMessage()) return;
    g_replied = true;
    ReplyMessage(0);
    WaitForSingleObject(g_filled, 10000);
}

// A label that replies when its text is asked for (for an edit's name).
LRESULT CALLBACK ReplyingLabel(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_GETTEXT) ReplyOnce();
    return CallWindowProcA(g_labelProc, w, m, wp, lp);
}

// A parent that replies at once to the notification a call from the worker
// causes (as before a message box) releases the worker, and holds the work
// until the worker has gone on. The export answers 0 with ERROR_IO_PENDING,
// a client E_PENDING with its text left null: the outcome is unknown. The
// work ends here all the same; nothing of the worker's, its stack above
// all, is written once it was released, and the call is freed.
TEST_F(Threads, ParentThatRepliesEarly) {
    using Call = std::function<long(HWND, IAccessible *, BSTR *)>;
#define QX_CALL(expr) [](HWND h, IAccessible *acc, BSTR *name) { return long(expr); }
    const struct Row {
        const char *cls, *mask;
        WORD code;  // the notification the parent replies to (0: the label)
        Call call;
        const char *after;
    } rows[] = {
        {"QXInteger", "", EN_UPDATE, QX_CALL(QXIntSetMask(h, "99")), ""},
        {"QXFloat", "", EN_UPDATE, QX_CALL(QXFloatSetValue(h, 2.5)), "2.50000"},
        {"QXFloat", "", EN_CHANGE, QX_CALL(QXFloatSetFormat(h, " ,.")), "1.234,5"},
        {"QXPicture", "999", EN_UPDATE, QX_CALL(QXPicSetValue(h, "42")), "42 "},
        {"QXTime", "99:99", EN_CHANGE, QX_CALL(QXTime_SetTime(h, 7, 5)), "07:05"},
        {"QXTime", "99:99", EN_UPDATE, QX_CALL(QXTime_SetMask(h, "99:99 am")), "  :    m"},
        {"QXCalCntl", "", QXCN_SELSET, QX_CALL(QXCalSetDay(h, 5)), "1,234.5"},  // its window text, kept
        {"QXEdit", "", EN_UPDATE, QX_CALL(qxt::SetValue(acc, L"12")), "12"},
        {"QXEdit", "", 0, QX_CALL(acc->get_accName(qxt::Child(CHILDID_SELF), name)), "1,234.5"},
    };
#undef QX_CALL
    HWND label = parent.CreateChild("STATIC", "&Amount", SS_LEFT, 10, 10, 80, 20, 99);
    g_labelProc = WNDPROC(SetWindowLongPtrA(label, GWLP_WNDPROC, LONG_PTR(ReplyingLabel)));
    g_filled = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << r.cls << " replies to 0x" << std::hex << r.code << ", then " << r.after);
        const int live = qxt::LiveAllocations();
        HWND h = parent.CreateChild(r.cls, r.mask, QXCS_NOTIFY, 100, 10, 200, 150, 7);  // an edit ignores the bit
        SendMessageA(h, WM_SETTEXT, 0, LPARAM("1,234.5"));
        const bool client = r.cls == std::string("QXEdit");
        auto *acc = new qxt::Acc(h);
        ResetEvent(g_filled);
        ResetEvent(done);
        g_replied = false;
        parent.onCommand = [&](const qxt::Notification &n) {
            if (n.from == h && n.code == r.code) ReplyOnce();
        };
        long result = -1;
        DWORD error = 0;
        BSTR name = nullptr;
        bool kept = false;
        std::thread worker([&] {
            result = r.call(h, acc->p, &name);
            error = GetLastError();
            kept = StackKeptAfter(g_filled, done);
        });
        EXPECT_TRUE(qxt::PumpUntil([&] { return g_replied; }, 10000));
        SetEvent(done);  // the work ran to its end in the pump that replied
        worker.join();
        parent.onCommand = nullptr;
        EXPECT_EQ(result, client ? E_PENDING : 0);
        EXPECT_EQ(error, client ? error : DWORD(ERROR_IO_PENDING));
        EXPECT_EQ(name, nullptr);
        EXPECT_TRUE(kept) << "the worker's stack was written after its call returned";
        EXPECT_EQ(Text(h), r.after);
        delete acc;
        DestroyWindow(h);
        EXPECT_EQ(qxt::LiveAllocations(), live) << "the call is freed";
    }
    SetWindowLongPtrA(label, GWLP_WNDPROC, LONG_PTR(g_labelProc));
    CloseHandle(g_filled);
    CloseHandle(done);
}

// A worker's export or text sent while this thread is busy arrives during
// the user's change (a character refused, a paste, a cut, an undo), at the
// first look the change takes at the queue. It runs as the host's change of
// its own, once the user's is complete: its value stays, and the undo buffer
// is empty (a text of the host's empties it; it never joins the user's step).
TEST_F(Threads, CallSentDuringAUsersChange) {
    const auto ctrl = [](char c) { return [c](HWND h) { qxt::SendKey(h, UINT(c), qxt::kCtrl); }; };
    const auto type = [](char c) { return [c](HWND h) { qxt::SendChar(h, c); }; };
    const auto setValue = [](HWND h) { return int(QXIntSetValue(h, 7)); };
    const struct Row {
        const char *what, *cls, *mask, *start, *typed;  // typed at the end before the selection is made
        int anchor, caret;
        std::function<void(HWND)> act;
        std::function<int(HWND)> call;
    } rows[] = {
        {"refused key", "QXInteger", "9", "5", "", 1, 1, type('6'), setValue},
        {"refused digit", "QXFloat", "99", "12", "", 2, 2, type('3'), [](HWND h) { return int(QXFloatSetValue(h, 7)); }},
        {"paste", "QXInteger", "", "1", "", 1, 1, ctrl('V'), setValue},
        {"cut", "QXEdit", "", "123", "", 1, 3, ctrl('X'),
         [](HWND h) { return int(SendMessageA(h, WM_SETTEXT, 0, LPARAM("7"))); }},
        {"undo", "QXInteger", "", "12", "3", 3, 3, ctrl('Z'), setValue},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        HWND h = Make(r.cls, r.mask);
        SendMessageA(h, WM_SETTEXT, 0, LPARAM(r.start));
        SendMessageA(h, EM_SETSEL, 9, 9);
        for (const char *p = r.typed; *p; ++p) qxt::SendChar(h, *p);
        SendMessageA(h, EM_SETSEL, r.anchor, r.caret);
        ASSERT_TRUE(qxt::SetClipboardText("34"));
        int result = -1;
        std::thread worker([&] { result = r.call(h); });
        const DWORD start = GetTickCount();
        while (!(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) && GetTickCount() - start < 5000) Sleep(1);
        r.act(h);
        qxt::PumpUntil([&] { return result != -1; }, 10000);
        worker.join();
        EXPECT_EQ(result, 1);
        EXPECT_EQ(Text(h), "7");
        EXPECT_EQ(SendMessageA(h, EM_CANUNDO, 0, 0), 0);
        DestroyWindow(h);
    }
}

}  // namespace
