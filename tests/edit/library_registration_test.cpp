// Registration of the whole library through the DLL, in a process of its own
// so that no other test has registered anything.
#include <string>

#include <gtest/gtest.h>

#include "harness.h"
#include "qx_cntl.h"

namespace {

// In the order RegisterQXCtls registers them.
const char *const kClasses[] = {"QXEdit",    "QXInteger",   "QXFloat",     "QXPicture",
                                "QXTime",    "QXCalCntl",   "QXBmpButton", "QXBmpButtonXP"};

bool IsRegistered(const char *name) {
    WNDCLASSA wc;
    return GetClassInfoA(qxt::HostInstance(), name, &wc) != FALSE;
}

std::string Registered() {
    std::string s;
    for (const char *c : kClasses) s += IsRegistered(c) ? "1" : "0";
    return s;
}

TEST(LibraryRegistration, AllClassesComeAndGo) {
    const HINSTANCE inst = qxt::HostInstance();
    ASSERT_EQ(Registered(), "00000000");
    EXPECT_EQ(RegisterQXCtls(inst), 1);
    EXPECT_EQ(Registered(), "11111111");
    // A second registration counts; the first unregistration keeps them all.
    EXPECT_EQ(RegisterQXCtls(inst), 1);
    UnregisterQXCtls(inst);
    EXPECT_EQ(Registered(), "11111111");
    UnregisterQXCtls(inst);
    EXPECT_EQ(Registered(), "00000000");
}

// A class that cannot be registered stops the registration there: the classes
// before it stay registered, those after it are not registered.
TEST(LibraryRegistration, StopsAtTheFirstFailure) {
    const HINSTANCE inst = qxt::HostInstance();
    struct {
        const char *blocked;
        const char *expected;  // the classes registered afterwards, in order
    } cases[] = {
        {"QXEdit", "00000000"},    {"QXFloat", "11000000"},     {"QXCalCntl", "11111000"},
        {"QXBmpButton", "11111100"}, {"QXBmpButtonXP", "11111110"},
    };
    for (const auto &c : cases) {
        WNDCLASSA foreign = {};
        foreign.lpfnWndProc = DefWindowProcA;
        foreign.hInstance = inst;
        foreign.lpszClassName = c.blocked;
        ASSERT_NE(RegisterClassA(&foreign), 0) << c.blocked;
        EXPECT_EQ(RegisterQXCtls(inst), 0) << c.blocked;
        std::string expected = c.expected;
        for (size_t i = 0; i < expected.size(); ++i)
            if (std::string(kClasses[i]) == c.blocked) expected[i] = '1';  // the foreign one
        EXPECT_EQ(Registered(), expected) << "blocked by " << c.blocked;
        UnregisterClassA(c.blocked, inst);
        UnregisterQXCtls(inst);
        EXPECT_EQ(Registered(), "00000000") << "after " << c.blocked;
    }
}

// The registered classes make working windows of every kind.
TEST(LibraryRegistration, EveryClassMakesWindows) {
    const HINSTANCE inst = qxt::HostInstance();
    ASSERT_EQ(RegisterQXCtls(inst), 1);
    {
        qxt::ParentWindow parent(300, 200);
        for (const char *c : kClasses) {
            HWND w = parent.CreateChild(c, "", 0, 0, 0, 200, 150);
            EXPECT_NE(w, nullptr) << c;
            if (w) DestroyWindow(w);
        }
    }
    UnregisterQXCtls(inst);
    EXPECT_EQ(Registered(), "00000000");
}

}  // namespace
