// Edits linked in statically, under an allocator that fails on demand and poisons freed memory.
#include "harness.h"
#include "poison_alloc.h"
#include "qx_cntl.h"

namespace {

class EditHost : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(RegisterQXCtls(qxt::HostInstance()), 1); }
    static void TearDownTestSuite() { UnregisterQXCtls(qxt::HostInstance()); }
    HWND Make(const char *cls, const char *text, DWORD style = 0) {
        return parent.CreateChild(cls, text, style, 10, 10, 120, 24, 7);
    }
    qxt::ParentWindow parent;
};

// Any allocation of a creation failing fails it and leaves nothing behind.
TEST_F(EditHost, AllocationFailureFailsCreation) {
    const int live = qxt::LiveAllocations();
    for (int n = 1; n <= 5; ++n) {
        qxt::FailNthAllocation(n);
        HWND hwnd = Make("QXEdit", "99-99", QXES_SPIN);
        qxt::FailNthAllocation(0);
        EXPECT_EQ(hwnd != nullptr, n == 5) << "allocation " << n;
        DestroyWindow(hwnd);
        EXPECT_EQ(qxt::LiveAllocations(), live) << "allocation " << n;
    }
}

// The exports refuse a dialog holding our object and our procedure under a foreign class name.
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

}  // namespace
