// Exports and screen readers' calls on the window's thread, from a worker, released early, window gone meanwhile.
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "acc_client.h"
#include "common/acc_object.h"
#include "harness.h"
#include "poison_alloc.h"
#include "qx_cntl.h"

namespace {

using qxt::WindowText;

std::string Q(BOOL ok) { return ok ? "1" : "0 error " + std::to_string(GetLastError()); }
std::string Q(BOOL ok, const std::string &out) { return ok ? "1 " + out : Q(ok); }
template <class T> std::string Read(QXBOOL(WINAPI *get)(HWND, T *), HWND h) {
    T v{};
    const BOOL ok = get(h, &v);
    return Q(ok, std::to_string(v));
}
std::string Q(const qxt::Text &t) { return qxt::ResultName(t.hr) + (t.null ? "" : " '" + qxt::Narrow(t.text) + "'"); }

// Fills the stack where a returned call's frames lay; true when nothing wrote there until `done`.
__attribute__((noinline)) bool StackKeptAfter(HANDLE filled, HANDLE done) {
    volatile unsigned char pad[8192];
    for (auto &b : pad) b = 0xA5;
    SetEvent(filled);
    WaitForSingleObject(done, 10000);
    for (auto b : pad)
        if (b != 0xA5) return false;
    return true;
}

const UINT kLabel = 0xFFFF;  // the parent replies when the label's text is asked for
HANDLE g_filled = CreateEventA(nullptr, TRUE, FALSE, nullptr), g_done = CreateEventA(nullptr, TRUE, FALSE, nullptr),
       g_returned = CreateEventA(nullptr, TRUE, FALSE, nullptr);
UINT g_replyAt;
bool g_replied;
WNDPROC g_labelProc;

// Replies once to the worker's call, then holds the work until the worker went on.
void ReplyOnce() {
    if (g_replied || !InSendMessage()) return;
    g_replied = true;
    ReplyMessage(0);
    WaitForSingleObject(g_filled, 10000);
}

LRESULT CALLBACK ReplyingLabel(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_GETTEXT && g_replyAt == kLabel) ReplyOnce();
    return CallWindowProcA(g_labelProc, w, m, wp, lp);
}

class Threads : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(RegisterQXCtls(qxt::HostInstance()), 1); }
    static void TearDownTestSuite() { UnregisterQXCtls(qxt::HostInstance()); }
    void TearDown() override { EXPECT_EQ(faults.Faults(), 0) << "access violations"; }

    qxt::FaultCounter faults;
    qxt::ParentWindow parent{400, 300};
};

enum Case { kOwnThread, kWorker, kReleased, kDestroyed };

// Released early: ERROR_IO_PENDING or E_PENDING, the work ends without writing to the worker. All freed.
TEST_F(Threads, EveryCallInEveryCase) {
    using Call = std::function<std::string(HWND, IAccessible *)>;
#define QX_CALL(...) [](HWND h, IAccessible *acc) { return __VA_ARGS__; }
    const struct Row {
        const char *cls, *mask, *start;
        UINT code;  // the parent replies to this notification (0: no early reply)
        Call call;
        const char *answer, *after;
    } rows[] = {
        {"QXInteger", "", "", 0, QX_CALL(Q(QXIntSetValue(h, 42))), "1", "42"},
        {"QXInteger", "", "42", 0, QX_CALL(Read(QXIntGetValue, h)), "1 42", "42"},
        {"QXInteger", "", "", EN_UPDATE, QX_CALL(Q(QXIntSetMask(h, "99"))), "1", ""},
        {"QXFloat", "", "", EN_UPDATE, QX_CALL(Q(QXFloatSetValue(h, 2.5))), "1", "2.50000"},
        {"QXFloat", "", "2.5", 0, QX_CALL(Read(QXFloatGetValue, h)), "1 2.500000", "2.5"},
        {"QXPicture", "999", "", EN_UPDATE, QX_CALL(Q(QXPicSetValue(h, "42"))), "1", "42 "},
        {"QXPicture", "999", "123", 0, QX_CALL([&] { char v[8] = {}; const BOOL ok = QXPicGetValue(h, v, 8); return Q(ok, v); }()), "1 123", "123"},
        {"QXTime", "99:99", "", EN_CHANGE, QX_CALL(Q(QXTime_SetTime(h, 7, 5))), "1", "07:05"},
        {"QXCalCntl", "", "", QXCN_SELSET, QX_CALL(Q(QXCalSetDay(h, 5))), "1", ""},
        {"QXEdit", "", "", EN_UPDATE, QX_CALL(qxt::ResultName(qxt::SetValue(acc, L"12"))), "S_OK", "12"},
        {"QXEdit", "", "77", 0, QX_CALL(Q(qxt::Value(acc))), "S_OK '77'", "77"},
        {"QXEdit", "", "", kLabel, QX_CALL(Q(qxt::Name(acc))), "S_OK 'Amount'", ""},
    };
#undef QX_CALL
    HWND label = parent.CreateChild("STATIC", "&Amount", SS_LEFT, 10, 10, 80, 20, 99);
    g_labelProc = WNDPROC(SetWindowLongPtrA(label, GWLP_WNDPROC, LONG_PTR(ReplyingLabel)));
    for (const Row &r : rows) {
        for (Case c : {kOwnThread, kWorker, kReleased, kDestroyed}) {
            if (c == kReleased && !r.code) continue;
            SCOPED_TRACE(testing::Message() << r.cls << " " << r.answer << ", case " << c);
            const int live = qxt::LiveAllocations();
            HWND h = parent.CreateChild(r.cls, r.mask, QXCS_NOTIFY, 100, 10, 200, 150, 7);  // an edit ignores the bit
            SendMessageA(h, WM_SETTEXT, 0, LPARAM(r.start));
            auto acc = std::make_unique<qxt::Acc>(h);
            std::string answer;
            bool kept = true;
            g_replyAt = c == kReleased ? r.code : 0;
            g_replied = false;
            ResetEvent(g_filled), ResetEvent(g_done), ResetEvent(g_returned);
            parent.onCommand = [&](const qxt::Notification &n) {
                if (g_replyAt && n.from == h && n.code == g_replyAt) ReplyOnce();
            };
            if (c == kOwnThread) {
                answer = r.call(h, acc->p);
            } else {
                std::thread worker([&] {
                    answer = r.call(h, acc->p);
                    SetEvent(g_returned);
                    if (c == kReleased) kept = StackKeptAfter(g_filled, g_done);
                });
                if (c == kDestroyed) {  // once the call waits, without pumping
                    for (int i = 0; i < 1000 && !(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE); ++i) Sleep(1);
                    DestroyWindow(h);
                }
                EXPECT_TRUE(c == kReleased ? qxt::PumpUntil([&] { return g_replied; }, 10000)
                                           : qxt::PumpUntilSignaled(g_returned, 10000));
                SetEvent(g_done);  // released, the work ran to its end in the pump that replied
                worker.join();
            }
            parent.onCommand = nullptr;
            const bool client = r.answer[0] == 'S';
            if (c == kReleased)
                EXPECT_EQ(answer, client ? "E_PENDING" : "0 error 997");
            else if (c == kDestroyed)
                EXPECT_EQ(answer.substr(0, client ? 18 : 1), client ? "RPC_E_DISCONNECTED" : "0");
            else
                EXPECT_EQ(answer, r.answer);
            EXPECT_TRUE(kept) << "the worker's stack was written after its call returned";
            EXPECT_EQ(c == kDestroyed ? r.after : WindowText(h), r.after);
            acc.reset();
            DestroyWindow(h);
            EXPECT_EQ(qxt::LiveAllocations(), live) << "the call is freed";
        }
    }
    SetWindowLongPtrA(label, GWLP_WNDPROC, LONG_PTR(g_labelProc));
}

// A worker's call arriving during the user's change runs after it as the host's: its value stays, no undo.
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
        {"cut", "QXEdit", "", "123", "", 1, 3, ctrl('X'), [](HWND h) { return int(SendMessageA(h, WM_SETTEXT, 0, LPARAM("7"))); }},
        {"undo", "QXInteger", "", "12", "3", 3, 3, ctrl('Z'), setValue},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        HWND h = parent.CreateChild(r.cls, r.mask, 0, 10, 10, 200, 24, 7);
        SendMessageA(h, WM_SETTEXT, 0, LPARAM(r.start));
        SendMessageA(h, EM_SETSEL, 9, 9);
        for (const char *p = r.typed; *p; ++p) qxt::SendChar(h, *p);
        SendMessageA(h, EM_SETSEL, r.anchor, r.caret);
        ASSERT_TRUE(qxt::SetClipboardText("34"));
        std::atomic<int> result(-1);
        std::thread worker([&] { result = r.call(h); });
        for (int i = 0; i < 5000 && !(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE); ++i) Sleep(1);
        r.act(h);
        qxt::PumpUntil([&] { return result != -1; }, 10000);
        worker.join();
        EXPECT_EQ(result, 1);
        EXPECT_EQ(WindowText(h), "7");
        EXPECT_EQ(SendMessageA(h, EM_CANUNDO, 0, 0), 0);
        DestroyWindow(h);
    }
}

// The call message runs a listed call once; sent from this thread, posted or junk, nothing.
TEST_F(Threads, CallMessageRunsOnlyListedCalls) {
    HWND h = parent.CreateChild("QXEdit", "", 0, 10, 10, 200, 24, 7);
    qxt::Acc acc(h);
    static int runs;
    runs = 0;
    auto *call = new qx::AccCall(*static_cast<qx::AccessibleObject *>(acc.p),
                                 [](qx::AccessibleObject &, qx::AccRequest &) -> HRESULT { return ++runs, S_OK; });
    unsigned char junk[64] = {};
    const UINT message = qx::ThreadCallMessage();
    LRESULT answers = SendMessageA(h, message, 0, LPARAM(call));
    PostMessageA(h, message, 0, LPARAM(call));
    qxt::Pump();
    qx::CallOutcome ran = qx::CallOutcome::kNotRun;
    ResetEvent(g_returned);
    std::thread worker([&] {
        answers += SendMessageA(h, message, 0, LPARAM(call)) + SendMessageA(h, message, 0, LPARAM(junk));
        ran = qx::SendToWindowThread(h, *call);
        SetEvent(g_returned);
    });
    EXPECT_TRUE(qxt::PumpUntilSignaled(g_returned, 10000));
    worker.join();
    EXPECT_TRUE(answers == 0 && runs == 1 && ran == qx::CallOutcome::kDone);
    call->LetGo();
}

}  // namespace
