// Entry point of every test program.
#include <windows.h>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    // A crash must end the process with a failure, never wait on a dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
