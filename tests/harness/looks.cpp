#include "harness.h"

#include <uxtheme.h>

namespace qxt {
namespace {

// A class list no theme has: every OpenThemeData of the window gives null.
const wchar_t kNoThemeClass[] = L"QxTestNoSuchThemeClass";

LRESULT CALLBACK ClassicAtCreation(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) SetWindowTheme(reinterpret_cast<HWND>(wp), nullptr, kNoThemeClass);
    return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

// SetWindowTheme sends the window WM_THEMECHANGED itself.
void SetWindowStyles(HWND hwnd, bool on) {
    SetWindowTheme(hwnd, nullptr, on ? nullptr : kNoThemeClass);
    Pump();
}

ClassicBirths::ClassicBirths()
    : hook_(SetWindowsHookExA(WH_CBT, ClassicAtCreation, nullptr, GetCurrentThreadId())) {}

ClassicBirths::~ClassicBirths() {
    if (hook_) UnhookWindowsHookEx(hook_);
}

SysColors::SysColors(const std::vector<std::pair<int, COLORREF>> &colors) {
    std::vector<COLORREF> values;
    for (const auto &c : colors) {
        indexes_.push_back(c.first);
        old_.push_back(GetSysColor(c.first));
        values.push_back(c.second);
    }
    SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), values.data());
    Pump();
}

SysColors::~SysColors() {
    SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), old_.data());
    Pump();
}

}  // namespace qxt
