#include "cases.h"

#include <commctrl.h>

#include <cstdlib>

#include "qx_cntl.h"
#include "stage.h"

namespace qxb {
namespace {

// Goals: the library's time over the system's.
constexpr double kTypingGoal = 0.6;
constexpr double kSpinGoal = 0.3;
constexpr double kRepaintGoal = 1.0;  // buttons included
constexpr double kCalendarGoal = 0.8;
constexpr double kFirstPaintGoal = 3.0;
constexpr double kDialogGoal = 0.9;

constexpr int kId = 100;
constexpr int kPictureSize = 24;   // a button's picture
constexpr int kLargePicture = 256;  // a large one

// The date and time the calendars and time controls show.
const SYSTEMTIME kShownTime = {2024, 5, 3, 15, 10, 30, 0, 0};

std::unique_ptr<Side> Own(Side *side) { return std::unique_ptr<Side>(side); }

HWND MakeUpDown(HWND stage, HWND buddy, int id, int low, int high, int pos) {
    HWND ud = Child(stage, UPDOWN_CLASSA, "",
                    UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0, 0,
                    id);
    if (!ud) return nullptr;
    SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(ud, UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
    SendMessageA(ud, UDM_SETPOS32, 0, static_cast<LPARAM>(pos));
    return ud;
}

HWND MakeTimePicker(HWND stage, int x, int y, int w, int h, int id) {
    HWND dtp = Child(stage, DATETIMEPICK_CLASSA, "", DTS_TIMEFORMAT, 0, x, y, w, h, id);
    if (dtp) {
        SYSTEMTIME t = kShownTime;
        SendMessageA(dtp, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
    }
    return dtp;
}

HWND MakeOurCalendar(HWND stage, int x, int y, int id) {
    HWND cal = Child(stage, "QXCalCntl", "", WS_TABSTOP, 0, x, y, 220, 180, id);
    if (cal) {
        QXCalSetYear(cal, kShownTime.wYear);
        QXCalSetMonth(cal, kShownTime.wMonth);
        QXCalSetDay(cal, kShownTime.wDay);
    }
    return cal;
}

// The size our calendar settles on, and the size of its first arrow button.
struct CalendarShape {
    SIZE size = {0, 0};
    RECT arrow = {0, 0, 0, 0};
};

CalendarShape OurCalendarShape(HWND stage) {
    CalendarShape shape;
    HWND cal = MakeOurCalendar(stage, 0, 0, kId);
    if (!cal) return shape;
    RECT r;
    GetWindowRect(cal, &r);
    shape.size = {r.right - r.left, r.bottom - r.top};
    if (HWND arrow = GetWindow(cal, GW_CHILD)) {
        GetWindowRect(arrow, &shape.arrow);
        OffsetRect(&shape.arrow, -shape.arrow.left, -shape.arrow.top);
    }
    DestroyWindow(cal);
    return shape;
}

HWND MakeMonthCalendar(HWND stage, int x, int y, SIZE size, int id) {
    HWND mc = Child(stage, MONTHCAL_CLASSA, "", WS_TABSTOP, 0, x, y, size.cx, size.cy, id);
    if (mc) {
        SYSTEMTIME t = kShownTime;
        SendMessageA(mc, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&t));
    }
    return mc;
}

// A system push button showing a bitmap that stays ours.
HWND MakeBitmapButton(HWND stage, int x, int y, int w, int h, int id, HBITMAP picture) {
    HWND b = Child(stage, "BUTTON", "", BS_PUSHBUTTON | BS_BITMAP | WS_TABSTOP, 0, x, y, w, h, id);
    if (b) SendMessageA(b, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    return b;
}

// ---- A typed character, with its repaint and notifications ---------------------------

struct Typing {
    const char *cls;
    const char *mask;  // the window text at creation
    void (*start)(HWND);
    int caret;
    char ch;
    const char *after;  // the text once the character is in
};

class TypingSide : public Side {
public:
    explicit TypingSide(const Typing &t) : t_(t) {}
    std::string Setup(HWND stage) override {
        stage_ = stage;
        hwnd_ = Child(stage, t_.cls, t_.mask, WS_TABSTOP, WS_EX_CLIENTEDGE, 10, 10, 180, 22, kId);
        return hwnd_ ? std::string() : std::string("no ") + t_.cls + " window";
    }
    void Teardown() override {
        if (hwnd_) DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    void Prepare(int) override {
        t_.start(hwnd_);
        SendMessageA(hwnd_, EM_SETSEL, t_.caret, t_.caret);
        changes_ = LogOf(stage_).changes;
    }
    void Op(int) override {
        TypeChar(hwnd_, t_.ch);
        UpdateWindow(stage_);
    }
    std::string Check() override {
        const std::string text = TextOf(hwnd_);
        if (text != t_.after) return std::string(t_.cls) + " shows \"" + text + "\", not \"" + t_.after + "\"";
        if (LogOf(stage_).changes <= changes_) return std::string(t_.cls) + " sent no EN_CHANGE";
        return {};
    }
    HWND FocusWindow() const override { return hwnd_; }

private:
    Typing t_;
    HWND stage_ = nullptr, hwnd_ = nullptr;
    int changes_ = 0;
};

void AddTyping(std::vector<Case> *cases, const Typing &ours, const Typing &system) {
    cases->push_back({std::string("typed character: ") + ours.cls + " vs EDIT", kTypingGoal,
                      [ours] { return Own(new TypingSide(ours)); },
                      [system] { return Own(new TypingSide(system)); }});
}

void AddTypingCases(std::vector<Case> *cases) {
    AddTyping(cases, {"QXEdit", "", [](HWND h) { SetWindowTextA(h, "Quarterly report"); }, 16, 's',
                      "Quarterly reports"},
              {"EDIT", "", [](HWND h) { SetWindowTextA(h, "Quarterly report"); }, 16, 's',
               "Quarterly reports"});
    AddTyping(cases, {"QXInteger", "", [](HWND h) { QXIntSetValue(h, 1234); }, 4, '5', "12345"},
              {"EDIT", "", [](HWND h) { SetWindowTextA(h, "1234"); }, 4, '5', "12345"});
    AddTyping(cases,
              {"QXFloat", "9999999.99", [](HWND h) { QXFloatSetValue(h, 1234.0); }, 5, '5', "12,345.00"},
              {"EDIT", "", [](HWND h) { SetWindowTextA(h, "1,234.00"); }, 5, '5', "1,2345.00"});
    AddTyping(cases,
              {"QXPicture", "(999) 999-9999", [](HWND h) { QXPicSetValue(h, "555123"); }, 10, '4',
               "(555) 123-4   "},
              {"EDIT", "", [](HWND h) { SetWindowTextA(h, "(555) 123-"); }, 10, '4', "(555) 123-4"});
    AddTyping(cases, {"QXTime", "99:99 am", [](HWND h) { QXTime_Clear(h); }, 0, '7', " 7:    m"},
              {"EDIT", "", [](HWND h) { SetWindowTextA(h, "  :    m"); }, 0, '7', "7  :    m"});
}

// ---- A spin step: a click on an arrow, the value stepped and shown -------------------

class SpinSide : public Side {
public:
    explicit SpinSide(bool ours) : ours_(ours) {}
    std::string Setup(HWND stage) override {
        stage_ = stage;
        if (ours_) {
            edit_ = Child(stage, "QXInteger", "", QXES_SPIN | WS_TABSTOP, WS_EX_CLIENTEDGE, 10, 10, 100, 22,
                          kId);
            if (!edit_) return "no QXInteger window";
            QXIntSetRange(edit_, 0, 1000000);
            QXIntSetValue(edit_, 1000);
            arrows_ = edit_;
            RECT r;
            GetClientRect(edit_, &r);
            x_ = r.right - 4;  // inside the spin at the right edge
            height_ = r.bottom;
        } else {
            edit_ = Child(stage, "EDIT", "1000", ES_NUMBER | WS_TABSTOP, WS_EX_CLIENTEDGE, 10, 10, 100, 22,
                          kId);
            if (!edit_) return "no EDIT window";
            arrows_ = MakeUpDown(stage, edit_, kId + 1, 0, 1000000, 1000);
            if (!arrows_) return "no up-down window";
            RECT r;
            GetClientRect(arrows_, &r);
            x_ = r.right / 2;
            height_ = r.bottom;
        }
        return {};
    }
    void Teardown() override {
        if (arrows_ && arrows_ != edit_) DestroyWindow(arrows_);
        if (edit_) DestroyWindow(edit_);
        arrows_ = edit_ = nullptr;
    }
    // Up on even operations, down on odd ones: the value stays in place.
    void Op(int i) override {
        ClickAt(arrows_, x_, i % 2 == 0 ? height_ / 4 : height_ * 3 / 4);
        UpdateWindow(stage_);
    }
    std::string Check() override {
        const std::string text = TextOf(edit_);
        return text == "1001" ? std::string() : "a step up shows \"" + text + "\", not \"1001\"";
    }
    HWND FocusWindow() const override { return edit_; }

private:
    bool ours_;
    HWND stage_ = nullptr, edit_ = nullptr, arrows_ = nullptr;
    int x_ = 0, height_ = 0;
};

// ---- A full repaint: frame, background, content and children --------------------------

struct Built {
    std::vector<HWND> windows;    // destroyed last to first
    std::vector<HWND> painted;    // repainted by the operation
    std::vector<HBITMAP> owned;   // deleted after the windows
};
using Builder = std::function<std::string(HWND stage, Built *built)>;

class RepaintSide : public Side {
public:
    RepaintSide(Builder build, bool children) : build_(std::move(build)), children_(children) {}
    std::string Setup(HWND stage) override {
        std::string error = build_(stage, &built_);
        if (error.empty() && built_.painted.empty()) error = "nothing to paint";
        return error;
    }
    void Teardown() override {
        for (auto w = built_.windows.rbegin(); w != built_.windows.rend(); ++w) DestroyWindow(*w);
        for (HBITMAP b : built_.owned) DeleteObject(b);
        built_ = Built();
    }
    void Op(int) override {
        for (HWND w : built_.painted) children_ ? FullRepaint(w) : RepaintAlone(w);
    }
    std::string Check() override {
        return DistinctColors(built_.painted[0], 2) >= 2 ? std::string() : "it painted one colour only";
    }

private:
    Builder build_;
    bool children_;
    Built built_;
};

// One window, made by make, kept and repainted.
Builder Single(std::function<HWND(HWND stage)> make, const char *what) {
    return [make, what](HWND stage, Built *b) {
        HWND w = make(stage);
        if (!w) return std::string("no ") + what + " window";
        b->windows.push_back(w);
        b->painted.push_back(w);
        return std::string();
    };
}

// A repaint of each side's windows with their child windows, or (children
// false) of the windows alone.
void AddRepaint(std::vector<Case> *cases, const std::string &name, double goal, Builder ours,
                Builder system, bool children = true) {
    cases->push_back({"repaint: " + name, goal, [=] { return Own(new RepaintSide(ours, children)); },
                      [=] { return Own(new RepaintSide(system, children)); }});
}

Builder OurEdit(const char *cls, const char *mask, DWORD style, void (*start)(HWND)) {
    return Single(
        [=](HWND stage) {
            HWND h = Child(stage, cls, mask, style | WS_TABSTOP, WS_EX_CLIENTEDGE, 10, 10, 120, 22, kId);
            if (h) start(h);
            return h;
        },
        cls);
}

Builder SystemEdit(const char *text, DWORD style) {
    return Single(
        [=](HWND stage) {
            return Child(stage, "EDIT", text, style | WS_TABSTOP, WS_EX_CLIENTEDGE, 10, 10, 120, 22, kId);
        },
        "EDIT");
}

Builder SystemEditWithUpDown(const char *text) {
    return [=](HWND stage, Built *b) {
        HWND edit = Child(stage, "EDIT", text, ES_NUMBER | WS_TABSTOP, WS_EX_CLIENTEDGE, 10, 10, 120, 22, kId);
        if (!edit) return std::string("no EDIT window");
        b->windows.push_back(edit);
        HWND ud = MakeUpDown(stage, edit, kId + 1, 0, 1000000, std::atoi(text));
        if (!ud) return std::string("no up-down window");
        b->windows.push_back(ud);
        b->painted = {edit, ud};
        return std::string();
    };
}

// A button of the picture's size with a margin like the small ones'.
SIZE ButtonSize(int picture) { return {picture + 24, picture + 12}; }

Builder OurBitmapButton(bool enabled, int picture) {
    return Single(
        [=](HWND stage) {
            const SIZE size = ButtonSize(picture);
            HWND b = Child(stage, "QXBmpButton", "", WS_TABSTOP, 0, 10, 10, size.cx, size.cy, kId);
            if (b) {
                QXBtn_SetBitmap(b, MakePicture(picture));  // the button's from now on
                if (!enabled) EnableWindow(b, FALSE);
            }
            return b;
        },
        "QXBmpButton");
}

Builder SystemBitmapButton(bool enabled, int picture) {
    return [=](HWND stage, Built *b) {
        const SIZE size = ButtonSize(picture);
        HBITMAP bitmap = MakePicture(picture);
        b->owned.push_back(bitmap);
        HWND button = MakeBitmapButton(stage, 10, 10, size.cx, size.cy, kId, bitmap);
        if (!button) return std::string("no BUTTON window");
        if (!enabled) EnableWindow(button, FALSE);
        b->windows.push_back(button);
        b->painted.push_back(button);
        return std::string();
    };
}

void AddRepaintCases(std::vector<Case> *cases, bool themed) {
    AddRepaint(cases, "QXEdit vs EDIT", kRepaintGoal,
               OurEdit("QXEdit", "", 0, [](HWND h) { SetWindowTextA(h, "Quarterly report"); }),
               SystemEdit("Quarterly report", 0));
    AddRepaint(cases, "QXInteger vs EDIT", kRepaintGoal,
               OurEdit("QXInteger", "", 0, [](HWND h) { QXIntSetValue(h, 12345); }), SystemEdit("12345", 0));
    AddRepaint(cases, "QXFloat vs EDIT", kRepaintGoal,
               OurEdit("QXFloat", "9999999.99", QXES_RIGHT, [](HWND h) { QXFloatSetValue(h, 1234.5); }),
               SystemEdit("1,234.50", ES_RIGHT));
    AddRepaint(cases, "QXPicture vs EDIT", kRepaintGoal,
               OurEdit("QXPicture", "(999) 999-9999", 0, [](HWND h) { QXPicSetValue(h, "5551234567"); }),
               SystemEdit("(555) 123-4567", 0));
    AddRepaint(cases, "QXInteger with spin vs EDIT with up-down", kRepaintGoal,
               OurEdit("QXInteger", "", QXES_SPIN, [](HWND h) { QXIntSetValue(h, 12345); }),
               SystemEditWithUpDown("12345"));
    AddRepaint(cases, "QXTime with spin vs time picker", kRepaintGoal,
               OurEdit("QXTime", "99:99 am", QXES_SPIN,
                       [](HWND h) { QXTime_SetTime(h, kShownTime.wHour, kShownTime.wMinute); }),
               Single([](HWND stage) { return MakeTimePicker(stage, 10, 10, 120, 22, kId); },
                      "date-time picker"));
    // The calendar's own paint; then with its four navigation buttons, child
    // windows of their own classes (system BUTTONs in the classic look) that
    // paint themselves.
    const Builder ourCalendar =
        Single([](HWND stage) { return MakeOurCalendar(stage, 10, 10, kId); }, "QXCalCntl");
    const Builder monthCalendar = Single(
        [](HWND stage) { return MakeMonthCalendar(stage, 10, 10, OurCalendarShape(stage).size, kId); },
        "month calendar");
    AddRepaint(cases, "QXCalCntl vs month calendar", kCalendarGoal, ourCalendar, monthCalendar, false);
    AddRepaint(cases, "QXCalCntl and its four buttons vs month calendar", kCalendarGoal, ourCalendar, monthCalendar);
    AddRepaint(cases, "QXBmpButton vs BUTTON BS_BITMAP", kRepaintGoal, OurBitmapButton(true, kPictureSize),
               SystemBitmapButton(true, kPictureSize));
    AddRepaint(cases, "QXBmpButton vs BUTTON BS_BITMAP, disabled", kRepaintGoal,
               OurBitmapButton(false, kPictureSize), SystemBitmapButton(false, kPictureSize));
    // Work done per paint rather than once per picture shows most here.
    AddRepaint(cases, "QXBmpButton vs BUTTON BS_BITMAP, 256x256 picture", kRepaintGoal,
               OurBitmapButton(true, kLargePicture), SystemBitmapButton(true, kLargePicture));
    if (themed) {
        // The calendar's arrow buttons exist only while a theme is in force.
        AddRepaint(
            cases, "month/year button vs BUTTON of its size", kRepaintGoal,
            [](HWND stage, Built *b) {
                HWND cal = MakeOurCalendar(stage, 10, 10, kId);
                if (!cal) return std::string("no QXCalCntl window");
                b->windows.push_back(cal);
                HWND arrow = GetWindow(cal, GW_CHILD);
                char cls[32] = "";
                if (arrow) GetClassNameA(arrow, cls, sizeof cls);
                if (lstrcmpiA(cls, "QXBmpButtonXP") != 0) return std::string("the calendar has no QXBmpButtonXP");
                b->painted.push_back(arrow);
                return std::string();
            },
            Single(
                [](HWND stage) {
                    const RECT r = OurCalendarShape(stage).arrow;
                    return Child(stage, "BUTTON", "<", BS_PUSHBUTTON, 0, 10, 10, r.right, r.bottom, kId);
                },
                "BUTTON"));
    }
}

// ---- The first paint of a fresh large picture -----------------------------------------

class FirstPaintSide : public Side {
public:
    explicit FirstPaintSide(bool ours) : ours_(ours) {}
    std::string Setup(HWND stage) override {
        const int size = kLargePicture + 2 * kBlitMargin;
        hwnd_ = Child(stage, ours_ ? "QXBmpButton" : kBlitClass, "", 0, 0, 10, 10, size, size, kId);
        return hwnd_ ? std::string() : "no picture window";
    }
    void Teardown() override {
        if (hwnd_) DestroyWindow(hwnd_);  // a button deletes the picture it shows
        if (!ours_ && shown_) DeleteObject(shown_);
        if (fresh_) DeleteObject(fresh_);
        hwnd_ = nullptr;
        shown_ = fresh_ = nullptr;
    }
    void Prepare(int) override { fresh_ = MakePicture(kLargePicture); }
    void Op(int) override {
        if (ours_) {
            QXBtn_SetBitmap(hwnd_, fresh_);
        } else {
            SetBlitBitmap(hwnd_, fresh_);
        }
        FullRepaint(hwnd_);
    }
    // The picture replaced is the caller's again.
    void Finish(int) override {
        if (shown_) DeleteObject(shown_);
        shown_ = fresh_;
        fresh_ = nullptr;
    }
    std::string Check() override {
        return DistinctColors(hwnd_, 3) >= 3 ? std::string() : "the picture is not shown";
    }

private:
    bool ours_;
    HWND hwnd_ = nullptr;
    HBITMAP fresh_ = nullptr, shown_ = nullptr;
};

// ---- A dialog's worth of controls, created and destroyed ------------------------------

class DialogSide : public Side {
public:
    explicit DialogSide(bool ours) : ours_(ours) {}
    std::string Setup(HWND stage) override {
        stage_ = stage;
        calendar_ = OurCalendarShape(stage).size;
        return calendar_.cx > 0 ? std::string() : "no QXCalCntl window";
    }
    void Teardown() override { DropPictures(); }
    void Prepare(int) override {
        for (HBITMAP &p : pictures_) p = MakePicture(kPictureSize);
    }
    void Op(int) override {
        HWND w[12] = {};
        int n = 0;
        const DWORD edge = WS_EX_CLIENTEDGE;
        if (ours_) {
            w[n++] = Child(stage_, "QXEdit", "", WS_TABSTOP, edge, 10, 10, 150, 22, 101);
            w[n++] = Child(stage_, "QXEdit", "", QXES_SPIN | WS_TABSTOP, edge, 10, 40, 100, 22, 102);
            w[n++] = Child(stage_, "QXInteger", "999", QXES_SPIN | WS_TABSTOP, edge, 10, 70, 80, 22, 103);
            w[n++] = Child(stage_, "QXPicture", "(999) 999-9999", WS_TABSTOP, edge, 10, 100, 120, 22, 104);
            w[n++] = Child(stage_, "QXTime", "99:99 am", QXES_SPIN | WS_TABSTOP, edge, 10, 130, 100, 22, 105);
            w[n++] = Child(stage_, "QXFloat", "9999999.99", QXES_RIGHT | WS_TABSTOP, edge, 10, 160, 150, 22,
                           106);
            w[n++] = Child(stage_, "QXCalCntl", "", WS_TABSTOP, 0, 200, 10, 220, 180, 107);
            for (int k = 0; k < 2; ++k) {
                HWND b = Child(stage_, "QXBmpButton", "", WS_TABSTOP, 0, 10 + 60 * k, 200, 48, 36, 108 + k);
                if (b && QXBtn_SetBitmap(b, pictures_[k])) pictures_[k] = nullptr;  // the button's now
                w[n++] = b;
            }
        } else {
            w[n++] = Child(stage_, "EDIT", "", WS_TABSTOP, edge, 10, 10, 150, 22, 101);
            HWND buddy = Child(stage_, "EDIT", "", WS_TABSTOP, edge, 10, 40, 100, 22, 102);
            w[n++] = buddy;
            w[n++] = MakeUpDown(stage_, buddy, 112, 0, 1000000, 0);
            buddy = Child(stage_, "EDIT", "", ES_NUMBER | WS_TABSTOP, edge, 10, 70, 80, 22, 103);
            w[n++] = buddy;
            w[n++] = MakeUpDown(stage_, buddy, 113, 0, 999, 0);
            w[n++] = Child(stage_, "EDIT", "", WS_TABSTOP, edge, 10, 100, 120, 22, 104);
            w[n++] = MakeTimePicker(stage_, 10, 130, 100, 22, 105);
            w[n++] = Child(stage_, "EDIT", "", ES_RIGHT | WS_TABSTOP, edge, 10, 160, 150, 22, 106);
            w[n++] = MakeMonthCalendar(stage_, 200, 10, calendar_, 107);
            for (int k = 0; k < 2; ++k)
                w[n++] = MakeBitmapButton(stage_, 10 + 60 * k, 200, 48, 36, 108 + k, pictures_[k]);
        }
        made_ = 0;
        for (int k = n - 1; k >= 0; --k) {
            if (!w[k]) continue;
            ++made_;
            DestroyWindow(w[k]);
        }
        expected_ = n;
    }
    void Finish(int) override { DropPictures(); }
    std::string Check() override {
        return made_ == expected_ ? std::string()
                                  : std::to_string(expected_ - made_) + " of the controls were not made";
    }

private:
    void DropPictures() {
        for (HBITMAP &p : pictures_) {
            if (p) DeleteObject(p);
            p = nullptr;
        }
    }

    bool ours_;
    HWND stage_ = nullptr;
    SIZE calendar_ = {0, 0};
    HBITMAP pictures_[2] = {};
    int made_ = 0, expected_ = 0;
};

}  // namespace

std::vector<Case> MakeCases(Look look) {
    const bool themed = look == Look::kThemed;
    std::vector<Case> cases;
    AddTypingCases(&cases);
    cases.push_back({"spin step: QXInteger vs EDIT with up-down", kSpinGoal,
                     [] { return Own(new SpinSide(true)); }, [] { return Own(new SpinSide(false)); }});
    AddRepaintCases(&cases, themed);
    cases.push_back({"first paint of a fresh 256x256 picture: QXBmpButton vs BitBlt", kFirstPaintGoal,
                     [] { return Own(new FirstPaintSide(true)); },
                     [] { return Own(new FirstPaintSide(false)); }});
    cases.push_back({"create and destroy a dialog's controls", kDialogGoal,
                     [] { return Own(new DialogSide(true)); }, [] { return Own(new DialogSide(false)); }});
    return cases;
}

}  // namespace qxb
