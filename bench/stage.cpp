#include "stage.h"

#include <vector>

namespace qxb {
namespace {

const char kMainClass[] = "QXBenchMain";
const char kStageClass[] = "QXBenchStage";

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) return 0;  // only the program ends it
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK StageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto *log = reinterpret_cast<StageLog *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (log) {
        switch (msg) {
        case WM_COMMAND:
            ++log->commands;
            if (HIWORD(wp) == EN_CHANGE) ++log->changes;
            break;
        case WM_NOTIFY: ++log->notifies; break;
        case WM_VSCROLL:
        case WM_HSCROLL: ++log->scrolls; break;
        default: break;
        }
    }
    if (msg == WM_NCDESTROY) {
        delete log;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK BlitProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrA(hwnd, 0));
        BITMAP bm;
        if (dc && bitmap && GetObjectA(bitmap, sizeof bm, &bm)) {
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(memory, bitmap);
            BitBlt(dc, kBlitMargin, kBlitMargin, bm.bmWidth, bm.bmHeight, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    default: return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

LPARAM KeyData(char ch, bool up) {
    const UINT scan = MapVirtualKeyA(LOBYTE(VkKeyScanA(ch)), MAPVK_VK_TO_VSC);
    LPARAM lp = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
    if (up) lp |= static_cast<LPARAM>(0xC0000000u);
    return lp;
}

}  // namespace

const char kBlitClass[] = "QXBenchBlit";

bool RegisterBenchClasses(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);

    wc.lpfnWndProc = MainProc;
    wc.lpszClassName = kMainClass;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!RegisterClassA(&wc)) return false;

    wc.lpfnWndProc = StageProc;
    wc.lpszClassName = kStageClass;
    if (!RegisterClassA(&wc)) return false;

    wc.lpfnWndProc = BlitProc;
    wc.lpszClassName = kBlitClass;
    wc.hbrBackground = nullptr;
    wc.cbWndExtra = sizeof(HBITMAP);
    return RegisterClassA(&wc) != 0;
}

HWND MakeMainWindow(HINSTANCE instance, int width, int height) {
    HWND hwnd = CreateWindowExA(0, kMainClass, "qx_bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                                0, width, height, nullptr, nullptr, instance, nullptr);
    if (hwnd) {
        SetForegroundWindow(hwnd);
        UpdateWindow(hwnd);
    }
    return hwnd;
}

HWND MakeStage(HWND main, int x, int y, int width, int height) {
    HWND stage = CreateWindowExA(0, kStageClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                                 width, height, main, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (stage) SetWindowLongPtrA(stage, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new StageLog));
    return stage;
}

StageLog &LogOf(HWND stage) {
    static StageLog none;
    auto *log = reinterpret_cast<StageLog *>(GetWindowLongPtrA(stage, GWLP_USERDATA));
    return log ? *log : none;
}

void SetBlitBitmap(HWND blit, HBITMAP bitmap) {
    SetWindowLongPtrA(blit, 0, reinterpret_cast<LONG_PTR>(bitmap));
}

HFONT DialogFont() {
    static HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    return font;
}

HWND Child(HWND parent, const char *cls, const char *text, DWORD style, DWORD exStyle, int x, int y,
           int w, int h, int id) {
    HWND hwnd = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
    if (hwnd) SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
    return hwnd;
}

std::string TextOf(HWND hwnd) {
    char buf[256] = "";
    GetWindowTextA(hwnd, buf, sizeof buf);
    return buf;
}

void TypeChar(HWND hwnd, char ch) {
    const WPARAM vk = LOBYTE(VkKeyScanA(ch));
    SendMessageA(hwnd, WM_KEYDOWN, vk, KeyData(ch, false));
    SendMessageA(hwnd, WM_CHAR, static_cast<BYTE>(ch), KeyData(ch, false));
    SendMessageA(hwnd, WM_KEYUP, vk, KeyData(ch, true));
}

void ClickAt(HWND hwnd, int x, int y) {
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void FullRepaint(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void RepaintAlone(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_NOCHILDREN | RDW_UPDATENOW);
}

int DistinctColors(HWND hwnd, int limit) {
    RECT r;
    GetClientRect(hwnd, &r);
    const int w = r.right, h = r.bottom;
    if (w <= 0 || h <= 0) return 0;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC window = GetDC(hwnd);
    HBITMAP dib = CreateDIBSection(window, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(window);
    std::vector<DWORD> seen;
    if (dib && memory) {
        HGDIOBJ old = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, w, h, window, 0, 0, SRCCOPY);
        GdiFlush();
        const DWORD *p = static_cast<const DWORD *>(bits);
        for (int i = 0; i < w * h && static_cast<int>(seen.size()) < limit; ++i) {
            const DWORD c = p[i] & 0xFFFFFF;
            bool known = false;
            for (DWORD s : seen) known = known || s == c;
            if (!known) seen.push_back(c);
        }
        SelectObject(memory, old);
    }
    if (memory) DeleteDC(memory);
    if (dib) DeleteObject(dib);
    ReleaseDC(hwnd, window);
    return static_cast<int>(seen.size());
}

HBITMAP MakePicture(int size) {
    std::vector<DWORD> pixels(static_cast<size_t>(size) * size);
    const double centre = size / 2.0, radius = size * 0.4;
    const int stripe = size >= 8 ? size / 8 : 1, band = size >= 16 ? size / 16 : 1;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = x + 0.5 - centre, dy = y + 0.5 - centre;
            DWORD c = 0xC0C0C0;
            if (dx * dx + dy * dy <= radius * radius) {
                c = ((x + y) / stripe) % 2 ? 0x0000A0 : 0xE0E000;
                if (x - y < band && y - x < band) c = 0x800000;
            }
            pixels[static_cast<size_t>(y) * size + x] = c;
        }
    }
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = -size;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    if (bitmap) SetDIBits(screen, bitmap, 0, size, pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace qxb
