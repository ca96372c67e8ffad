/* Switches the Wine prefix it runs in to the classic look: visual styles off, classic colours and metrics. */
#include <windows.h>
#include <stdio.h>

typedef HRESULT(WINAPI *ApplyThemeFn)(void *, void *, void *);

int main(void) {
    HMODULE uxtheme = LoadLibraryA("uxtheme.dll");
    ApplyThemeFn apply;
    if (!uxtheme) return 1;
    apply = (ApplyThemeFn)(void (*)(void))GetProcAddress(uxtheme, (LPCSTR)4);
    if (!apply || FAILED(apply(NULL, NULL, NULL))) {
        fprintf(stderr, "classic_theme: ApplyTheme failed\n");
        return 1;
    }
    return 0;
}
