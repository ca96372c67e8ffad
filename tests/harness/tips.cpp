// The edits' tips and beeps as a test sees them.
#include "harness.h"
#include "imports.h"

namespace qxt {
namespace {

BOOL CALLBACK AddTip(HWND w, LPARAM list) {
    char cls[32] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (!lstrcmpiA(cls, "tooltips_class32")) reinterpret_cast<std::vector<HWND> *>(list)->push_back(w);
    return TRUE;
}

std::vector<HWND> Tips() {
    std::vector<HWND> tips;
    EnumThreadWindows(GetCurrentThreadId(), AddTip, reinterpret_cast<LPARAM>(&tips));
    return tips;
}

int g_beeps;
BOOL WINAPI CountBeep(UINT) { return ++g_beeps, TRUE; }

}  // namespace

int TipWindows() { return static_cast<int>(Tips().size()); }

HWND ShownTip() {
    for (HWND w : Tips())
        if (IsWindowVisible(w)) return w;
    return nullptr;
}

std::string WindowText(HWND hwnd) {
    char text[256] = "";
    if (hwnd) GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

BeepCounter::BeepCounter(HMODULE module)
    : module_(module),
      real_(demo::RedirectImport(module, "user32.dll", "MessageBeep",
                                 reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&CountBeep)))) {
    EXPECT_NE(real_, nullptr) << "no import of MessageBeep";
    g_beeps = 0;
}

BeepCounter::~BeepCounter() {
    if (real_) demo::RedirectImport(module_, "user32.dll", "MessageBeep", real_);
}

int BeepCounter::Beeps() const { return g_beeps; }

}  // namespace qxt
