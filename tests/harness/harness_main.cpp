// Entry point of every test program.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char **argv) {
    // A crash must end the process with a failure, never wait on a dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // A Wine server started without a display fails every window: say so after a failed run.
    if (result != 0) {
        HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        if (!probe)
            std::fprintf(stderr, "harness: no window can be made (error %lu): is this prefix's Wine server "
                                 "running without a display?\n", GetLastError());
        DestroyWindow(probe);
    }
    return result;
}
