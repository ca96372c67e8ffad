// The gallery: a picture of every control of the library in each of its
// states, made from the real DLL and written as PNG files named
// <control>-<state>-<look>.png (docs/gallery/ holds them; `make gallery`
// makes them anew, themed and classic).
//
//   qx_gallery.exe <folder> <look>
//
// The looks: "themed" and "classic" (the prefix's), "themed-150" and
// "themed-200" (a screen at 144 and 192 dpi: the prefix's; a few states of
// each control, sized and given the font for that DPI as a host does), and
// "contrast" (those states in high contrast, shown as screens.h does).
//
// Each picture shows one control on the dialog face colour with a small
// margin around it. Before each picture the program checks that the control
// is in the state the name claims, and after it that the file reads back
// through the system's PNG decoder as exactly the pixels grabbed; it prints
// what failed and ends with 1 when a state is not as claimed or a picture
// cannot be written or read back.
#include <windows.h>
#include <initguid.h>
#include <wincodec.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "imports.h"
#include "pictures.h"
#include "png.h"
#include "qx_cntl.h"
#include "screens.h"

namespace {

const int kMargin = 4;
const int kEditId = 10;

HWND g_parent = nullptr;
HFONT g_font = nullptr;
std::string g_folder, g_look;
bool g_fewStates = false;  // the looks of other screens show fewer states

// The library's clock in the pictures: 20 February 2008, noon UTC (the same
// day in every time zone but the farthest).
__time64_t __cdecl AFixedDay(__time64_t *now) {
    const __time64_t day = 1203508800;
    if (now) *now = day;
    return day;
}
int g_written = 0, g_failures = 0;

// The states the looks of other screens show.
bool Shown(const char *state) {
    return !g_fewStates || !std::strcmp(state, "selected") || !std::strcmp(state, "focused");
}

void Fail(const std::string &what) {
    std::fprintf(stderr, "gallery: %s\n", what.c_str());
    ++g_failures;
}

void Check(bool ok, const std::string &name, const char *claim) {
    if (!ok) Fail(name + ": not " + claim);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Everything waiting to be painted is painted, frames included.
void PaintNow() {
    Pump();
    RedrawWindow(g_parent, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The pixels of a PNG file as the system's imaging component decodes them,
// 3 bytes (red, green, blue) each.
bool ReadPng(const std::string &path, int w, int h, std::vector<uint8_t> *rgb) {
    IWICImagingFactory *factory = nullptr;
    IWICBitmapDecoder *decoder = nullptr;
    IWICBitmapFrameDecode *frame = nullptr;
    IWICBitmapSource *converted = nullptr;
    std::wstring wide(path.begin(), path.end());
    UINT fw = 0, fh = 0;
    bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IWICImagingFactory, reinterpret_cast<void **>(&factory))) &&
              SUCCEEDED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                           WICDecodeMetadataCacheOnDemand, &decoder)) &&
              SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&fw, &fh)) &&
              static_cast<int>(fw) == w && static_cast<int>(fh) == h &&
              SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat24bppBGR, frame, &converted));
    if (ok) {
        rgb->resize(static_cast<size_t>(w) * h * 3);
        ok = SUCCEEDED(converted->CopyPixels(nullptr, w * 3, static_cast<UINT>(rgb->size()), rgb->data()));
        for (size_t i = 0; ok && i < rgb->size(); i += 3) std::swap((*rgb)[i], (*rgb)[i + 2]);
    }
    if (converted) converted->Release();
    if (frame) frame->Release();
    if (decoder) decoder->Release();
    if (factory) factory->Release();
    return ok;
}

// The rectangle r of source (null: the screen) written and read back.
void ShotOf(HWND source, const RECT &r, const std::string &name) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    const std::string path = g_folder + "\\" + name + "-" + g_look + ".png";
    std::vector<uint8_t> grabbed, read;
    if (!demo::GrabRect(source, r, &grabbed) || !demo::WritePng(path.c_str(), w, h, grabbed))
        Fail("cannot write " + path);
    else if (!ReadPng(path, w, h, &read) || read != grabbed)
        Fail(path + " does not read back as the pixels written");
    else
        ++g_written;
}

// The control and a margin of its parent's face, read from the parent's
// client area (which holds its children's pixels too).
void Shot(HWND control, const std::string &name) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, g_parent, reinterpret_cast<POINT *>(&r), 2);
    InflateRect(&r, demo::Scaled(kMargin), demo::Scaled(kMargin));
    ShotOf(g_parent, r, name);
}

std::string Text(HWND h) {
    char buf[80] = "";
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

HWND Create(const char *cls, const char *text, DWORD style, int w, int h, DWORD exStyle = 0) {
    const int at = demo::Scaled(20);
    HWND hwnd = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, at, at,
                                demo::Scaled(w), demo::Scaled(h),
                                g_parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
                                GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) Fail(std::string("cannot create a ") + cls);
    if (hwnd) SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
    return hwnd;
}

// The parent: a dialog-coloured window that steps a floating-point edit by
// one when its spin asks, as a host does.
LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && (HIWORD(wp) == QXFN_STEPUP || HIWORD(wp) == QXFN_STEPDOWN)) {
        double value = 0;
        HWND edit = reinterpret_cast<HWND>(lp);
        if (QXFloatGetValue(edit, &value)) QXFloatSetValue(edit, value + (HIWORD(wp) == QXFN_STEPUP ? 1 : -1));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// ---- The edits -----------------------------------------------------------------

struct EditKind {
    const char *name;
    const char *cls;
    const char *mask;
    DWORD style;
    const char *text;  // set with WM_SETTEXT, in the mask's layout
    int selFrom, selTo;
};

const EditKind kEdits[] = {
    {"edit", "QXEdit", "", 0, "Hello, world", 7, 12},
    {"integer", "QXInteger", "99999", QXES_SPIN, "1234", 0, 2},
    {"float", "QXFloat", "99999.99", QXES_SPIN, "1234.50", 0, 5},
    {"picture", "QXPicture", "(999) 999-99", 0, "(555) 123-45", 1, 4},
    {"time", "QXTime", "99:99 am", QXES_SPIN, "07:30 pm", 0, 2},
};

// The centre of the upper spin arrow in client coordinates.
POINT UpperArrow(HWND edit) {
    RECT client;
    GetClientRect(edit, &client);
    int spin = GetSystemMetrics(SM_CXHTHUMB);
    if (client.right / 2 < spin) spin = client.right / 2;
    return {client.right - spin / 2, client.bottom / 4};
}

void EditShots(const EditKind &k) {
    const std::string base = k.name;
    const auto make = [&](bool typed) {
        HWND h = Create(k.cls, k.mask, k.style, 130, 21, WS_EX_CLIENTEDGE);
        if (h && typed && !SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(k.text)))
            Fail(base + ": text refused: " + k.text);
        return h;
    };
    const struct {
        const char *state;
        bool typed;
        std::function<void(HWND)> setUp;
        std::function<bool(HWND)> holds;
    } states[] = {
        {"empty", false, [](HWND) {}, [](HWND h) { return GetFocus() != h && IsWindowEnabled(h); }},
        {"typed", true, [](HWND) {}, [](HWND h) { return GetFocus() != h && IsWindowEnabled(h); }},
        {"focused", true,
         [](HWND h) {
             SetFocus(h);
             SendMessageA(h, EM_SETSEL, 0, -1);
             SendMessageA(h, WM_KEYDOWN, VK_END, 0);
         },
         [](HWND h) {
             DWORD a = 0, c = 0;
             SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&c));
             return GetFocus() == h && a == c && static_cast<int>(c) == GetWindowTextLengthA(h) - 1;
         }},
        {"selected", true,
         [&](HWND h) {
             SetFocus(h);
             SendMessageA(h, EM_SETSEL, k.selFrom, k.selTo);
         },
         [&](HWND h) {
             DWORD a = 0, c = 0;
             SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&c));
             return GetFocus() == h && static_cast<int>(a) == k.selFrom && static_cast<int>(c) == k.selTo;
         }},
        {"disabled", true, [](HWND h) { EnableWindow(h, FALSE); }, [](HWND h) { return !IsWindowEnabled(h); }},
        {"readonly", true, [](HWND h) { SendMessageA(h, EM_SETREADONLY, TRUE, 0); },
         [](HWND h) { return (GetWindowLongA(h, GWL_STYLE) & QXES_READONLY) != 0; }},
    };
    for (const auto &s : states) {
        if (!Shown(s.state)) continue;
        HWND h = make(s.typed);
        if (!h) continue;
        s.setUp(h);
        PaintNow();
        Check(s.holds(h), base + "-" + s.state, s.state);
        Shot(h, base + "-" + s.state);
        DestroyWindow(h);
    }
    if (!(k.style & QXES_SPIN) || g_fewStates) return;
    // The upper arrow held down: drawn pressed, one step made, the capture
    // taken. The picture is taken before anything repaints it.
    HWND h = make(true);
    if (!h) return;
    PaintNow();
    const std::string before = Text(h);
    const POINT at = UpperArrow(h);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    Check(GetCapture() == h && Text(h) != before, base + "-spin-pressed", "pressed");
    Shot(h, base + "-spin-pressed");
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    DestroyWindow(h);
}

// A letter typed into an integer edit with QXES_EXPLAIN: the tip below the
// caret says why. The tip is a window of its own, so edit and tip are read
// from the screen.
void ExplainedShot() {
    if (g_fewStates) return;
    HWND h = Create("QXInteger", "99999", QXES_SPIN | QXES_EXPLAIN, 130, 21, WS_EX_CLIENTEDGE);
    if (!h) return;
    SetFocus(h);
    SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1234"));
    SendMessageA(h, WM_KEYDOWN, VK_END, 0);
    SendMessageA(h, WM_CHAR, 'x', 0);
    PaintNow();
    HWND tip = FindWindowA("tooltips_class32", nullptr);
    RECT r, t;
    GetWindowRect(h, &r);
    const bool shown = tip && IsWindowVisible(tip) && GetWindowRect(tip, &t) && Text(h) == "1234";
    Check(shown, "integer-explained", "explaining a refusal");
    if (shown) UnionRect(&r, &r, &t);
    InflateRect(&r, demo::Scaled(kMargin), demo::Scaled(kMargin));
    ShotOf(nullptr, r, "integer-explained");
    DestroyWindow(h);
}

// ---- The calendar ----------------------------------------------------------------

void CalendarShots() {
    for (bool focused : {false, true}) {
        if (!focused && g_fewStates) continue;
        HWND cal = Create("QXCalCntl", "", 0, 200, 150);
        if (!cal) return;
        QXCalSetYear(cal, 2008);
        QXCalSetMonth(cal, 2);
        QXCalSetDay(cal, 14);
        if (focused) SetFocus(cal);
        PaintNow();
        int y = 0, m = 0, d = 0;
        QXCalGetYear(cal, &y), QXCalGetMonth(cal, &m), QXCalGetDay(cal, &d);
        const char *name = focused ? "calendar-focused" : "calendar-selected";
        Check(y == 2008 && m == 2 && d == 14 && (GetFocus() == cal) == focused, name, "showing its day");
        Shot(cal, name);
        DestroyWindow(cal);
    }
    // Week numbers, today's frame, and limits from the 5th to the 25th: the
    // days beyond them unavailable, all four arrow buttons disabled (nothing
    // allowed lies in another month). The days keep their size: the calendar
    // is a column wider. Today is the 20th, by the library's clock answered here.
    if (g_fewStates) return;
    const bool today = demo::RedirectImport(GetModuleHandleA("qx_cntl.dll"), "msvcrt.dll", "_time64",
                                                   reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&AFixedDay)));
    HWND cal = Create("QXCalCntl", "", QXCS_WEEKNUMBERS | QXCS_TODAY, 200, 150);
    if (!cal) return;
    QXCalSetYear(cal, 2008), QXCalSetMonth(cal, 2), QXCalSetDay(cal, 14);
    const SYSTEMTIME first = {2008, 2, 0, 5, 0, 0, 0, 0}, last = {2008, 2, 0, 25, 0, 0, 0, 0};
    QXCalSetRange(cal, &first, &last);
    PaintNow();
    RECT r;
    GetClientRect(cal, &r);
    Check(today && r.right == 225 && !IsWindowEnabled(GetDlgItem(cal, 100)) && !IsWindowEnabled(GetDlgItem(cal, 103)),
          "calendar-limited", "limited, with week numbers and today");
    Shot(cal, "calendar-limited");
    DestroyWindow(cal);
}

// ---- The buttons -----------------------------------------------------------------

void ButtonShots(const char *name, bool icon) {
    const struct {
        const char *state;
        std::function<void(HWND)> setUp;  // after the first paint
        std::function<bool(HWND)> holds;
    } states[] = {
        {"normal", [](HWND) {}, [](HWND b) { return GetFocus() != b && IsWindowEnabled(b); }},
        {"focused", [](HWND b) { SetFocus(b), PaintNow(); }, [](HWND b) { return GetFocus() == b; }},
        {"hot",
         [](HWND b) {
             RECT r;
             GetWindowRect(b, &r);
             SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
             SendMessageA(b, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
         },
         [](HWND b) { return GetFocus() != b; }},
        {"pressed", [](HWND b) { SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); },
         [](HWND b) { return GetCapture() == b; }},
        {"disabled", [](HWND b) { EnableWindow(b, FALSE), PaintNow(); }, [](HWND b) { return !IsWindowEnabled(b); }},
    };
    for (const auto &s : states) {
        if (!Shown(s.state)) continue;
        HWND b = Create("QXBmpButton", name, 0, 40, 30);
        if (!b) return;
        // The button owns the bitmap; the system icon is shared.
        if (icon)
            QXBtn_SetIcon(b, LoadIconA(nullptr, IDI_INFORMATION));
        else
            QXBtn_SetBitmap(b, demo::MakeArrowBitmap());
        PaintNow();
        s.setUp(b);
        const std::string shot = std::string(icon ? "iconbutton-" : "button-") + s.state;
        Check(s.holds(b), shot, s.state);
        Shot(b, shot);
        SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(-10, -10));  // a press ends outside: no click
        SetCursorPos(1270, 1010);
        SendMessageA(b, WM_MOUSELEAVE, 0, 0);
        DestroyWindow(b);
    }
}

}  // namespace

int main(int argc, char **argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc != 3) {
        std::fprintf(stderr, "usage: qx_gallery <folder> <look>\n");
        return 2;
    }
    g_folder = argv[1];
    g_look = argv[2];
    demo::BeDpiAware();
    // A look of another screen is made on that screen only.
    const UINT dpi = g_look == "themed-150" ? 144 : g_look == "themed-200" ? 192 : 96;
    g_fewStates = dpi != 96 || g_look == "contrast";
    if (demo::ScreenDpi() != dpi) {
        std::fprintf(stderr, "gallery: the look %s needs a screen of %u dpi, not %u\n", g_look.c_str(), dpi,
                     demo::ScreenDpi());
        return 1;
    }
    HINSTANCE inst = GetModuleHandleA(nullptr);
    CoInitialize(nullptr);
    if (!RegisterQXCtls(inst)) {
        std::fprintf(stderr, "gallery: RegisterQXCtls failed\n");
        return 1;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = "QXGalleryParent";
    RegisterClassA(&wc);
    // The classic dialog font: 8 points, a bitmap font, the same in every run.
    g_font = CreateFontA(-MulDiv(8, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                         "MS Sans Serif");
    g_parent = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, demo::Scaled(320),
                               demo::Scaled(240), nullptr,
                               nullptr, inst, nullptr);
    if (!g_parent || !g_font) {
        std::fprintf(stderr, "gallery: cannot make the parent window\n");
        return 1;
    }
    SetForegroundWindow(g_parent);
    SetCursorPos(1270, 1010);  // away from every control: nothing hot by chance
    if (g_look == "contrast" && !demo::ShowHighContrast(g_parent, true)) Fail("cannot show high contrast");
    PaintNow();

    for (const EditKind &k : kEdits) EditShots(k);
    ExplainedShot();
    CalendarShots();
    ButtonShots("Next", false);
    ButtonShots("Information", true);

    if (g_look == "contrast") demo::ShowHighContrast(g_parent, false);
    DestroyWindow(g_parent);
    DeleteObject(g_font);
    UnregisterQXCtls(inst);
    CoUninitialize();
    std::printf("gallery: %d pictures written to %s\n", g_written, g_folder.c_str());
    return g_failures ? 1 : 0;
}
