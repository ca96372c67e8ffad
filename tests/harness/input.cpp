// Input and the clipboard as a user drives them.
#include <cstring>

#include "harness.h"

namespace qxt {

LPARAM KeyParam(UINT vk, bool up, bool alt) {
    return 1 | (static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) & 0xFF) << 16) |
           (alt ? static_cast<LPARAM>(KF_ALTDOWN) << 16 : 0) | (up ? 0xC0000000 : 0);
}

LPARAM Point(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
}

POINT SpinArrow(HWND edit, bool up) {
    RECT c;
    GetClientRect(edit, &c);
    const int spin = GetSystemMetrics(SM_CXHTHUMB) < c.right / 2 ? GetSystemMetrics(SM_CXHTHUMB) : c.right / 2;
    return {c.right - spin / 2, up ? c.bottom / 4 : c.bottom * 3 / 4};
}

namespace {

// OpenClipboard can fail while another process holds it: try a few times.
bool Open() {
    for (int i = 0; i < 50; ++i) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(10);
    }
    return false;
}

// The clipboard's text of a format, narrowed (past ASCII '?').
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

WPARAM MouseKeys(int mods, bool leftHeld) {
    return (leftHeld ? MK_LBUTTON : 0) | (mods & kShift ? MK_SHIFT : 0) | (mods & kCtrl ? MK_CONTROL : 0);
}

// The key that types ch and the modifiers it needs.
void KeyOf(char ch, UINT *vk, int *mods) {
    const SHORT scan = VkKeyScanA(ch);
    *vk = scan == -1 ? 0 : LOBYTE(scan);
    *mods = scan == -1 ? kNoMods : ((HIBYTE(scan) & 1) ? kShift : 0) | ((HIBYTE(scan) & 2) ? kCtrl : 0);
}

}  // namespace

void SetHeldKeys(int mods) {
    BYTE state[256] = {};
    if (mods & kShift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    if (mods & kCtrl) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    if (mods & kAltGr) state[VK_CONTROL] = state[VK_LCONTROL] = state[VK_MENU] = state[VK_RMENU] = 0x80;
    if (mods & kAlt) state[VK_MENU] = state[VK_LMENU] = 0x80;
    SetKeyboardState(state);
}

HeldKeys::HeldKeys(int mods) { SetHeldKeys(mods); }

HeldKeys::~HeldKeys() { SetHeldKeys(kNoMods); }

void SendKey(HWND hwnd, UINT vk, int mods) {
    HeldKeys held(mods);
    SendMessageA(hwnd, WM_KEYDOWN, vk, KeyParam(vk, false));
    SendMessageA(hwnd, WM_KEYUP, vk, KeyParam(vk, true));
}

void SendChar(HWND hwnd, char ch, int mods) {
    UINT vk;
    int keyMods;
    KeyOf(ch, &vk, &keyMods);
    HeldKeys held(mods | keyMods);
    if (vk) SendMessageA(hwnd, WM_KEYDOWN, vk, KeyParam(vk, false));
    SendMessageA(hwnd, WM_CHAR, static_cast<BYTE>(ch), KeyParam(vk, false));
    if (vk) SendMessageA(hwnd, WM_KEYUP, vk, KeyParam(vk, true));
}

void TypeText(HWND hwnd, const char *text) { for (; *text; ++text) SendChar(hwnd, *text); }

void PostText(HWND hwnd, const char *text) {
    for (; *text; ++text) {
        UINT vk;
        int mods;
        KeyOf(*text, &vk, &mods);
        if (vk) PostMessageA(hwnd, WM_KEYDOWN, vk, KeyParam(vk, false));
        PostMessageA(hwnd, WM_CHAR, static_cast<BYTE>(*text), KeyParam(vk, false));
        if (vk) PostMessageA(hwnd, WM_KEYUP, vk, KeyParam(vk, true));
    }
}

void MouseDown(HWND hwnd, int x, int y, int mods) {
    SendMessageA(hwnd, WM_LBUTTONDOWN, MouseKeys(mods, true), Point(x, y));
}

void MouseUp(HWND hwnd, int x, int y, int mods) {
    SendMessageA(hwnd, WM_LBUTTONUP, MouseKeys(mods, false), Point(x, y));
}

void MouseMove(HWND hwnd, int x, int y, bool leftHeld) {
    SendMessageA(hwnd, WM_MOUSEMOVE, MouseKeys(kNoMods, leftHeld), Point(x, y));
}

void Click(HWND hwnd, int x, int y, int mods) {
    MouseDown(hwnd, x, y, mods);
    MouseUp(hwnd, x, y, mods);
}

void DoubleClick(HWND hwnd, int x, int y) {
    MouseDown(hwnd, x, y);
    MouseUp(hwnd, x, y);
    SendMessageA(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(x, y));
    MouseUp(hwnd, x, y);
}

void Wheel(HWND hwnd, int delta) {
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    SendMessageA(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<SHORT>(delta))),
                 Point(origin.x, origin.y));
}

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
