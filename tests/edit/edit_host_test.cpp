// Edit windows with the library linked in: creation failures, the window
// check of the exports, refusal by Validate, a parent that destroys its
// control from a notification, and capture loss.
//
// This program replaces the allocation operators: nothrow allocations can be
// made to fail, live ones are counted, and freed memory is overwritten so
// that a use after free does not go unnoticed.
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include <gtest/gtest.h>

#include "edit/edit_proc.h"
#include "edit_test_util.h"

namespace {

int g_failAt = 0;  // the nth nothrow allocation from now fails (0: none)
int g_live = 0;    // nothrow allocations not yet freed
void *g_tracked[256];

void *Allocate(std::size_t n) {
    if (g_failAt > 0 && --g_failAt == 0) return nullptr;
    void *p = std::malloc(n ? n : 1);
    void **slot = std::find(g_tracked, g_tracked + 256, nullptr);
    if (p && slot != g_tracked + 256) *slot = p, ++g_live;
    return p;
}

void Free(void *p) {
    if (!p) return;
    void **slot = std::find(g_tracked, g_tracked + 256, p);
    if (slot != g_tracked + 256) *slot = nullptr, --g_live;
    std::memset(p, 0xDD, _msize(p));
    std::free(p);
}

}  // namespace

void *operator new(std::size_t n, const std::nothrow_t &) noexcept { return Allocate(n); }
void *operator new[](std::size_t n, const std::nothrow_t &) noexcept { return Allocate(n); }
void operator delete(void *p) noexcept { Free(p); }
void operator delete[](void *p) noexcept { Free(p); }
void operator delete(void *p, std::size_t) noexcept { Free(p); }
void operator delete[](void *p, std::size_t) noexcept { Free(p); }

namespace {

const auto *const g_registered = ::testing::AddGlobalTestEnvironment(new qxt::RegisteredControls);

class EditHostTest : public ::testing::Test {
protected:
    HWND Create(const char *cls, const char *text, DWORD style) {
        return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, 10, 120, 24,
                               parent.hwnd(), reinterpret_cast<HMENU>(7), qxt::HostInstance(),
                               nullptr);
    }
    static qx::EditHost *Host(HWND hwnd) { return qx::EditHostOf(hwnd); }

    qxt::ParentWindow parent;
};

// Every allocation of a window's creation (host, spin, edit object, copy of
// the mask) fails the creation and leaves nothing behind; the next one works.
TEST_F(EditHostTest, AllocationFailureFailsCreation) {
    const int live = g_live;
    for (int n = 1; n <= 4; ++n) {
        g_failAt = n;
        HWND hwnd = Create("QXEdit", "99-99", QXES_SPIN);
        g_failAt = 0;
        EXPECT_EQ(hwnd, nullptr) << "allocation " << n;
        EXPECT_EQ(g_live, live) << "allocation " << n;
    }
    g_failAt = 5;
    HWND hwnd = Create("QXEdit", "99-99", QXES_SPIN);
    g_failAt = 0;
    ASSERT_NE(hwnd, nullptr);
    EXPECT_STREQ(Host(hwnd)->edit->Mask(), "99-99");
    DestroyWindow(hwnd);
    EXPECT_EQ(g_live, live);
}

class OtherEdit : public qx::EditCtl {
public:
    using EditCtl::EditCtl;
};

TEST_F(EditHostTest, WindowCheckOfTheExports) {
    HWND edit = Create("QXEdit", "", 0);
    HWND stat = Create("STATIC", "", 0);
    // A dialog's slot 0 holds its message result: a value, never our object.
    HWND dialog = CreateWindowExA(0, reinterpret_cast<LPCSTR>(WC_DIALOG), "", WS_POPUP, 0, 0, 50,
                                  50, nullptr, nullptr, qxt::HostInstance(), nullptr);
    SetWindowLongPtrA(dialog, 0, reinterpret_cast<LONG_PTR>(Host(edit)));
    // Our window procedure under a class name of no edit kind: no edit object.
    WNDCLASSA wc;
    ASSERT_TRUE(GetClassInfoA(qxt::HostInstance(), "QXEdit", &wc));
    wc.lpszClassName = "HostOwnEdit";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND plain = Create("HostOwnEdit", "", 0);
    ASSERT_NE(plain, nullptr);

    EXPECT_NE(qx::EditObject<qx::EditCtl>(edit), nullptr);
    EXPECT_EQ(qx::EditObject<OtherEdit>(edit), nullptr);  // an object of another kind
    EXPECT_EQ(qx::EditObject<qx::EditCtl>(plain), nullptr);
    for (HWND h : {HWND(nullptr), reinterpret_cast<HWND>(0x12345), stat, dialog})
        EXPECT_EQ(qx::EditObject<qx::EditCtl>(h), nullptr) << h;
    DestroyWindow(plain);
    EXPECT_EQ(qx::EditObject<qx::EditCtl>(plain), nullptr);  // a destroyed window
    DestroyWindow(dialog);
    UnregisterClassA("HostOwnEdit", qxt::HostInstance());
}

// A class given as an atom still gets its object, chosen by its name.
TEST_F(EditHostTest, ClassGivenAsAtom) {
    const ATOM atom = static_cast<ATOM>(GetClassWord(Create("QXTime", "", 0), GCW_ATOM));
    ASSERT_NE(atom, 0);
    HWND hwnd = Create(reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(atom)), "99:99", 0);
    ASSERT_NE(hwnd, nullptr);
    ASSERT_NE(qx::EditObject<qx::EditCtl>(hwnd), nullptr);
    EXPECT_STREQ(qx::EditObject<qx::EditCtl>(hwnd)->Mask(), "99:99");
}

// A typed edit that refuses any text holding a digit.
class NoDigits : public qx::EditCtl {
public:
    using EditCtl::EditCtl;
    bool Validate() override {
        for (int i = 0; i < cur.length; ++i)
            if (cur.text[i] >= '0' && cur.text[i] <= '9') return false;
        return true;
    }
};

TEST_F(EditHostTest, RefusedChangeRevertsToTheCopyOfTheLastKey) {
    HWND hwnd = Create("QXEdit", "", 0);
    Host(hwnd)->edit.reset(new NoDigits(hwnd, 0, 0, 120, 24));
    Host(hwnd)->Layout();
    qxt::TypeText(hwnd, "ab");
    SendMessageA(hwnd, EM_SETSEL, 0, 1);
    parent.ClearNotifications();
    qxt::SendChar(hwnd, '5');  // over the selection "a"
    // Removing the selection was accepted and notified; the digit is refused
    // and the text goes back to what it was before the key, on screen too.
    EXPECT_TRUE(qxt::SameNotifications({{7, EN_UPDATE, hwnd}, {7, EN_CHANGE, hwnd},
                                        {7, EN_UPDATE, hwnd}, {7, EN_CHANGE, hwnd}},
                                       parent.Notifications()));
    const int shown = qxt::Pixels(hwnd).Count(GetSysColor(COLOR_WINDOWTEXT));
    qxt::Repaint(hwnd);
    EXPECT_EQ(shown, qxt::Pixels(hwnd).Count(GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_EQ(qxt::Text(hwnd), "ab");
    EXPECT_EQ(SendMessageA(hwnd, EM_GETSEL, 0, 0), MAKELRESULT(0, 1));
    // A paste, which takes no copy, reverts to the copy of the last key too.
    qxt::SetClipboardText("7");
    SendMessageA(hwnd, WM_PASTE, 0, 0);
    EXPECT_EQ(qxt::Text(hwnd), "ab");
}

// A parent that destroys its control from a notification: the control's
// operation finishes on an object that is still there, which goes when the
// operation returns.
TEST_F(EditHostTest, ParentDestroysControlInsideNotification) {
    for (WORD code : {EN_UPDATE, EN_CHANGE, EN_SETFOCUS}) {
        HWND hwnd = Create("QXEdit", "", 0);
        const int live = g_live;
        parent.onCommand = [&](const qxt::Notification &n) {
            if (n.code == code && IsWindow(n.from)) DestroyWindow(n.from);
        };
        if (code == EN_SETFOCUS)
            qxt::Click(hwnd, 5, 5);
        else
            qxt::SendChar(hwnd, 'a');
        parent.onCommand = nullptr;
        EXPECT_FALSE(IsWindow(hwnd)) << code;
        EXPECT_LT(g_live, live) << code;
    }
}

// The same from inside an export: each export whose change is notified
// finishes on a live object.
TEST_F(EditHostTest, ParentDestroysControlInsideAnExport) {
    struct {
        const char *cls, *mask;
        QXBOOL (*call)(HWND);
    } cases[] = {
        {"QXInteger", "", [](HWND h) { return QXIntSetMask(h, "99"); }},
        {"QXFloat", "", [](HWND h) { return QXFloatSetValue(h, 2.5); }},
        {"QXPicture", "999", [](HWND h) { return QXPicSetValue(h, "12"); }},
        {"QXTime", "", [](HWND h) { return QXTime_SetTime(h, 7, 5); }},
        {"QXTime", "", [](HWND h) { return QXTime_Clear(h); }},
    };
    for (const auto &c : cases) {
        HWND hwnd = Create(c.cls, c.mask, 0);
        const int live = g_live;
        parent.onCommand = [&](const qxt::Notification &n) {
            if (n.code == EN_UPDATE && IsWindow(n.from)) DestroyWindow(n.from);
        };
        c.call(hwnd);
        parent.onCommand = nullptr;
        EXPECT_FALSE(IsWindow(hwnd)) << c.cls;
        EXPECT_LT(g_live, live) << c.cls;
    }
}

// The capture taken by another window ends a selection by mouse.
TEST_F(EditHostTest, CaptureLostEndsMouseSelection) {
    HWND hwnd = Create("QXEdit", "", 0);
    SetWindowTextA(hwnd, "abcdefgh");
    qxt::MouseDown(hwnd, 2, 5);
    ASSERT_EQ(GetCapture(), hwnd);
    SetCapture(parent.hwnd());
    EXPECT_FALSE(qx::EditObject<qx::EditCtl>(hwnd)->MouseSelecting());
    EXPECT_EQ(Host(hwnd)->mouseOwner, 2);
    qxt::MouseMove(hwnd, 100, 5, true);
    EXPECT_EQ(SendMessageA(hwnd, EM_GETSEL, 0, 0), 0);
    ReleaseCapture();
}

}  // namespace
