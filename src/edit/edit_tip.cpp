#include "edit/edit_tip.h"

#include <commctrl.h>

#include "common/accessible.h"
#include "common/display.h"
#include "common/system_library.h"

namespace qx {
namespace {

// The common controls are loaded at the first tip a process needs: a host
// whose edits explain nothing never loads them.
BOOL CALLBACK LoadTooltipsOnce(INIT_ONCE *, void *, void **) {
    using InitFn = BOOL(WINAPI *)(const INITCOMMONCONTROLSEX *);
    const auto init = FindEntry<InitFn>(LoadSystemLibrary("comctl32.dll"), "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    return init && init(&classes);
}

bool TooltipsLoaded() {
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    return InitOnceExecuteOnce(&once, LoadTooltipsOnce, nullptr, nullptr) != FALSE;
}

// How long a tip stays: the system's time for notifications, 5 s where it
// has none.
UINT TipMilliseconds() {
    ULONG seconds = 0;
    if (!SystemParametersInfoA(SPI_GETMESSAGEDURATION, 0, &seconds, 0) || seconds == 0) seconds = 5;
    return seconds * 1000;
}

// A tip wraps at this width (at 96 dpi).
constexpr int kTipWidth = 240;

// The tip's one tracking tool, named by the edit's window. The size is that
// of the oldest tool structure, which every version of the control takes.
TOOLINFOA Tool(HWND edit, const char *text) {
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_TRACK;
    tool.hwnd = edit;
    tool.uId = 1;
    tool.lpszText = const_cast<char *>(text);
    return tool;
}

}  // namespace

bool RefusalTip::Make() {
    if (!TooltipsLoaded()) return false;
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(edit_, GWLP_HINSTANCE));
    tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | TTS_BALLOON,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, edit_, nullptr, instance,
                           nullptr);
    if (!tip_) return false;
    TOOLINFOA tool = Tool(edit_, "");
    if (!SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
        Destroy();
        return false;
    }
    return true;
}

void RefusalTip::Show(const char *text, POINT at) {
    if (!text[0] || (!tip_ && !Make())) return;
    TOOLINFOA tool = Tool(edit_, text);
    SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, ScaleForDpi(kTipWidth, WindowDpi(edit_)));
    SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    SendMessageA(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    shown_ = true;
    SetTimer(edit_, kTimer, TipMilliseconds(), nullptr);
    NotifyAccEvent(EVENT_SYSTEM_ALERT, tip_);
}

void RefusalTip::Hide() {
    if (!shown_) return;
    shown_ = false;
    KillTimer(edit_, kTimer);
    TOOLINFOA tool = Tool(edit_, nullptr);
    SendMessageA(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void RefusalTip::Destroy() {
    Hide();
    if (tip_) DestroyWindow(tip_);
    tip_ = nullptr;
}

}  // namespace qx
