/* Waits up to a minute until a window can be made on the prefix's desktop (a new display starts it late). */
#include <windows.h>
#include <stdio.h>

int main(void) {
    int tries;
    for (tries = 0; tries < 300; ++tries) {
        HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                 GetModuleHandleA(NULL), NULL);
        if (w) return DestroyWindow(w), 0;
        Sleep(200);
    }
    fprintf(stderr, "desktop_ready: no window could be made on this desktop\n");
    return 1;
}
