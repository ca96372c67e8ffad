// The edits' line buffer, and edit windows with the library linked in, under
// an allocator that fails a chosen nothrow allocation, counts live ones and
// overwrites freed memory, so that a leak or a use after free shows.
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include <gtest/gtest.h>

#include "edit/edit_proc.h"
#include "harness.h"
#include "qx_cntl.h"

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

// Writing over the text never leaves a gap nor passes the capacity; nothing
// is inserted outside the text; a clipboard block is read to its first zero
// or its end, 63 characters at most.
TEST(EditBuf, StaysInsideItsTextAndTheBlock) {
    const std::string x60(60, 'x'), x61(61, 'x'), k70(70, 'k');
    const struct { bool overwrite; std::string str; int pos; bool ok; std::string after; } edits[] = {
        {true, "X", 4, false, "abc"}, {true, x61, 3, false, "abc"}, {true, x60, 3, true, "abc" + x60},
        {false, "X", 4, false, "abc"}, {false, "X", -1, false, "abc"}};
    for (const auto &c : edits) {
        qx::EditBuf b;
        b.SetText("abc");
        EXPECT_EQ(c.overwrite ? b.Overwrite(c.str.c_str(), c.pos) : b.Insert(c.str.c_str(), c.pos), c.ok);
        EXPECT_EQ(std::string(b.text, b.length), c.after) << c.pos;
    }
    const struct { const char *block; size_t size; const char *text; } blocks[] = {
        {"abcXYZ", 3, "abc"}, {"ab\0cd", 5, "ab"}, {k70.c_str(), 71, k70.c_str() + 7}, {nullptr, 4, ""}};
    for (const auto &c : blocks) {
        char dst[qx::EditBuf::kCapacity + 1];
        EXPECT_EQ(qx::CopyTextBlock(dst, c.block, c.size), static_cast<int>(std::strlen(c.text)));
        EXPECT_STREQ(dst, c.text) << c.size;
    }
}

class EditHost : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(RegisterQXCtls(qxt::HostInstance()), 1); }
    static void TearDownTestSuite() { UnregisterQXCtls(qxt::HostInstance()); }
    HWND Make(const char *cls, const char *text, DWORD style = 0) {
        return parent.CreateChild(cls, text, style, 10, 10, 120, 24, 7);
    }
    qxt::ParentWindow parent;
};

// Each allocation of a creation (host, spin, edit object, copy of the mask)
// failing fails the creation and leaves nothing behind.
TEST_F(EditHost, AllocationFailureFailsCreation) {
    const int live = g_live;
    for (int n = 1; n <= 5; ++n) {
        g_failAt = n;
        HWND hwnd = Make("QXEdit", "99-99", QXES_SPIN);
        g_failAt = 0;
        EXPECT_EQ(hwnd != nullptr, n == 5) << "allocation " << n;
        DestroyWindow(hwnd);
        EXPECT_EQ(g_live, live) << "allocation " << n;
    }
}

// The exports refuse a dialog whose slot 0 holds one of our objects, and our
// window procedure under a class name of no edit kind; a class given as an
// atom still gets its object.
TEST_F(EditHost, WindowsTheExportsTake) {
    HWND edit = Make("QXInteger", "");
    HWND dialog = CreateWindowExA(0, WC_DIALOG, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                  qxt::HostInstance(), nullptr);
    SetWindowLongPtrA(dialog, 0, GetWindowLongPtrA(edit, 0));
    WNDCLASSA wc;
    ASSERT_TRUE(GetClassInfoA(qxt::HostInstance(), "QXInteger", &wc));
    wc.lpszClassName = "HostOwnEdit";
    ASSERT_NE(RegisterClassA(&wc), 0);
    EXPECT_TRUE(QXIntSetValue(edit, 1));
    EXPECT_FALSE(QXIntSetValue(dialog, 1) || QXIntSetValue(Make("HostOwnEdit", ""), 1));
    EXPECT_TRUE(QXIntSetValue(Make(MAKEINTATOM(GetClassWord(edit, GCW_ATOM)), ""), 1));
    DestroyWindow(dialog);
}

// A parent that destroys its control from a notification, sent from a
// message or from an export: the operation finishes on an object that is
// still there, which goes when it returns.
TEST_F(EditHost, ParentDestroysControlInsideNotification) {
    for (bool fromExport : {false, true}) {
        HWND hwnd = Make(fromExport ? "QXInteger" : "QXEdit", "");
        const int live = g_live;
        parent.onCommand = [](const qxt::Notification &n) {
            if (n.code == EN_UPDATE && IsWindow(n.from)) DestroyWindow(n.from);
        };
        if (fromExport)
            QXIntSetMask(hwnd, "99");
        else
            qxt::SendChar(hwnd, 'a');
        parent.onCommand = nullptr;
        EXPECT_FALSE(IsWindow(hwnd)) << fromExport;
        EXPECT_LT(g_live, live) << fromExport;
    }
}

}  // namespace
