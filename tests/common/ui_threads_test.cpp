// What a process's threads share through the DLL: registrations, the accessibility libraries, exports at once.
#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <oleacc.h>

#include "harness.h"
#include "qx_cntl.h"

namespace {

constexpr int kThreads = 3, kRounds = 16;
const char *const kClasses[] = {"QXEdit", "QXInteger", "QXFloat",     "QXPicture",
                                "QXTime", "QXCalCntl", "QXBmpButton", "QXBmpButtonXP"};

std::string Registered() {
    std::string r;
    WNDCLASSA wc;
    for (const char *cls : kClasses) r += GetClassInfoA(qxt::HostInstance(), cls, &wc) ? '1' : '0';
    return r;
}

// Runs first. Counted registrations outlived by a live window; the accessibility libraries from the system folder.
TEST(Process, CountedRegistrationsAndTheAccessibilityLibraries) {
    const HINSTANCE inst = qxt::HostInstance();
    ASSERT_TRUE(Registered() == "00000000" && RegisterQXCtls(inst) && QXRegisterTimeClass(inst) &&
                QXRegisterCalClass(inst));
    UnregisterQXCtls(inst);
    EXPECT_EQ(Registered(), "00001100");
    QXUnregisterTimeClass(inst), QXUnregisterCalClass();
    ASSERT_TRUE(Registered() == "00000000" && RegisterQXCtls(inst) && RegisterQXCtls(inst));
    UnregisterQXCtls(inst);
    EXPECT_EQ(Registered(), "11111111");
    const char *const libraries[] = {"oleacc.dll", "oleaut32.dll"};
    qxt::ParentWindow parent;
    HWND h = parent.CreateChild("QXInteger", "", QXES_SPIN, 10, 10, 120, 24);
    SendMessageA(h, QXM_SETACCNAME, 0, LPARAM("Total"));
    QXIntSetValue(h, 5);
    EnableWindow(h, FALSE);
    qxt::Pump();
    for (const char *library : libraries) EXPECT_EQ(GetModuleHandleA(library), nullptr) << library;
    const LRESULT answer = SendMessageA(h, WM_GETOBJECT, 0, OBJID_CLIENT);
    EXPECT_TRUE(SendMessageA(h, WM_GETOBJECT, 0, LPARAM(DWORD(OBJID_CLIENT))) &&
                !SendMessageA(h, WM_GETOBJECT, 0, OBJID_WINDOW));
    char folder[MAX_PATH], path[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryA(folder, MAX_PATH), 0u);
    for (const char *library : libraries) {
        const HMODULE module = GetModuleHandleA(library);
        EXPECT_TRUE(module && GetModuleFileNameA(module, path, MAX_PATH) &&
                    lstrcmpiA(path, (std::string(folder) + "\\" + library).c_str()) == 0) << library;
    }
    using FromLresult = HRESULT(WINAPI *)(LRESULT, REFIID, WPARAM, void **);
    const auto fromLresult = reinterpret_cast<FromLresult>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("oleacc.dll"), "ObjectFromLresult")));
    const IID iidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    IAccessible *acc = nullptr;
    ASSERT_TRUE(fromLresult && fromLresult(answer, iidAccessible, 0, reinterpret_cast<void **>(&acc)) == S_OK);
    long parts = 0;
    EXPECT_TRUE(acc->get_accChildCount(&parts) == S_OK && parts == 2);
    acc->Release();
    UnregisterQXCtls(inst);
    EXPECT_TRUE(Registered() == "01000000" && !RegisterQXCtls(inst));
    DestroyWindow(h);
    UnregisterQXCtls(inst);
    EXPECT_EQ(RegisterQXCtls(inst), 1);
    UnregisterQXCtls(inst);
    EXPECT_EQ(Registered(), "00000000");
}

class UiThreads : public ::testing::Test {
protected:
    static void Meet(std::atomic<int> &arrived) {
        ++arrived;
        while (arrived < kThreads) {
            qxt::Pump();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }

    // One thread's work: what is wrong counted in wrong[k], the first in notes[k].
    void Run(int k) {
        WaitForSingleObject(go, INFINITE);
        registered[k] = RegisterQXCtls(qxt::HostInstance());
        {
            std::unique_ptr<qxt::ClassicBirths> classic(k % 2 ? new qxt::ClassicBirths : nullptr);
            qxt::ParentWindow parent(420, 320);
            HWND *w = windows[k];
            for (int i = 0; i < 8; ++i)
                w[i] = parent.CreateChild(kClasses[i], i == 3 ? "99999" : i == 4 ? "99:99" : "",
                                          i == 1 || i == 2 || i == 4 ? QXES_SPIN : 0, 10 + i / 5 * 140,
                                          10 + i % 5 * 30, i == 5 ? 200 : 120, i == 5 ? 150 : 24, i + 1);
            const int next = (k + 1) % kThreads, before = (k + kThreads - 1) % kThreads;
            QXTime_SetTime(w[4], WORD(before), 0);  // as the thread before sets it
            Meet(ready);
            HWND *n = windows[next];
            for (int round = 0; round < kRounds; ++round) {
                const long v = k * 1000 + round;
                const std::string raw = std::to_string(10000 + v);
                char got[8] = {};
                long i = 0;
                double f = 0;
                int year = 0;
                WORD hour = 0, minute = 0;
                Check(k, QXIntSetValue(w[1], v) && QXIntGetValue(w[1], &i) && i == v, "own integer");
                Check(k, QXFloatSetValue(w[2], v + 0.5) && QXFloatGetValue(w[2], &f) && f == v + 0.5, "own float");
                Check(k, QXPicSetValue(w[3], raw.c_str()) && QXPicGetValue(w[3], got, 8) && got == raw, "own picture");
                Check(k, QXCalSetYear(w[5], 2000 + k) && QXCalGetYear(w[5], &year) && year == 2000 + k, "own calendar");
                Check(k, QXBtn_SetBitmap(w[6 + round % 2], CreateBitmap(8, 8, 1, 32, nullptr)), "own button");
                RedrawWindow(parent.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                // The next thread's windows, from here.
                Check(k, QXTime_SetTime(n[4], WORD(k), WORD(round % 60)), "next time set");
                Check(k, QXIntGetValue(n[1], &i) && i / 1000 == next, "next integer");
                Check(k, QXFloatGetValue(n[2], &f) && long(f) / 1000 == next, "next float");
                Check(k, QXPicGetValue(n[3], got, sizeof got) && (std::atol(got) - 10000) / 1000 == next, "next picture");
                Check(k, QXCalGetYear(n[5], &year) && year == 2000 + next, "next calendar");
                Check(k, QXTime_GetTime(w[4], &hour, &minute) && hour == before, "own time");
                qxt::Pump();
            }
            Meet(done);  // the others may still call this thread's windows
        }
        Meet(destroyed);  // no window of a class left when it is unregistered
        UnregisterQXCtls(qxt::HostInstance());
    }

    void Check(int k, bool ok, const char *what) {
        if (!ok && wrong[k]++ == 0) notes[k] = what;
    }

    qxt::FaultCounter faults;
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);  // one per test, for the program's life
    std::atomic<int> ready{0}, done{0}, destroyed{0};
    HWND windows[kThreads][8] = {};
    int registered[kThreads] = {}, wrong[kThreads] = {};
    std::string notes[kThreads];
};

// Nothing faults, every call succeeds, each value read is its writer's.
TEST_F(UiThreads, PaintAndCallExportsAtOnce) {
    std::vector<std::thread> threads;
    for (int k = 0; k < kThreads; ++k) threads.emplace_back([this, k] { Run(k); });
    SetEvent(go);
    for (std::thread &t : threads) t.join();
    for (int k = 0; k < kThreads; ++k) {
        EXPECT_EQ(registered[k], 1) << "thread " << k;
        EXPECT_EQ(wrong[k], 0) << "thread " << k << ", first: " << notes[k];
    }
    EXPECT_EQ(Registered(), "00000000");
    EXPECT_EQ(faults.Faults(), 0) << "access violations";
}

}  // namespace
