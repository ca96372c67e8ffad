// The events, each drawn from the class's stream by its weight in the class's group.
#include <windows.h>
#include <uxtheme.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "harness.h"
#include "soak.h"

namespace qxs {
namespace {

using qxt::Point;

// A key's down, character (0: none) and up, sent or posted; vk 0: the character alone.
void Press(Soak &s, UINT vk, int ch, bool posted) {
    auto send = [&](UINT msg, WPARAM wp, LPARAM lp) {
        posted ? PostMessageA(s.control_, msg, wp, lp) : SendMessageA(s.control_, msg, wp, lp);
    };
    if (vk) send(WM_KEYDOWN, vk, qxt::KeyParam(vk, false));
    if (ch) send(WM_CHAR, static_cast<WPARAM>(ch & 0xFF), qxt::KeyParam(vk, false));
    if (vk) send(WM_KEYUP, vk, qxt::KeyParam(vk, true));
    if (posted) s.Pump();
}

// Keystrokes sent or typed ahead: keys with modifiers (Ctrl+letter types its control character), or characters
// with their keys, or a mask's value. No key opens a menu: the menus have tests of their own.
void Keys(Soak &s) {
    static const UINT kKeys[] = {VK_LEFT, VK_RIGHT, VK_HOME,  VK_END,   VK_DELETE, VK_BACK,  VK_INSERT, VK_UP,
                                 VK_DOWN, VK_PRIOR, VK_NEXT,  VK_RETURN, VK_ESCAPE, VK_TAB,  VK_SPACE,  'A',
                                 'C',     'V',      'X',      'Z',      'Y',       '1',      VK_SHIFT,  VK_CONTROL};
    Rng &r = s.rng_;
    const bool posted = r.OneIn(5);
    const std::string value =
        s.model_.hasMask && s.info_.kind != Kind::kInt && r.OneIn(4) ? s.ValueFor(s.model_.mask, true) : "";
    if (!value.empty()) Press(s, VK_HOME, 0, posted);
    for (int n = value.empty() ? r.OneIn(3) ? r.Between(2, 8) : 1 : static_cast<int>(value.size()), i = 0; i < n; ++i) {
        UINT vk = r.OneIn(12) ? static_cast<UINT>(r.Below(256)) : r.Pick(kKeys);
        int mods = r.Coin() ? 0 : r.Between(1, 7), ch = 0;
        if (vk == VK_APPS || vk == VK_F10 || vk == VK_MENU) vk = VK_F9;
        const bool typing = !r.OneIn(5), letter = vk >= 'A' && vk <= 'Z';
        if (typing && letter) ch = static_cast<int>(mods & 2 ? vk - 'A' + 1 : vk | 0x20);
        if (typing && ((vk >= '0' && vk <= '9') || std::strchr("\b\r\x1b\t ", static_cast<int>(vk)))) ch = vk;
        if (value.empty() ? r.Coin() : true) {
            ch = static_cast<BYTE>(value.empty() ? s.ClassChar() : value[i]);
            const SHORT scan = VkKeyScanA(static_cast<char>(ch));
            vk = scan == -1 || r.OneIn(3) ? 0 : LOBYTE(scan);
            mods = scan != -1 && (HIBYTE(scan) & 1) ? 1 : r.OneIn(4) ? r.Between(1, 7) : 0;
        }
        qxt::SetHeldKeys(mods), Press(s, vk, ch, posted);
    }
}

// A plain edit pastes the clipboard's first line over the selection, the caret after it, or changes nothing.
void PasteEvent(Soak &s) {
    Rng &r = s.rng_;
    HWND h = s.control_;
    const int kind = r.Below(4), how = r.Below(3);
    std::string bytes;
    for (int i = kind == 0 ? r.Between(0, 90) : 0; i > 0; --i)
        bytes += static_cast<char>(r.OneIn(6) ? r.Between(0, 31) : r.Between(32, 255));
    if (kind == 1 || kind == 2) bytes = s.RandomText(80);
    if (kind != 0 && r.OneIn(4)) bytes += r.Coin() ? "\r\n" + s.RandomText(10) : "\n";
    const bool terminated = !r.OneIn(4);
    s.SetClipboard(kind == 3 ? "" : bytes, kind != 3 && terminated);
    const std::string before = s.Text(h);
    DWORD a = 0, c = 0, a2 = 0, c2 = 0;
    SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&c));
    if (how == 0) SendMessageA(h, WM_PASTE, 0, 0);
    else qxt::SetHeldKeys(how == 1 ? qxt::kCtrl : qxt::kShift), Press(s, how == 1 ? 'V' : VK_INSERT, 0, false);
    if (s.info_.kind != Kind::kEdit || kind == 3 || !terminated) return;
    const std::string line = bytes.substr(0, std::min<size_t>(bytes.find_first_of(std::string("\r\n\0", 3)), 63));
    const DWORD lo = std::min(a, c), end = static_cast<DWORD>(lo + line.size());
    SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&a2), reinterpret_cast<LPARAM>(&c2));
    const std::string after = s.Text(h);
    s.Expect((after == before && a2 == a && c2 == c) ||
                 (after == before.substr(0, lo) + line + before.substr(std::max(a, c)) && a2 == end && c2 == end),
             "a paste puts the clipboard's first line over the selection, the caret after it, or changes nothing");
}

// Long texts, control characters, none, a mask's value; a refused one changes nothing (the typed tests pin the rest).
void SetTextEvent(Soak &s) {
    Rng &r = s.rng_;
    const int kind = r.Below(5);
    std::string text = kind == 1 ? std::string(r.Between(64, 400), 'a') : s.RandomText(300);
    if (kind == 2) text.insert(text.begin() + r.Below(int(text.size()) + 1), static_cast<char>(r.Between(1, 31)));
    if (kind == 3 && s.model_.hasMask && s.info_.kind != Kind::kInt) text = s.ValueFor(s.model_.mask, false);
    const std::string before = s.Text(s.control_);
    const LRESULT taken = SendMessageA(s.control_, WM_SETTEXT, 0, kind == 4 ? 0 : LPARAM(text.c_str()));
    s.hostSet_ = true;
    if (!taken) s.ExpectText(s.Text(s.control_), before, "a refused WM_SETTEXT leaves the text");
}

// Presses, moves, releases in, near or far from the control (a spin's arrows among them), or a wheel.
void MouseEvent(Soak &s) {
    static const UINT kMsgs[] = {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
    Rng &r = s.rng_;
    HWND h = s.control_;
    RECT rc;
    GetClientRect(h, &rc);
    auto at = [&](LONG size) {
        const int i = r.Below(10);
        return i < 7 ? r.Between(0, std::max(0, int(size) - 1))
                     : i < 9 ? r.Between(-60, size + 60) : r.Between(-32768, 32767);
    };
    if (r.OneIn(6)) {
        POINT origin = {0, 0};
        ClientToScreen(h, &origin);
        const int delta = r.OneIn(6) ? r.Between(-32768, 32767) : 120 * r.Between(-3, 3);
        return (void)SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), Point(origin.x, origin.y));
    }
    for (int i = r.Between(1, 4); i > 0; --i) {
        const int m = r.Below(5), mods = r.OneIn(5) ? r.Between(1, 2) : 0, x = at(rc.right), y = at(rc.bottom);
        qxt::SetHeldKeys(mods);
        SendMessageA(h, kMsgs[m], (mods & 1 ? MK_SHIFT : 0) | (mods & 2 ? MK_CONTROL : 0) | (m % 2 ? 0 : MK_LBUTTON),
                     Point(x, y));
    }
}

// Visual styles off or on for the control and its children (a calendar's buttons), or a theme change.
void ThemeEvent(Soak &s) {
    const int i = s.rng_.Below(3);
    for (HWND w = s.control_; w && IsWindow(s.control_);
         w = w == s.control_ ? GetWindow(w, GW_CHILD) : GetWindow(w, GW_HWNDNEXT))
        i == 2 ? (void)SendMessageA(w, WM_THEMECHANGED, 0, 0)
               : (void)SetWindowTheme(w, i ? nullptr : L"", i ? nullptr : L"");
}

// Invalidation and UpdateWindow, a full redraw, WM_PRINTCLIENT leaving the DC as given.
void PaintEvent(Soak &s) {
    HWND h = s.control_;
    const int i = s.rng_.Below(3);
    if (i == 0) InvalidateRect(h, nullptr, s.rng_.Coin()), UpdateWindow(h);
    if (i == 1) RedrawWindow(h, 0, 0, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (i < 2) return;
    qxt::PrintTarget target(64, 64);
    target.Print(h);
    if (!target.Changed().empty()) s.Fail("WM_PRINTCLIENT left the DC's " + target.Changed() + " changed");
}

void CalKey(Soak &s) {
    const UINT kKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END, VK_SPACE, VK_RETURN};
    const UINT vk = s.rng_.OneIn(10) ? static_cast<UINT>(s.rng_.Below(256)) : s.rng_.Pick(kKeys);
    qxt::SetHeldKeys(s.rng_.OneIn(4) ? s.rng_.Between(1, 3) : 0);
    s.navigated_ = vk >= VK_LEFT && vk <= VK_DOWN;
    Press(s, vk == VK_APPS || vk == VK_F10 || vk == VK_MENU ? VK_F9 : vk, 0, false);
}

// A navigation button clicked or a click by any identifier, now and then from a month's last day.
void CalButton(Soak &s) {
    int month = 0, now = 0;
    if (s.rng_.OneIn(3) && QXCalGetMonth(s.control_, &month)) {
        for (int i = 0; i < 32 && QXCalGetMonth(s.control_, &now) && now == month; ++i) Press(s, VK_RIGHT, 0, false);
        Press(s, VK_LEFT, 0, false);
        s.navigated_ = true;
    }
    const int id = s.rng_.OneIn(8) ? s.rng_.Between(90, 110) : s.rng_.Between(100, 103);
    HWND button = GetDlgItem(s.control_, id);
    if (button && s.rng_.Coin()) SendMessageA(button, BM_CLICK, 0, 0);
    else SendMessageA(s.control_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

const UINT kCommands[] = {WM_COPY, WM_CUT, WM_CLEAR, WM_UNDO, EM_UNDO, EM_CANUNDO, EM_EMPTYUNDOBUFFER};
const DWORD kStyleBits[] = {QXES_READONLY, QXES_RIGHT, QXES_WRAP, QXES_SPIN, QXES_EXPLAIN, QXES_NOBEEP, WS_BORDER};
const UINT kRestyled = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
void Send(Soak &s, UINT msg, WPARAM wp, LPARAM lp) { SendMessageA(s.control_, msg, wp, lp); }
WPARAM SelEnd(Rng &r) {
    const WPARAM kEnds[] = {WPARAM(-1), 0, 65535, WPARAM(INT_MIN), INT_MAX, WPARAM(r.Next())};
    return r.Coin() ? r.Pick(kEnds) : static_cast<WPARAM>(r.Between(0, 70));
}

// Every kind of event: its name, its weight in an edit, a calendar, a button.
struct EventKind { const char *name; int weight[3]; void (*run)(Soak &); };
const EventKind kEvents[] = {
    {"keys", {420, 20, 10}, Keys},
    {"paste", {50, 0, 0}, PasteEvent},
    {"edit command", {50, 0, 0}, [](Soak &s) { Send(s, s.rng_.Pick(kCommands), 0, 0); }},
    {"EM_SETSEL", {60, 0, 0}, [](Soak &s) { Send(s, EM_SETSEL, SelEnd(s.rng_), LPARAM(SelEnd(s.rng_))); }},
    {"WM_SETTEXT", {45, 0, 0}, SetTextEvent},
    {"mouse", {110, 210, 250}, MouseEvent},
    {"WM_SETFONT", {8, 8, 5}, [](Soak &s) { Send(s, WM_SETFONT, WPARAM(s.fonts_[s.rng_.Below(5)]), s.rng_.Coin()); }},
    {"size", {8, 10, 20}, [](Soak &s) {  // on and around nothing, or huge
         const int w = s.rng_.Between(0, 320) >> s.rng_.Pick({0, 0, 7}), h = s.rng_.Between(0, 220) >> s.rng_.Below(8);
         SetWindowPos(s.control_, 0, 0, 0, s.rng_.OneIn(40) ? 3000 : w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
     }},
    {"theme", {5, 8, 15}, ThemeEvent},
    {"style bit", {5, 0, 0}, [](Soak &s) {
         SetWindowLongA(s.control_, GWL_STYLE, GetWindowLongA(s.control_, GWL_STYLE) ^ s.rng_.Pick(kStyleBits));
         SetWindowPos(s.control_, nullptr, 0, 0, 0, 0, kRestyled);
     }},
    {"paint", {12, 15, 40}, PaintEvent},
    {"calendar key", {0, 250, 0}, CalKey},
    {"calendar button", {0, 120, 0}, CalButton},
    {"export", {110, 150, 200}, ExportEvent},
    {"null output", {12, 15, 0}, NullExport},
    {"EnableWindow", {8, 10, 60}, [](Soak &s) { EnableWindow(s.control_, !IsWindowEnabled(s.control_)); }},
    {"SetFocus", {7, 8, 10}, [](Soak &s) { SetFocus(s.control_); }},
    {"SetFocus elsewhere", {10, 13, 15}, [](Soak &s) { SetFocus(s.rng_.Coin() ? s.other_ : nullptr); }},
    {"capture", {5, 5, 10}, [](Soak &s) { s.rng_.Coin() ? (void)SetCapture(s.other_) : (void)ReleaseCapture(); }},
    {"system change", {2, 3, 10}, [](Soak &s) { Send(s, s.rng_.Coin() ? WM_SYSCOLORCHANGE : WM_SETTINGCHANGE, 0, 0); }},
    {"a new control", {3, 4, 6}, [](Soak &s) { DestroyWindow(s.control_), s.MakeControl(); }},
    {"colour answers", {4, 4, 5}, [](Soak &s) { s.colorMode_ = s.rng_.Below(3), InvalidateRect(s.control_, 0, 1); }}};

}  // namespace

// A random style (each bit of the class once in so many) and creation text; the model starts over.
void Soak::MakeControl() {
    static const DWORD kBits[] = {QXES_SPIN, QXES_WRAP, QXES_RIGHT, QXES_READONLY, WS_BORDER, QXES_EXPLAIN, QXES_NOBEEP,
                                  QXCS_NOTIFY, QXCS_TODAY, QXCS_WEEKNUMBERS, QXCS_LOCALE, BS_DEFPUSHBUTTON};
    static const int kOneIn[] = {2, 3, 4, 8, 4, 3, 2, 2, 3, 3, 4, 4};  // each bit once in so many
    static const char *const kMasks[][8] = {
        {"", "9", "999", "99999999999", "9999999999999999999999", "9a9", "", ""},
        {"", "9999.99", "99.9999", "9.", ".99", "99x9", "", ""},
        {"", "99:99", "99:99 am", "99:99 AM", "99:99 a.m.", "99:99 A.M.", "99:99 pm", "99:99:99"}};
    const Kind k = info_.kind;
    const bool cal = k == Kind::kCal, button = k == Kind::kButton;
    DWORD style = WS_TABSTOP;
    for (int i = IsEdit(k) ? 0 : cal ? 7 : 11; i < (IsEdit(k) ? 7 : cal ? 11 : 12); ++i)
        if (rng_.OneIn(kOneIn[i])) style |= kBits[i];
    std::string text = k == Kind::kEdit ? RandomText(20) : "";
    if (k == Kind::kInt || k == Kind::kFloat) text = kMasks[k == Kind::kFloat][rng_.Below(6)];
    if (k == Kind::kTime) text = rng_.Pick(kMasks[2]);
    if (k == Kind::kPicture) text = rng_.OneIn(6) ? "" : RandomMask();
    int w = cal ? 220 : button ? 40 : 140, h = cal ? 160 : button ? 30 : 24;
    if (rng_.OneIn(10)) w = rng_.Between(0, 300), h = rng_.Between(0, 200);
    model_ = Model(), held_ = nullptr, ++made_;
    control_ = CreateWindowExA(0, info_.name, text.c_str(), WS_CHILD | WS_VISIBLE | style, 10, 10, w, h, parent_,
                               reinterpret_cast<HMENU>(7), GetModuleHandleA(nullptr), nullptr);
    if (!control_) return Fail("the control could not be created");
    if (k == Kind::kInt) model_.hasMask = text.size() && text.find_first_not_of('9') == text.npos, model_.mask = text;
    if (k == Kind::kPicture) model_.hasMask = UsableMask(text.c_str()), model_.mask = model_.hasMask ? text : "";
    if (k == Kind::kTime) model_.hasMask = true, model_.mask = IsTimeMask(text.c_str()) ? text : "99:99";
    if (cal) QXCalSetYear(control_, 2024), QXCalSetMonth(control_, 2), QXCalSetDay(control_, 29);  // not today
    if (rng_.OneIn(3)) SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[2]), TRUE);
}

char Soak::ClassChar() {
    if (rng_.OneIn(8)) return static_cast<char>(rng_.Between(1, 255));
    std::string set = "abcXYZ 0123456789.,;-+@~!";
    if (info_.kind == Kind::kInt) set = "0123456789-0123456789";
    if (info_.kind == Kind::kFloat) set = std::string("0123456789-0123456789") + model_.decimal + model_.group;
    if (info_.kind == Kind::kPicture) set = "0123456789aAzZfFqQ -/()xX.0123456789";
    if (info_.kind == Kind::kTime) set = "0123456789: apmAPM0123456789";
    return set[rng_.Below(static_cast<int>(set.size()))];
}

std::string Soak::RandomText(int maxLen) {
    std::string s;
    for (int n = rng_.OneIn(10) ? rng_.Between(60, std::max(maxLen, 60)) : rng_.Between(0, 12); n > 0; --n)
        s += ClassChar();
    return s;
}

std::string Soak::RandomMask() {
    static const char kParts[] = "99999AaHhLlNnUuXx-/:().  ,zQ";
    std::string m;
    for (int n = rng_.OneIn(12) ? rng_.Between(55, 70) : rng_.Between(0, 12); n > 0; --n)
        m += rng_.OneIn(40) ? static_cast<char>(rng_.Between(1, 255)) : kParts[rng_.Below(sizeof kParts - 1)];
    return m;
}

std::string Soak::ValueFor(const std::string &mask, bool raw) {
    if (IsTimeMask(mask.c_str()) && !rng_.OneIn(4)) {  // the fields on and just past their limits
        static const char *const kHours[][4] = {{"23", "24", "00", " 9"}, {"12", "13", "00", " 1"}};
        static const char *const kMinutes[] = {"00", "59", "60", "5 "};
        const bool twelve = mask.size() > 6;
        const std::string letter(twelve ? 1 : 0, "apAP"[rng_.Below(2) + (twelve && mask[6] == 'A' ? 2 : 0)]);
        const std::string fields = std::string(rng_.Pick(kHours[twelve])) + (raw ? "" : ":") + rng_.Pick(kMinutes);
        return raw ? fields + letter : twelve ? fields + " " + letter + mask.substr(7) : fields;
    }
    std::string out;  // a fitting character for each placeholder, now and then one of the class
    for (const MaskPos &p : MaskPositions(mask)) {
        const char c = p.ch | 0x20, fit = c == '9' || c == 'h' ? '0' + rng_.Below(10) : 'a' + rng_.Below(6);
        if (p.literal && (!raw || rng_.OneIn(3))) out += p.ch;
        if (!p.literal) out += rng_.OneIn(12) ? ClassChar() : c == 'u' ? fit - 32 : fit;
    }
    return rng_.OneIn(4) ? out.substr(0, rng_.Below(int(out.size()) + 1)) : out;
}

// The warm-up: what the process makes once (a refusal's tip among it) is made before counting.
void Soak::Tour() {
    if (IsEdit(info_.kind)) {
        SendMessageA(control_, EM_SETREADONLY, FALSE, 0);
        SetWindowLongA(control_, GWL_STYLE, GetWindowLongA(control_, GWL_STYLE) | QXES_EXPLAIN);
        SetClipboard("\t", true), SendMessageA(control_, WM_PASTE, 0, 0);
    }
    for (int i = 0; i < 600; ++i, ++index_) Event();
}

// An edit tells a change of its text by EN_UPDATE then EN_CHANGE.
void Soak::Event() {
    hostSet_ = navigated_ = false;
    changes_ = updates_ = 0;
    const int group = IsEdit(info_.kind) ? 0 : info_.kind == Kind::kCal ? 1 : 2;
    int e = 0, total = 0;
    for (const EventKind &k : kEvents) total += k.weight[group];
    for (total = rng_.Below(total); total >= kEvents[e].weight[group]; ++e) total -= kEvents[e].weight[group];
    const bool edit = IsEdit(info_.kind);
    const std::string before = edit ? Text(control_) : "";
    const int made = made_;
    what_ = kEvents[e].name;
    kEvents[e].run(*this);
    qxt::SetHeldKeys(qxt::kNoMods);
    Pump();
    if (edit && made == made_) {
        Expect(updates_ == changes_, "EN_UPDATE and EN_CHANGE come in pairs");
        if (!hostSet_ && Text(control_) != before) Expect(changes_ > 0, "a change of the text is told by EN_CHANGE");
    }
    if (!IsWindow(control_)) MakeControl();
}

}  // namespace qxs
