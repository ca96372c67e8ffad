// Registration of "QXCalCntl" with its count, and creation of a calendar
// whose object cannot be made. A program of its own: the registration count
// and the allocation hook are process-wide.
#include <windows.h>

#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "button/month_year_btn.h"
#include "harness.h"
#include "qx_cntl.h"

namespace {
bool g_failNothrowNew = false;
}

// Allocations made with std::nothrow fail while the flag is set.
void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
    if (g_failNothrowNew) return nullptr;
    return std::malloc(size ? size : 1);
}
void operator delete(void *p, const std::nothrow_t &) noexcept { std::free(p); }

namespace {

bool ClassExists(HINSTANCE instance) {
    WNDCLASSA wc;
    return GetClassInfoA(instance, "QXCalCntl", &wc) != FALSE;
}

// Each registration counts; the class goes with the last unregistration,
// from the instance given last.
TEST(CalClass, CountedRegistrationWithItsStyleAndSlot) {
    HINSTANCE host = qxt::HostInstance();
    ASSERT_EQ(QXRegisterCalClass(host), 1);
    ASSERT_EQ(QXRegisterCalClass(host), 1);  // RegisterClassA fails, the count goes on
    WNDCLASSA wc = {};
    ASSERT_TRUE(GetClassInfoA(host, "QXCalCntl", &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
    EXPECT_EQ(wc.cbWndExtra, static_cast<int>(sizeof(LONG_PTR)));
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    EXPECT_EQ(wc.hCursor, LoadCursor(nullptr, IDC_ARROW));
    QXUnregisterCalClass();
    EXPECT_TRUE(ClassExists(host));
    QXUnregisterCalClass();
    EXPECT_FALSE(ClassExists(host));
    QXUnregisterCalClass();  // not below zero
    ASSERT_EQ(QXRegisterCalClass(host), 1);
    QXUnregisterCalClass();
    EXPECT_FALSE(ClassExists(host));
}

TEST(CalCreation, FailsWithoutItsObject) {
    ASSERT_EQ(QXRegisterCalClass(qxt::HostInstance()), 1);
    {
        qxt::ParentWindow parent;
        g_failNothrowNew = true;
        HWND cal = CreateWindowExA(0, "QXCalCntl", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 150,
                                   parent.hwnd(), nullptr, qxt::HostInstance(), nullptr);
        g_failNothrowNew = false;
        EXPECT_EQ(cal, nullptr);
        EXPECT_EQ(GetWindow(parent.hwnd(), GW_CHILD), nullptr);  // no buttons left behind
        cal = parent.CreateChild("QXCalCntl", "", 0, 0, 0, 200, 150);
        EXPECT_NE(cal, nullptr);
    }
    QXUnregisterCalClass();
}

// Calendars made before and after the themed button class exists live side
// by side, each button with its own procedure behind the focus forwarding.
TEST(CalButtons, ThemedAndSystemButtonsSideBySide) {
    HINSTANCE host = qxt::HostInstance();
    ASSERT_EQ(QXRegisterCalClass(host), 1);
    {
        qxt::ParentWindow parent(500, 200);
        HWND plain = parent.CreateChild("QXCalCntl", "", 0, 0, 0, 200, 150, 1);
        ASSERT_EQ(QXRegisterMonthYearButtonXPClass(host), 1);
        HWND themed = parent.CreateChild("QXCalCntl", "", 0, 250, 0, 200, 150, 2);
        const bool themedButtons = !qxt::ClassicPrefix();
        for (int id = 100; id <= 103; ++id) {
            EXPECT_EQ(qx::MonthYearBtnFromWindow(GetDlgItem(plain, id)), nullptr) << id;
            qx::MonthYearBtn *arrow = qx::MonthYearBtnFromWindow(GetDlgItem(themed, id));
            ASSERT_EQ(arrow != nullptr, themedButtons) << id;
            if (arrow) {
                EXPECT_EQ(arrow->leftArrow, id % 2 == 0) << id;
            }
        }
        for (HWND cal : {plain, themed, plain}) {
            int before = 0, after = 0, other = 0, otherAfter = 0;
            HWND second = cal == plain ? themed : plain;
            QXCalGetYear(cal, &before);
            QXCalGetYear(second, &other);
            qxt::Click(GetDlgItem(cal, 101), 5, 5);
            QXCalGetYear(cal, &after);
            QXCalGetYear(second, &otherAfter);
            EXPECT_EQ(after, before + 1);
            EXPECT_EQ(otherAfter, other);
            EXPECT_EQ(GetFocus(), cal);
        }
    }
    QXUnregisterMonthYearButtonXPClass(host);
    QXUnregisterCalClass();
}

}  // namespace
