/* Waits until a window can be made on the prefix's desktop, for at most a
 * minute. A prefix's first programs on a new display start its desktop;
 * until that is up, making a window fails (or waits and then fails), so a
 * run makes sure of it before any test program starts. Exits 0 when a
 * window was made, 1 when none could be. */
#include <windows.h>
#include <stdio.h>

int main(void) {
    int tries;
    for (tries = 0; tries < 300; ++tries) {
        HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                 GetModuleHandleA(NULL), NULL);
        if (w) {
            DestroyWindow(w);
            return 0;
        }
        Sleep(200);
    }
    fprintf(stderr, "desktop_ready: no window could be made on this desktop\n");
    return 1;
}
