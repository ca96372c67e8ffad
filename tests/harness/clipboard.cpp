#include <cstring>

#include "harness.h"

namespace qxt {
namespace {

// OpenClipboard can fail while another process holds it: try a few times.
bool Open() {
    for (int i = 0; i < 50; ++i) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

bool SetClipboardText(const char *text) {
    if (!Open()) return false;
    EmptyClipboard();
    const size_t n = std::strlen(text) + 1;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, n);
    bool ok = false;
    if (mem) {
        std::memcpy(GlobalLock(mem), text, n);
        GlobalUnlock(mem);
        ok = SetClipboardData(CF_TEXT, mem) != nullptr;
        if (!ok) GlobalFree(mem);
    }
    CloseClipboard();
    return ok;
}

bool ClipboardText(std::string *text) {
    if (!Open()) return false;
    bool ok = false;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char *p = static_cast<const char *>(GlobalLock(h))) {
            *text = p;
            ok = true;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return ok;
}

bool ClipboardUnicodeText(std::string *text) {
    if (!Open()) return false;
    bool ok = false;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t *p = static_cast<const wchar_t *>(GlobalLock(h))) {
            text->clear();
            for (; *p; ++p) text->push_back(*p < 128 ? static_cast<char>(*p) : '?');
            ok = true;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return ok;
}

void EmptyClipboardNow() {
    if (!Open()) return;
    EmptyClipboard();
    CloseClipboard();
}

}  // namespace qxt
