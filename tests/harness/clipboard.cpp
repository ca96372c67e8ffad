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

// The clipboard's text of a format, its characters as narrow ones (those
// past ASCII as '?' for the wide format).
template <typename Char>
bool Read(UINT format, std::string *text) {
    if (!Open()) return false;
    HANDLE h = GetClipboardData(format);
    const Char *p = h ? static_cast<const Char *>(GlobalLock(h)) : nullptr;
    if (p) {
        text->clear();
        for (; *p; ++p) text->push_back(sizeof(Char) == 1 || static_cast<unsigned>(*p) < 128 ? static_cast<char>(*p) : '?');
        GlobalUnlock(h);
    }
    CloseClipboard();
    return p != nullptr;
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

bool ClipboardText(std::string *text) { return Read<char>(CF_TEXT, text); }
bool ClipboardUnicodeText(std::string *text) { return Read<wchar_t>(CF_UNICODETEXT, text); }

void EmptyClipboardNow() {
    if (!Open()) return;
    EmptyClipboard();
    CloseClipboard();
}

}  // namespace qxt
