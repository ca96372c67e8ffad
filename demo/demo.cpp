// Demo host of qx_cntl: a dialog from a resource template holding the
// library's controls, a list of every notification the dialog receives, the
// values the host reads back, and what a screen reader hears of the focused
// control.
//
//   qx_demo.exe                      interactive
//   qx_demo.exe --script <out.png>   drives a short session through the real
//                                    input path, prints what it reads back,
//                                    and saves a screenshot of the dialog
//   --scale 100|150|200              the scale of the screen the demo is to
//                                    show on: it checks that the system's
//                                    is that (scripts/run-demo.sh gives it a
//                                    Wine prefix at 144 or 192 dpi)
//   --contrast                       starts in high contrast (the check box
//                                    "High contrast" switches it)
#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "pictures.h"
#include "qx_cntl.h"
#include "resource.h"
#include "screens.h"

namespace {

struct Field {
    int id;
    const char *name;
};

// The edit fields.
const Field kFields[] = {
    {IDC_NAME, "Name"},         {IDC_CODE, "Code"},   {IDC_NOTE, "Note"},
    {IDC_QUANTITY, "Quantity"}, {IDC_PHONE, "Phone"}, {IDC_APPOINTMENT, "Appointment"},
    {IDC_PRICE, "Price"},       {IDC_DATE, "Date"},   {IDC_ACCOUNT, "Account"},
};

// Every control whose notifications are logged.
const Field kControls[] = {
    {IDC_NAME, "Name"},
    {IDC_CODE, "Code"},
    {IDC_NOTE, "Note"},
    {IDC_QUANTITY, "Quantity"},
    {IDC_PHONE, "Phone"},
    {IDC_APPOINTMENT, "Appointment"},
    {IDC_PRICE, "Price"},
    {IDC_DATE, "Date"},
    {IDC_ACCOUNT, "Account"},
    {IDC_CALENDAR, "Calendar"},
    {IDC_BMPBUTTON, "Bitmap button"},
    {IDC_ICONBUTTON, "Icon button"},
};

const char *ControlName(int id) {
    for (const Field &f : kControls)
        if (f.id == id) return f.name;
    return nullptr;
}

bool IsEdit(int id) {
    for (const Field &f : kFields)
        if (f.id == id) return true;
    return false;
}

std::string CodeName(int id, WORD code) {
    if (id == IDC_CALENDAR && code == QXCN_DAYDBLCLK) return "day double-clicked";
    if (id == IDC_CALENDAR && code == QXCN_SELCHANGE) return "date chosen";
    if (id == IDC_CALENDAR && code == QXCN_SELSET) return "date set";
    if (id == IDC_PRICE && code == QXFN_STEPUP) return "step up asked";
    if (id == IDC_PRICE && code == QXFN_STEPDOWN) return "step down asked";
    if (!IsEdit(id)) return code == BN_CLICKED ? "BN_CLICKED" : "code " + std::to_string(code);
    switch (code) {
    case EN_SETFOCUS: return "EN_SETFOCUS";
    case EN_KILLFOCUS: return "EN_KILLFOCUS";
    case EN_CHANGE: return "EN_CHANGE";
    case EN_UPDATE: return "EN_UPDATE";
    default: {
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%04X", code);
        return buf;
    }
    }
}

std::string WindowText(HWND hwnd) {
    char buf[128] = "";
    GetWindowTextA(hwnd, buf, sizeof buf);
    return buf;
}

// ---- What a screen reader hears ---------------------------------------------

// Written out: IID_IAccessible of mingw's import library is no GUID.
const IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

std::string Narrow(BSTR text) {
    if (!text) return "";
    char buf[256] = "";
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(SysStringLen(text)), buf, sizeof buf - 1, nullptr,
                        nullptr);
    return buf;
}

// A control as a screen reader reads it: its accessible object
// (AccessibleObjectFromWindow, as any client asks), then the name, the role
// and the value, e.g. `Quantity: (text) "14"`. Empty when the window has no
// object.
std::string Spoken(HWND hwnd) {
    IAccessible *acc = nullptr;
    if (!hwnd || AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void **>(&acc)) !=
                     S_OK || !acc)
        return "";
    VARIANT self;
    VariantInit(&self);
    V_VT(&self) = VT_I4;
    V_I4(&self) = CHILDID_SELF;
    BSTR name = nullptr, value = nullptr;
    VARIANT role;
    VariantInit(&role);
    std::string line = acc->get_accName(self, &name) == S_OK ? Narrow(name) : "(no name)";
    if (acc->get_accRole(self, &role) == S_OK && V_VT(&role) == VT_I4) {
        char text[64] = "";
        GetRoleTextA(static_cast<DWORD>(V_I4(&role)), text, sizeof text);
        line += std::string(" (") + text + ")";
    }
    if (acc->get_accValue(self, &value) == S_OK) line += " \"" + Narrow(value) + "\"";
    SysFreeString(name);
    SysFreeString(value);
    acc->Release();
    return line;
}

class Demo;
Demo *g_demo = nullptr;  // the demo whose dialog is open
void CALLBACK OnAccEvent(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG, DWORD, DWORD);

class Demo {
public:
    // Listens, as a screen reader does, to the events of the process's
    // windows: the system's focus changes and the controls' values, names
    // and states.
    Demo() {
        g_demo = this;
        hook_ = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, &OnAccEvent,
                                GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    }
    ~Demo() {
        if (hook_) UnhookWinEvent(hook_);
        g_demo = nullptr;
    }
    Demo(const Demo &) = delete;
    Demo &operator=(const Demo &) = delete;

    // The focused control of the dialog is read again after an event about
    // it; a new reading is shown and kept.
    void Hear(HWND hwnd) {
        if (!dlg_ || !hwnd || hwnd != GetFocus() || GetParent(hwnd) != dlg_) return;
        const std::string line = Spoken(hwnd);
        if (line.empty() || line == spoken_) return;
        spoken_ = line;
        heard_.push_back(line);
        SetDlgItemTextA(dlg_, IDC_SPOKEN, line.c_str());
    }
    const std::vector<std::string> &Heard() const { return heard_; }

    // What the host reads back from its controls, one line per control.
    std::vector<std::string> ReadBack() const {
        std::vector<std::string> lines;
        for (const Field &f : kFields)
            lines.push_back(std::string(f.name) + " = \"" +
                            WindowText(GetDlgItem(dlg_, f.id)) + "\"");
        char buf[96];
        long quantity = 0;
        if (QXIntGetValue(GetDlgItem(dlg_, IDC_QUANTITY), &quantity))
            lines.push_back("Quantity value = " + std::to_string(quantity));
        if (QXPicGetValue(GetDlgItem(dlg_, IDC_PHONE), buf, sizeof buf))
            lines.push_back(std::string("Phone digits = \"") + buf + "\"");
        WORD hour = 0, minute = 0;
        BOOL valid = FALSE;
        HWND appointment = GetDlgItem(dlg_, IDC_APPOINTMENT);
        if (QXTime_HasValidTime(appointment, &valid) && valid &&
            QXTime_GetTime(appointment, &hour, &minute)) {
            std::snprintf(buf, sizeof buf, "Appointment time = %02u:%02u (24-hour)", hour, minute);
            lines.push_back(buf);
        }
        double price = 0;
        if (QXFloatGetValue(GetDlgItem(dlg_, IDC_PRICE), &price)) {
            std::snprintf(buf, sizeof buf, "Price value = %.2f", price);
            lines.push_back(buf);
        }
        int year = 0, month = 0, day = 0;
        HWND cal = GetDlgItem(dlg_, IDC_CALENDAR);
        if (QXCalGetYear(cal, &year) && QXCalGetMonth(cal, &month) && QXCalGetDay(cal, &day)) {
            std::snprintf(buf, sizeof buf, "Calendar = %04d-%02d-%02d", year, month, day);
            lines.push_back(buf);
        }
        lines.push_back("Button clicks = " + std::to_string(clicks_));
        return lines;
    }

    const std::vector<std::string> &Log() const { return log_; }

    static INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_INITDIALOG) SetWindowLongPtrA(dlg, DWLP_USER, lp);
        auto *self = reinterpret_cast<Demo *>(GetWindowLongPtrA(dlg, DWLP_USER));
        if (!self) return FALSE;
        switch (msg) {
        case WM_INITDIALOG: return self->OnInit(dlg);
        case WM_COMMAND: return self->OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        case WM_CLOSE: return self->Close();
        case kHearFocus: return self->Hear(GetFocus()), TRUE;
        case WM_DESTROY: self->dlg_ = nullptr; return FALSE;
        }
        return FALSE;
    }

    bool modal = true;
    bool contrast = false;  // start in high contrast

private:
    INT_PTR OnInit(HWND dlg) {
        dlg_ = dlg;
        char title[64];
        std::snprintf(title, sizeof title, "qx_cntl demo (%d%%)", MulDiv(100, static_cast<int>(demo::ScreenDpi()), 96));
        SetWindowTextA(dlg, title);
        if (contrast) {
            CheckDlgButton(dlg, IDC_CONTRAST, BST_CHECKED);
            demo::ShowHighContrast(dlg, true);
        }
        // The button owns the bitmap from here on; the system icon is shared.
        QXBtn_SetBitmap(GetDlgItem(dlg, IDC_BMPBUTTON), demo::MakeArrowBitmap());
        QXBtn_SetIcon(GetDlgItem(dlg, IDC_ICONBUTTON), LoadIconA(nullptr, IDI_INFORMATION));
        // A value the user may copy but not change; the host still sets it.
        SetDlgItemTextA(dlg, IDC_ACCOUNT, "ACC-0042-7");
        // Picture-only buttons have no text to be named by.
        SendDlgItemMessageA(dlg, IDC_BMPBUTTON, QXM_SETACCNAME, 0, reinterpret_cast<LPARAM>("Next"));
        SendDlgItemMessageA(dlg, IDC_ICONBUTTON, QXM_SETACCNAME, 0, reinterpret_cast<LPARAM>("Information"));
        LimitCalendar();
        UpdateValues();
        // The control the dialog focuses first, once it has.
        PostMessageA(dlg, kHearFocus, 0, 0);
        return TRUE;
    }

    // The price's spin asks the host to step: by one unit here.
    void StepPrice(WORD code) {
        HWND price = GetDlgItem(dlg_, IDC_PRICE);
        double value = 0;
        if (QXFloatGetValue(price, &value))
            QXFloatSetValue(price, value + (code == QXFN_STEPUP ? 1.0 : -1.0));
    }

    // A booking: no day before today, none after 90 days from now.
    void LimitCalendar() {
        SYSTEMTIME first, last;
        GetLocalTime(&first);
        first.wHour = first.wMinute = first.wSecond = first.wMilliseconds = 0;
        FILETIME when;
        SystemTimeToFileTime(&first, &when);
        ULARGE_INTEGER t = {{when.dwLowDateTime, when.dwHighDateTime}};
        t.QuadPart += 90ULL * 24 * 3600 * 10000000;
        when = {t.LowPart, t.HighPart};
        FileTimeToSystemTime(&when, &last);
        QXCalSetRange(GetDlgItem(dlg_, IDC_CALENDAR), &first, &last);
        ShowDue();
    }

    // The label under the calendar follows its date: the day, and how far
    // it is from today.
    void ShowDue() {
        SYSTEMTIME date = {}, today;
        int year, month, day;
        HWND cal = GetDlgItem(dlg_, IDC_CALENDAR);
        if (!QXCalGetYear(cal, &year) || !QXCalGetMonth(cal, &month) || !QXCalGetDay(cal, &day)) return;
        date.wYear = static_cast<WORD>(year);
        date.wMonth = static_cast<WORD>(month);
        date.wDay = static_cast<WORD>(day);
        GetLocalTime(&today);
        today.wHour = today.wMinute = today.wSecond = today.wMilliseconds = 0;
        FILETIME a, b;
        char text[96], when[64] = "";
        if (!SystemTimeToFileTime(&date, &a) || !SystemTimeToFileTime(&today, &b)) return;
        const long long days = (ULARGE_INTEGER{{a.dwLowDateTime, a.dwHighDateTime}}.QuadPart -
                                ULARGE_INTEGER{{b.dwLowDateTime, b.dwHighDateTime}}.QuadPart) /
                               (24LL * 3600 * 10000000);
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, when, sizeof when);
        std::snprintf(text, sizeof text, "Booked for %s, %s", when,
                      days == 0 ? "today" : ("in " + std::to_string(days) + (days == 1 ? " day" : " days")).c_str());
        SetDlgItemTextA(dlg_, IDC_DUE, text);
    }

    // A double-clicked day fills the date field.
    void FillDate() {
        HWND cal = GetDlgItem(dlg_, IDC_CALENDAR);
        int year, month, day;
        if (!QXCalGetYear(cal, &year) || !QXCalGetMonth(cal, &month) || !QXCalGetDay(cal, &day))
            return;
        char date[32];
        std::snprintf(date, sizeof date, "%02d/%02d/%04d", month, day, year);
        SetDlgItemTextA(dlg_, IDC_DATE, date);
    }

    INT_PTR OnCommand(WORD id, WORD code, HWND from) {
        if (id == IDOK || id == IDCANCEL) return Close();
        if (id == IDC_CLEARLOG && code == BN_CLICKED) {
            SendDlgItemMessageA(dlg_, IDC_LOG, LB_RESETCONTENT, 0, 0);
            log_.clear();
            return TRUE;
        }
        if (id == IDC_CONTRAST && code == BN_CLICKED) {
            demo::ShowHighContrast(dlg_, IsDlgButtonChecked(dlg_, IDC_CONTRAST) == BST_CHECKED);
            return TRUE;
        }
        if (id == IDC_DISABLE && code == BN_CLICKED) {
            const bool off = IsDlgButtonChecked(dlg_, IDC_DISABLE) == BST_CHECKED;
            EnableWindow(GetDlgItem(dlg_, IDC_BMPBUTTON), !off);
            EnableWindow(GetDlgItem(dlg_, IDC_ICONBUTTON), !off);
            return TRUE;
        }
        const char *name = ControlName(id);
        if (!name || !from) return FALSE;
        Record(std::string(name) + ": " + CodeName(id, code));
        if (id == IDC_CALENDAR && code == QXCN_DAYDBLCLK) FillDate();
        if (id == IDC_CALENDAR && (code == QXCN_SELCHANGE || code == QXCN_SELSET)) ShowDue();
        if ((id == IDC_BMPBUTTON || id == IDC_ICONBUTTON) && code == BN_CLICKED) ++clicks_;
        if (id == IDC_PRICE && (code == QXFN_STEPUP || code == QXFN_STEPDOWN)) StepPrice(code);
        if (code == EN_CHANGE || !IsEdit(id)) UpdateValues();
        return TRUE;
    }

    INT_PTR Close() {
        demo::ShowHighContrast(dlg_, false);  // the system's colours back
        if (modal)
            EndDialog(dlg_, IDOK);
        else
            DestroyWindow(dlg_);
        return TRUE;
    }

    void Record(const std::string &line) {
        log_.push_back(line);
        HWND list = GetDlgItem(dlg_, IDC_LOG);
        const LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        SendMessageA(list, LB_SETTOPINDEX, at, 0);
    }

    void UpdateValues() {
        std::string text;
        for (const std::string &line : ReadBack()) text += line + "\n";
        SetDlgItemTextA(dlg_, IDC_VALUES, text.c_str());
    }

    static constexpr UINT kHearFocus = WM_APP;

    HWND dlg_ = nullptr;
    std::vector<std::string> log_;
    int clicks_ = 0;
    HWINEVENTHOOK hook_ = nullptr;
    std::string spoken_;               // the last reading
    std::vector<std::string> heard_;   // every reading
};

void CALLBACK OnAccEvent(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG, DWORD, DWORD) {
    if (g_demo && object == OBJID_CLIENT) g_demo->Hear(hwnd);
}

// ---- The scripted session -------------------------------------------------

HWND g_dialog = nullptr;  // the modeless dialog of the scripted session

void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (g_dialog && IsDialogMessageA(g_dialog, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

void Key(WORD vk, bool down) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
    Pump(15);
}

void Press(WORD vk, WORD modifier = 0) {
    if (modifier) Key(modifier, true);
    Key(vk, true);
    Key(vk, false);
    if (modifier) Key(modifier, false);
}

void Type(const char *text) {
    for (; *text; ++text) {
        const SHORT scan = VkKeyScanA(*text);
        Press(LOBYTE(scan), (HIBYTE(scan) & 1) ? VK_SHIFT : 0);
    }
}

// A left click at a point of a control, through the system's input path.
void ClickAt(HWND control, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(control, &p);
    SetCursorPos(p.x, p.y);
    Pump(20);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
    Pump(40);
}

void ClickField(HWND dlg, int id) {
    HWND control = GetDlgItem(dlg, id);
    RECT r;
    GetClientRect(control, &r);
    ClickAt(control, 4, r.bottom / 2);
}

// A click on the upper (or lower) arrow of a field's spin.
void ClickSpin(HWND dlg, int id, bool up) {
    HWND control = GetDlgItem(dlg, id);
    RECT r;
    GetClientRect(control, &r);
    const int width = GetSystemMetrics(SM_CXHTHUMB) < r.right / 2 ? GetSystemMetrics(SM_CXHTHUMB)
                                                                   : r.right / 2;
    ClickAt(control, r.right - width / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
}

void ClickCentre(HWND dlg, int id) {
    HWND control = GetDlgItem(dlg, id);
    RECT r;
    GetClientRect(control, &r);
    ClickAt(control, r.right / 2, r.bottom / 2);
}

void RunScript(HWND dlg) {
    SetForegroundWindow(dlg);
    Pump(200);

    ClickField(dlg, IDC_NAME);
    Type("Hello world");
    Press(VK_HOME);
    for (int i = 0; i < 5; ++i) Press(VK_RIGHT, VK_SHIFT);  // select "Hello"
    Press('C', VK_CONTROL);
    Press(VK_END);
    Type(", ");
    Press('V', VK_CONTROL);
    Press('Z', VK_CONTROL);  // the paste undone, then redone
    Press('Z', VK_CONTROL);

    ClickField(dlg, IDC_CODE);
    Type("QX-42");
    Press(VK_BACK);
    Press(VK_BACK);
    Type("7");

    ClickField(dlg, IDC_NOTE);
    Type("right");
    Press(VK_TAB);

    // The typed fields: a quantity stepped by its spin, a phone number typed
    // over its mask, a 12-hour time typed by field then stepped, a price
    // regrouped as it is typed.
    ClickField(dlg, IDC_QUANTITY);
    Type("12x");  // the letter is refused with a beep
    ClickSpin(dlg, IDC_QUANTITY, true);
    ClickSpin(dlg, IDC_QUANTITY, true);
    ClickField(dlg, IDC_PHONE);
    Type("5551234567");
    ClickField(dlg, IDC_APPOINTMENT);
    Type("9:30a");
    Press(VK_HOME);
    ClickSpin(dlg, IDC_APPOINTMENT, true);  // the hours: 10:30 am
    ClickField(dlg, IDC_PRICE);
    Type("1234567.5");

    // The calendar, limited to the next 90 days from today: a day in the
    // middle of the grid, then the next week with the keyboard, then a
    // double click on a day (nothing where the day is before today).
    HWND cal = GetDlgItem(dlg, IDC_CALENDAR);
    RECT r;
    GetClientRect(cal, &r);
    ClickAt(cal, r.right / 2, r.bottom * 2 / 3);
    Press(VK_DOWN);
    ClickAt(cal, r.right / 3, r.bottom * 3 / 4);
    ClickAt(cal, r.right / 3, r.bottom * 3 / 4);

    // The read-only account: selected whole and copied; typing is refused
    // with a beep.
    ClickField(dlg, IDC_ACCOUNT);
    Press('A', VK_CONTROL);
    Press('C', VK_CONTROL);
    Type("x");

    // Both picture buttons, then the space bar on the second, then greyed.
    ClickCentre(dlg, IDC_BMPBUTTON);
    ClickCentre(dlg, IDC_ICONBUTTON);
    Press(VK_SPACE);
    ClickField(dlg, IDC_DISABLE);
    Pump(200);
}

bool SaveScreenshot(HWND dlg, const char *path) {
    RECT r;
    GetWindowRect(dlg, &r);
    return demo::SaveRect(nullptr, r, path);
}

int Scripted(HINSTANCE inst, const char *png, bool contrast) {
    Demo demo;
    demo.modal = false;
    demo.contrast = contrast;
    HWND dlg = CreateDialogParamA(inst, MAKEINTRESOURCEA(IDD_DEMO), nullptr, &Demo::Proc,
                                  reinterpret_cast<LPARAM>(&demo));
    if (!dlg) {
        std::fprintf(stderr, "qx_demo: cannot create the dialog (error %lu)\n", GetLastError());
        return 1;
    }
    g_dialog = dlg;
    RunScript(dlg);

    std::printf("Values read back:\n");
    for (const std::string &line : demo.ReadBack()) std::printf("  %s\n", line.c_str());
    std::printf("Notifications received: %u; the last ones:\n",
                static_cast<unsigned>(demo.Log().size()));
    const size_t from = demo.Log().size() > 8 ? demo.Log().size() - 8 : 0;
    for (size_t i = from; i < demo.Log().size(); ++i) std::printf("  %s\n", demo.Log()[i].c_str());

    const std::vector<std::string> &heard = demo.Heard();
    std::printf("A screen reader heard %u readings of the focused control; the last ones:\n",
                static_cast<unsigned>(heard.size()));
    for (size_t i = heard.size() > 10 ? heard.size() - 10 : 0; i < heard.size(); ++i)
        std::printf("  %s\n", heard[i].c_str());

    const bool saved = SaveScreenshot(dlg, png);
    std::printf("Screenshot: %s%s\n", png, saved ? "" : " (could not be written)");
    demo::ShowHighContrast(dlg, false);
    DestroyWindow(dlg);
    return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    demo::BeDpiAware();
    const char *script = nullptr;
    bool contrast = false;
    int scale = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--script") == 0 && i + 1 < argc) {
            script = argv[++i];
        } else if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc) {
            scale = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--contrast") == 0) {
            contrast = true;
        } else {
            std::fprintf(stderr, "usage: qx_demo [--script <out.png>] [--scale 100|150|200] [--contrast]\n");
            return 2;
        }
    }
    const int screen = MulDiv(100, static_cast<int>(demo::ScreenDpi()), 96);
    if (scale && scale != screen) {
        std::fprintf(stderr, "qx_demo: the screen is at %d%%, not %d%%: set the display's scale (under Wine, "
                             "scripts/run-demo.sh --scale %d picks a prefix at that DPI)\n", screen, scale, scale);
        return 1;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HINSTANCE inst = GetModuleHandleA(nullptr);
    if (!RegisterQXCtls(inst)) {
        std::fprintf(stderr, "qx_demo: RegisterQXCtls failed\n");
        return 1;
    }
    int rc;
    if (script) {
        rc = Scripted(inst, script, contrast);
    } else {
        Demo demo;
        demo.contrast = contrast;
        rc = DialogBoxParamA(inst, MAKEINTRESOURCEA(IDD_DEMO), nullptr, &Demo::Proc,
                             reinterpret_cast<LPARAM>(&demo)) == -1;
    }
    UnregisterQXCtls(inst);
    CoUninitialize();
    return rc;
}
