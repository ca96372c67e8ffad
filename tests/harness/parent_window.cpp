#include "harness.h"

#include <cstdio>

namespace qxt {
namespace {

const char kParentClass[] = "QxTestParent";

std::string Row(const Notification &n) {
    char row[80];
    std::snprintf(row, sizeof row, "  id %u, code 0x%x, from %p\n", n.id, n.code, static_cast<void *>(n.from));
    return row;
}

}  // namespace

ParentWindow::ParentWindow(int width, int height) {
    static const ATOM registered = [] {  // the window procedure is replaced per window below
        const WNDCLASSA wc = {0, DefWindowProcA, 0, sizeof(LONG_PTR), HostInstance(), nullptr,
                              LoadCursor(nullptr, IDC_ARROW), HBRUSH(COLOR_BTNFACE + 1), nullptr, kParentClass};
        return RegisterClassA(&wc);
    }();
    (void)registered;
    hwnd_ = CreateWindowExA(0, kParentClass, "test parent", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                            20, 20, width, height, nullptr, nullptr, HostInstance(), nullptr);
    SetWindowLongPtrA(hwnd_, 0, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ParentWindow::Proc));
    SetForegroundWindow(hwnd_);
    SetActiveWindow(hwnd_);
    Pump();
}

ParentWindow::~ParentWindow() {
    onMessage = nullptr;  // it may refer to a test's locals, gone by now
    if (hwnd_) DestroyWindow(hwnd_);
    if (brush_) DeleteObject(brush_);
    Pump();
}

HWND ParentWindow::CreateChild(const char *cls, const char *text, DWORD style, int x, int y,
                               int w, int h, int id) {
    HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 HostInstance(), nullptr);
    Pump();
    return child;
}

void ParentWindow::AnswerColors(COLORREF text, COLORREF back) {
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(back);
    text_ = text;
    back_ = back;
    colorMode_ = ColorMode::Answer;
}

LRESULT CALLBACK ParentWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto *self = reinterpret_cast<ParentWindow *>(GetWindowLongPtrA(hwnd, 0));
    if (self) return self->Handle(msg, wp, lp);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT ParentWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    if (onMessage) onMessage(msg, wp, lp);
    switch (msg) {
    case WM_COMMAND: {
        Notification n{LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)};
        notes_.push_back(n);
        if (onCommand) onCommand(n);
        return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        colorRequests_.push_back(msg);
        if (colorMode_ == ColorMode::Answer) {
            HDC dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, text_);
            SetBkColor(dc, back_);
            return reinterpret_cast<LRESULT>(brush_);
        }
        if (colorMode_ == ColorMode::NullBrush) return 0;
        break;
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

::testing::AssertionResult SameNotifications(const std::vector<Notification> &expected,
                                             const std::vector<Notification> &actual) {
    if (expected == actual) return ::testing::AssertionSuccess();
    std::string text = "notifications differ\nexpected:\n";
    for (const auto &n : expected) text += Row(n);
    text += "actual:\n";
    for (const auto &n : actual) text += Row(n);
    return ::testing::AssertionFailure() << text;
}

}  // namespace qxt
