// The exports with extreme arguments: each call's result and what it
// promises are checked at once, and what the host set is kept in the model.
// A check of the control's state after a call skips when the parent's trap
// went off meanwhile (Calm); the model learns what the host set on the same
// control whatever the parent did (Same).
#include <cfloat>
#include <climits>
#include <cmath>
#include <tuple>

#include "oracle.h"
#include "soak.h"

namespace qxs {
namespace {

const char *const kTimeMasks[] = {"99:99", "99:99 am", "99:99 AM", "99:99 a.m.", "99:99 A.M."};

bool AllBlank(const std::string &s) { return s.find_first_not_of(' ') == std::string::npos; }

// A host's setter on the control: the text and the traps sprung before it.
// Done() takes its result: the host set a value, and unless the parent's
// trap went off meanwhile, the result is the one expected (-1: any) and a
// refused call leaves the text. True when there is a success to check.
// A setter that changes the model runs Flux: no trap calls an export
// meanwhile, its checks would read the model as it was.
struct Setter {
    Soak &s;
    HWND h;
    std::string before;
    Soak::Mark mark;
    explicit Setter(Soak &soak) : s(soak), h(soak.control_), before(soak.Text(h)), mark(soak.Now()) {}
    template <class F>
    QXBOOL Flux(F call) {
        s.modelInFlux_ = true;
        const QXBOOL r = call();
        s.modelInFlux_ = false;
        return r;
    }
    bool Done(QXBOOL ok, int expected, const char *rule) {
        s.hostSet_ = true;
        if (!s.Calm(mark)) return false;
        if (expected >= 0) s.Expect(ok == expected, rule);
        if (!ok) s.ExpectText(s.Text(h), before, "a refused call leaves the text");
        return ok;
    }
    bool Same() const { return s.Same(mark); }
    std::string Text() { return s.Text(h); }
};

std::string Named(const char *name, const char *arg) { return std::string(name) + " " + (arg ? Quote(arg) : "null"); }

void IntExport(Soak &s) {
    Rng &r = s.rng_;
    Setter set(s);
    HWND h = set.h;
    Model &model = s.model_;
    auto pick = [&]() -> long {
        const long kEnds[] = {LONG_MIN, LONG_MAX, -1, 0, 1, model.intMin, model.intMax};
        return r.Coin() ? r.Pick(kEnds) : r.Coin() ? r.Int32() : r.Between(-1000, 1000);
    };
    const long a = pick(), b = pick();
    static const char *const kMasks[] = {"", "9", "99", "999999", "99999999999", "9a", "-9", " 9", nullptr};
    const std::string longMask(r.Between(60, 80), '9');
    const char *m = r.OneIn(6) ? longMask.c_str() : r.Pick(kMasks);
    const int size = s.SizeAround(static_cast<int>(model.mask.size())), form = r.Below(3);
    Guarded buf(size);
    GuardedOut<long> lo, hi;
    switch (r.Below(6)) {
    case 0:
        s.what_ = "QXIntSetValue " + std::to_string(a);
        if (set.Done(QXIntSetValue(h, a), 1, "QXIntSetValue succeeds"))
            s.ExpectText(set.Text(), std::to_string(a), "QXIntSetValue shows the value in decimal");
        break;
    case 1: {
        s.what_ = "QXIntSetRange " + std::to_string(a) + ", " + std::to_string(b);
        const QXBOOL ok = set.Flux([&] { return QXIntSetRange(h, a, b); });
        if (ok && set.Same()) model.intMin = a, model.intMax = b;
        if (set.Done(ok, a <= b, "QXIntSetRange refuses a minimum above the maximum, and only that"))
            s.ExpectText(set.Text(), set.before, "QXIntSetRange leaves the text");
        break;
    }
    case 2: {
        s.what_ = Named("QXIntSetMask", m);
        const QXBOOL ok = set.Flux([&] { return QXIntSetMask(h, m); });
        if (ok && set.Same()) model.hasMask = true, model.mask = m;
        if (set.Done(ok, m && std::string(m).find_first_not_of('9') == std::string::npos,
                     "QXIntSetMask takes 9s only, none included"))
            s.ExpectText(set.Text(), model.intMax < 0 ? set.before : "",
                         "QXIntSetMask empties the text, unless the range refuses 0");
        break;
    }
    case 3: {
        const bool null = r.OneIn(10);
        s.what_ = "QXIntGetMask size " + std::to_string(size);
        const QXBOOL ok = QXIntGetMask(h, null ? nullptr : buf.data(), size);
        s.Expect(ok == (model.hasMask && !null && static_cast<int>(model.mask.size()) < size),
                 "QXIntGetMask succeeds when the mask fits");
        s.Expect(ok ? buf.GuardsIntact() && buf.Text() == model.mask : buf.Untouched(),
                 "QXIntGetMask writes the mask set, or nothing");
        break;
    }
    case 4:
        s.what_ = "QXIntGetRange form " + std::to_string(form);
        s.Expect(QXIntGetRange(h, form == 1 ? nullptr : &lo.value, form == 2 ? nullptr : &hi.value) == (form == 0),
                 "QXIntGetRange needs both pointers");
        s.Expect(form ? lo.Untouched() && hi.Untouched()
                      : lo.value == model.intMin && hi.value == model.intMax && lo.GuardsIntact() && hi.GuardsIntact(),
                 "QXIntGetRange gives the range set, or writes nothing");
        break;
    default:
        s.what_ = "QXIntGetValue null";
        s.Expect(QXIntGetValue(h, nullptr) == 0, "QXIntGetValue refuses a null pointer");
        break;
    }
}

void FloatExport(Soak &s) {
    Rng &r = s.rng_;
    Setter set(s);
    HWND h = set.h;
    auto pick = [&]() -> double {
        const double kEnds[] = {NAN,   INFINITY,    -INFINITY, DBL_MAX, -DBL_MAX,     1e300,
                                -1e63, DBL_MIN / 4, -1e-300,   -0.0,    999999999.995};
        switch (r.Below(5)) {
        case 0: return r.Pick(kEnds);
        case 1: return r.Int32() / 7.0;
        case 2: return static_cast<double>(r.Int32()) * 4096.0 + 0.5;
        case 3: return r.Between(-100000, 100000) / 1000.0;
        default: return r.Between(-99, 99);
        }
    };
    const double a = pick(), b = pick();
    GuardedOut<double> value;
    switch (r.Below(6)) {
    case 0:
        s.what_ = "QXFloatSetValue " + std::to_string(a);
        set.Done(QXFloatSetValue(h, a), std::isfinite(a) ? -1 : 0, "QXFloatSetValue refuses an infinity or NaN");
        break;
    case 1:
        s.what_ = "QXFloatSetRange";
        if (set.Done(QXFloatSetRange(h, a, b), 1, "QXFloatSetRange succeeds"))
            s.ExpectText(set.Text(), set.before, "QXFloatSetRange leaves the text");
        break;
    case 2: {
        // The separators alone decide, whatever the text, the mask or the range;
        // the value stays.
        static const char kSeps[] = ".,., '_x;-1\x7f\x05\xa0\xb7";
        std::string f;
        for (int n = r.OneIn(8) ? r.Below(3) : 3 + (r.OneIn(6) ? 1 : 0); n > 0; --n)
            f += kSeps[r.Below(sizeof kSeps - 1)];
        const char *format = r.OneIn(20) ? nullptr : f.c_str();
        s.what_ = Named("QXFloatSetFormat", format);
        double valueBefore = 0;
        QXFloatGetValue(h, &valueBefore);
        const QXBOOL ok = set.Flux([&] { return QXFloatSetFormat(h, format); });
        if (ok && set.Same()) s.model_.decimal = f[1], s.model_.group = f[2];
        bool bad = !format || f.size() < 3 || f[1] == f[2];
        for (size_t i = 1; i < 3 && !bad; ++i) bad = (f[i] >= '0' && f[i] <= '9') || f[i] == '-' || IsControl(f[i]);
        if (set.Done(ok, !bad, "QXFloatSetFormat refuses separators it cannot tell apart, and only those"))
            s.Expect(QXFloatGetValue(h, &value.value) && SameValue(valueBefore, value.value),
                     "a format change keeps the value");
        break;
    }
    case 3: {
        static const char *const kMasks[] = {"", "9999.99", "9.9999999999", "99", ".9", "9,9", "x", nullptr};
        const std::string longMask(r.Between(60, 130), '9');
        const char *m = r.OneIn(6) ? longMask.c_str() : r.Pick(kMasks);
        s.what_ = Named("QXFloatSetMask", m);
        if (set.Done(QXFloatSetMask(h, m), m ? -1 : 0, "QXFloatSetMask refuses null"))
            s.ExpectText(set.Text(), set.before, "QXFloatSetMask leaves the text");
        break;
    }
    case 4:
        s.what_ = "QXFloatGetValue";
        s.Expect(QXFloatGetValue(h, &value.value) == 1 && value.GuardsIntact(),
                 "QXFloatGetValue succeeds within its double");
        break;
    default:
        s.what_ = "QXFloatGetValue null";
        s.Expect(QXFloatGetValue(h, nullptr) == 0, "QXFloatGetValue refuses a null pointer");
        break;
    }
}

// Functions that need no window: the picture text and width, the time mask test.
void WindowlessExport(Soak &s) {
    Rng &r = s.rng_;
    std::string mask = s.RandomMask(), raw = s.ValueFor(mask, true), laid;
    const int which = r.Below(3);
    if (which == 0) {
        if (r.OneIn(10)) raw += static_cast<char>(r.Between(1, 31));
        const int size = r.OneIn(5) ? r.Between(-3, 3) : s.SizeAround(static_cast<int>(MaskPositions(mask).size()));
        const int nulls = r.OneIn(8) ? r.Between(1, 3) : 0;
        Guarded out(size);
        s.what_ = "QXPicFormatText " + Quote(mask) + ", " + Quote(raw) + ", size " + std::to_string(size);
        const QXBOOL ok = QXPicFormatText(nulls == 1 ? nullptr : mask.c_str(), nulls == 2 ? nullptr : raw.c_str(),
                                          nulls == 3 ? nullptr : out.data(), size);
        const bool fits = !nulls && size >= 1 && LayRaw(mask, raw, size - 1, true, &laid);
        bool terminated = false;
        s.Expect(ok == fits, "QXPicFormatText succeeds when the raw text fits the mask");
        s.Expect(out.GuardsIntact() && (nulls || size < 1 || (out.Text(&terminated) == (ok ? laid : "") && terminated)),
                 "QXPicFormatText lays the raw text into its buffer, or leaves it empty");
    } else if (which == 1) {
        const int dcKind = r.Below(3);
        s.what_ = "GetPictCtlWidth " + Quote(mask) + " dc " + std::to_string(dcKind);
        HDC screen = GetDC(nullptr), mem = CreateCompatibleDC(screen);
        const UINT w = GetPictCtlWidth(r.OneIn(10) ? nullptr : mask.c_str(),
                                       dcKind == 0   ? screen
                                       : dcKind == 1 ? mem
                                                     : nullptr,
                                       static_cast<QXBOOL>(r.Below(3)));
        s.Expect(w < 100000, "GetPictCtlWidth gives a width of this world");
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
    } else {
        if (r.Coin()) mask = r.Pick(kTimeMasks);
        if (r.OneIn(3) && !mask.empty()) mask.pop_back();
        const char *m = r.OneIn(10) ? nullptr : mask.c_str();
        s.what_ = Named("QXTime_IsTimeMask", m);
        s.Expect(QXTime_IsTimeMask(m) == IsTimeMask(m), "QXTime_IsTimeMask knows the five time masks exactly");
    }
}

// "QXPicture", and "QXTime" through the same functions.
void PictureExport(Soak &s) {
    Rng &r = s.rng_;
    Setter set(s);
    HWND h = set.h;
    Model &model = s.model_;
    const bool time = s.info_.kind == Kind::kTime, null = r.OneIn(20);
    switch (r.Below(5)) {
    case 0: {
        const std::string m = time && r.Coin() ? r.Pick(kTimeMasks) : s.RandomMask();
        s.what_ = Named("QXPicSetMask", null ? nullptr : m.c_str());
        const QXBOOL ok = set.Flux([&] { return QXPicSetMask(h, null ? nullptr : m.c_str()); });
        if (ok && set.Same()) model.hasMask = true, model.mask = m;
        if (set.Done(ok, !null && (time ? IsTimeMask(m.c_str()) : UsableMask(m.c_str())),
                     "a picture edit takes a mask of 1 to 63 positions without control characters, a time edit the "
                     "five time masks"))
            s.Expect(AllBlank(Placeholders(m, set.Text())), "a new mask shows its empty layout");
        break;
    }
    case 1: {
        std::string raw = model.hasMask && !r.OneIn(5) ? s.ValueFor(model.mask, true) : s.RandomText(20), laid;
        if (r.OneIn(10)) raw = std::string(r.Between(60, 90), '7');
        s.what_ = Named("QXPicSetValue", null ? nullptr : raw.c_str());
        const bool fits = !null && model.hasMask && LayRaw(model.mask, raw, 63, false, &laid);
        if (set.Done(QXPicSetValue(h, null ? nullptr : raw.c_str()), fits ? (time ? -1 : 1) : 0,
                     "QXPicSetValue takes a value that fits the mask, and only that"))
            s.ExpectText(set.Text(), laid, "QXPicSetValue lays the value into the mask");
        break;
    }
    case 2: {
        const int size = s.SizeAround(static_cast<int>(Placeholders(model.mask, set.before).size()));
        Guarded buf(size);
        bool terminated = false;
        s.what_ = "QXPicGetValue size " + std::to_string(size);
        const QXBOOL ok = QXPicGetValue(h, null ? nullptr : buf.data(), size);
        s.Expect(ok == (!null && size > 0 && model.hasMask), "QXPicGetValue succeeds with a mask and a buffer");
        s.Expect(ok ? buf.GuardsIntact() &&
                          buf.Text(&terminated) == Placeholders(model.mask, set.Text()).substr(0, size - 1) &&
                          terminated
                    : buf.Untouched(),
                 "QXPicGetValue gives the placeholders' characters, cut to the buffer, or writes nothing");
        break;
    }
    case 3: {
        const QXBOOL hide = static_cast<QXBOOL>(r.Below(256));
        s.what_ = "QXPicHideEmptyValues " + std::to_string(hide);
        s.Expect(QXPicHideEmptyValues(h, hide) == 1, "QXPicHideEmptyValues succeeds");
        InvalidateRect(h, nullptr, TRUE);
        break;
    }
    default: WindowlessExport(s); break;
    }
}

void TimeExport(Soak &s) {
    static const WORD kValues[] = {0, 1, 11, 12, 13, 23, 24, 59, 60, 99, 65535};
    Rng &r = s.rng_;
    Setter set(s);
    HWND h = set.h;
    const WORD hour = r.Coin() ? r.Pick(kValues) : static_cast<WORD>(r.Below(24));
    const WORD minute = r.Coin() ? r.Pick(kValues) : static_cast<WORD>(r.Below(60));
    GuardedOut<WORD> hh, mm;
    GuardedOut<QXBOOL> empty;
    const int form = r.Below(4);
    switch (r.Below(6)) {
    case 0:
    case 5: {
        std::string m = r.Pick(kTimeMasks);
        if (r.OneIn(4)) m = r.Coin() ? "99:99 pm" : s.RandomMask();
        const char *mask = r.OneIn(20) ? nullptr : m.c_str();
        s.what_ = Named("QXTime_SetMask", mask);
        const QXBOOL ok = set.Flux([&] { return QXTime_SetMask(h, mask); });
        if (ok && set.Same()) s.model_.mask = m;
        if (set.Done(ok, IsTimeMask(mask), "QXTime_SetMask takes the five time masks, and only those"))
            s.Expect(AllBlank(Placeholders(m, set.Text())), "a new time mask shows its empty layout");
        break;
    }
    case 1:
    case 2: {
        s.what_ = "QXTime_SetTime " + std::to_string(hour) + ":" + std::to_string(minute);
        int h24 = -1, m60 = -1;
        if (set.Done(QXTime_SetTime(h, hour, minute), hour <= 23 && minute <= 59,
                     "QXTime_SetTime takes hours 0-23 and minutes 0-59"))
            s.Expect(ParseTime(s.model_.mask, set.Text(), &h24, &m60) && h24 == hour && m60 == minute,
                     "the text shows the time set");
        break;
    }
    case 3:
        s.what_ = "QXTime_Clear";
        if (set.Done(QXTime_Clear(h), 1, "QXTime_Clear succeeds"))
            s.Expect(QXTime_HasEmptyTime(h, &empty.value) == 1 && empty.value == 1, "a cleared time is empty");
        break;
    case 4:
        s.what_ = "QXTime_GetTime form " + std::to_string(form);
        if (form == 1 || form == 2)
            s.Expect(QXTime_GetTime(h, form == 1 ? nullptr : &hh.value, form == 2 ? nullptr : &mm.value) == 0 &&
                         hh.Untouched() && mm.Untouched(),
                     "QXTime_GetTime needs both pointers");
        if (form == 3)
            s.Expect(QXTime_Is24Hour(h, nullptr) == 0 && QXTime_HasEmptyTime(h, nullptr) == 0 &&
                         QXTime_HasValidTime(h, nullptr) == 0,
                     "the time's questions refuse null pointers");
        break;
    }
}

// A calendar's setter takes any year, the months 1 to 12 and any day, and
// the getters read them back, unless the host's limits move the date or
// refuse a day. The limits: either or both, dates (compared by year, month,
// day) with the minimum first; kept for the events that follow.
void CalExport(Soak &s) {
    static const int kExtremes[] = {INT_MIN, INT_MIN + 1, -1,   0,    1,     2,           12,     13,
                                    28,      29,          30,   31,   32,    99,          100,    1582,
                                    1900,    2000,        2100, 9999, 10000, INT_MAX - 1, INT_MAX};
    static const int kYears[] = {0, 1, 99, 1601, 2000, 2008, 9999, 30827, 65535};
    Rng &r = s.rng_;
    HWND h = s.control_;
    const Soak::Mark mark = s.Now();
    const int v = r.Coin() ? r.Pick(kExtremes) : r.Coin() ? r.Int32() : r.Between(-5, 40);
    GuardedOut<int> y, m, d;
    const bool unlimited = !s.model_.calLimited;
    const int which = r.Below(6);
    auto key = [](int yy, int mm, int dd) { return std::make_tuple(yy, mm, dd); };
    if (which < 4) s.hostSet_ = true;
    if (which == 0) {
        s.what_ = "QXCalSetYear " + std::to_string(v);
        s.Expect(QXCalSetYear(h, v) == 1, "QXCalSetYear succeeds");
        if (unlimited && s.Calm(mark))
            s.Expect(QXCalGetYear(h, &y.value) == 1 && y.value == v, "QXCalGetYear gives the year set");
    } else if (which == 1) {
        s.what_ = "QXCalSetMonth " + std::to_string(v);
        QXCalGetMonth(h, &d.value);
        const QXBOOL ok = QXCalSetMonth(h, v);
        s.Expect(ok == (v >= 1 && v <= 12), "QXCalSetMonth takes the months 1 to 12");
        if (unlimited && s.Calm(mark))
            s.Expect(QXCalGetMonth(h, &m.value) == 1 && m.value == (ok ? v : d.value),
                     "QXCalGetMonth gives the month set, or the one before");
    } else if (which == 2) {
        s.what_ = "QXCalSetDay " + std::to_string(v);
        const QXBOOL ok = QXCalSetDay(h, v);
        if (unlimited) s.Expect(ok == 1, "QXCalSetDay succeeds");
        if (unlimited && s.Calm(mark))
            s.Expect(QXCalGetDay(h, &d.value) == 1 && d.value == v, "QXCalGetDay gives the day set");
    } else if (which == 3) {
        SYSTEMTIME limits[2] = {}, got[2];
        bool has[2], dates = true;
        s.what_ = "QXCalSetRange";
        for (int k = 0; k < 2; ++k) {
            has[k] = r.Coin();
            const int year = r.Coin() ? r.Pick(kYears) : r.Between(1990, 2030);
            limits[k] = {WORD(year), WORD(r.Between(0, 13)), 0, WORD(r.Between(0, 32)), 0, 0, 0, 0};
            dates = dates && (!has[k] || (limits[k].wDay >= 1 && limits[k].wDay <= DaysIn(limits[k].wMonth, year)));
            s.what_ += has[k] ? " " + std::to_string(year) + "-" + std::to_string(limits[k].wMonth) + "-" +
                                    std::to_string(limits[k].wDay)
                              : " none";
        }
        auto limit = [&](const SYSTEMTIME &t) { return key(t.wYear, t.wMonth, t.wDay); };
        const bool ordered = !(has[0] && has[1]) || limit(limits[0]) <= limit(limits[1]);
        const QXBOOL ok = QXCalSetRange(h, has[0] ? &limits[0] : nullptr, has[1] ? &limits[1] : nullptr);
        s.Expect(ok == (dates && ordered), "QXCalSetRange takes dates, the minimum first");
        if (ok) s.model_.calLimited = has[0] || has[1];
        if (!ok || !s.Calm(mark)) return;
        s.Expect(QXCalGetRange(h, &got[0], &got[1]) == 1 && QXCalGetYear(h, &y.value) && QXCalGetMonth(h, &m.value) &&
                     QXCalGetDay(h, &d.value),
                 "the calendar's getters answer");
        for (int k = 0; k < 2; ++k)
            s.Expect(limit(got[k]) == (has[k] ? limit(limits[k]) : key(0, 0, 0)), "QXCalGetRange gives the limits set");
        const auto date = key(y.value, m.value, d.value);
        if ((has[0] && date < limit(limits[0])) || (has[1] && date > limit(limits[1])))
            s.Fail("the date " + std::to_string(y.value) + "-" + std::to_string(m.value) + "-" +
                   std::to_string(d.value) + " lies outside the limits set");
    } else if (which == 4) {
        s.what_ = "the calendar's getters with null pointers";
        s.Expect(QXCalGetYear(h, nullptr) == 0 && QXCalGetMonth(h, nullptr) == 0 && QXCalGetDay(h, nullptr) == 0,
                 "the calendar's getters refuse null pointers");
    } else {
        s.what_ = "QXCalGetDay";
        s.Expect(QXCalGetDay(h, &d.value) == 1 && d.GuardsIntact(), "QXCalGetDay writes one int");
    }
}

// A bitmap of a random format and size, the transparent colour in its
// top-left corner now and then; the soak's until a button takes it.
HBITMAP MakeBitmap(Rng &r) {
    static const WORD kBits[] = {1, 4, 8, 16, 24, 32};
    const int w = r.OneIn(20) ? r.Between(100, 300) : r.Between(1, 40);
    const int h = r.OneIn(20) ? r.Between(100, 300) : r.Between(1, 40);
    HDC screen = GetDC(nullptr);
    BITMAPINFO bi = {{sizeof bi.bmiHeader, w, r.Coin() ? h : -h, 1, r.Pick(kBits), BI_RGB, 0, 0, 0, 0, 0}, {}};
    void *bits = nullptr;
    HBITMAP bmp = r.OneIn(3) ? CreateCompatibleBitmap(screen, w, h)
                             : CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp) {
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, bmp);
        for (int i = 0; i < 6; ++i) SetPixel(dc, r.Below(w), r.Below(h), RGB(r.Below(256), r.Below(256), r.Below(256)));
        if (r.Coin()) SetPixel(dc, 0, 0, RGB(192, 192, 192));
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    ReleaseDC(nullptr, screen);
    return bmp;
}

HICON MakeIcon(Rng &r) {
    static const int kSizes[] = {1, 16, 16, 32, 48};
    const int size = r.Pick(kSizes);
    HDC screen = GetDC(nullptr);
    ICONINFO ii = {TRUE, 0, 0, CreateBitmap(size, size, 1, 1, nullptr), CreateCompatibleBitmap(screen, size, size)};
    ReleaseDC(nullptr, screen);
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    return icon;
}

// The button takes a bitmap over (the one it held is the soak's again); an
// icon stays the soak's. A dead bitmap is drawn (greyed, too, now and then)
// and replaced at once: held, its handle could name a new object by the time
// the button deletes it. The icon a button shows may die under it.
void ButtonExport(Soak &s) {
    Rng &r = s.rng_;
    HWND h = s.control_;
    const int which = r.Below(8), kind = r.Below(6);
    s.what_ = "button export " + std::to_string(which) + " kind " + std::to_string(kind);
    if (which < 3) {
        HBITMAP b = kind < 3 ? MakeBitmap(r) : kind == 4 ? s.held_ : nullptr;
        if (kind == 3) {
            HBITMAP dead = MakeBitmap(r);
            DeleteObject(dead);
            s.Expect(QXBtn_SetBitmap(h, dead) == 1, "QXBtn_SetBitmap succeeds");
            if (r.Coin()) EnableWindow(h, !IsWindowEnabled(h));
            InvalidateRect(h, nullptr, TRUE);
            UpdateWindow(h);
            if (s.held_ && IsWindow(h)) DeleteObject(s.held_);
            s.held_ = nullptr;
        }
        const HBITMAP old = s.held_;
        const QXBOOL ok = QXBtn_SetBitmap(h, b);
        s.Expect(ok == 1, "QXBtn_SetBitmap succeeds");
        if (ok && IsWindow(h)) {
            s.held_ = b;
            if (old && old != b) DeleteObject(old);
        } else if (b && kind < 3) {
            DeleteObject(b);
        }
    } else if (which < 6) {
        HICON icon = kind < 2 || kind == 3 ? MakeIcon(r)
                     : kind == 2           ? LoadIcon(nullptr, r.Coin() ? IDI_APPLICATION : IDI_WARNING)
                                           : nullptr;
        if (kind < 2 && icon) s.icons_.push_back(icon);
        if (kind == 3) DestroyIcon(icon);  // a dead icon
        s.Expect(QXBtn_SetIcon(h, icon) == 1, "QXBtn_SetIcon succeeds");
        s.shownIcon_ = icon;
    } else {
        // The shown icon dies, or the icons no button shows go.
        for (size_t i = s.icons_.size(); i-- > 0;)
            if ((s.icons_[i] == s.shownIcon_) == (which == 6)) {
                DestroyIcon(s.icons_[i]);
                s.icons_.erase(s.icons_.begin() + static_cast<long>(i));
                InvalidateRect(h, nullptr, FALSE);
            }
    }
}

}  // namespace

void Soak::ExportEvent() {
    switch (info_.kind) {
    case Kind::kInt: IntExport(*this); break;
    case Kind::kFloat: FloatExport(*this); break;
    case Kind::kPicture: PictureExport(*this); break;
    case Kind::kTime: rng_.OneIn(4) ? PictureExport(*this) : TimeExport(*this); break;
    case Kind::kCal: CalExport(*this); break;
    case Kind::kButton: ButtonExport(*this); break;
    case Kind::kEdit: break;
    }
    if (rng_.OneIn(6)) {
        const std::string first = what_;
        WindowlessExport(*this);
        what_ = first.empty() ? what_ : first + "; " + what_;
    }
}

template <class T>
T *As(char *o) {
    return reinterpret_cast<T *>(o);
}

const AnyCall kAnyCalls[] = {
    {Kind::kInt, false, [](HWND h, char *) { return QXIntSetValue(h, 5); }},
    {Kind::kInt, false, [](HWND h, char *o) { return QXIntGetValue(h, As<long>(o)); }},
    {Kind::kInt, true, [](HWND h, char *) { return QXIntSetRange(h, 0, 10); }},
    {Kind::kInt, true, [](HWND h, char *) { return QXIntSetMask(h, "99"); }},
    {Kind::kInt, false, [](HWND h, char *o) { return QXIntGetMask(h, o, 16); }},
    {Kind::kFloat, false, [](HWND h, char *) { return QXFloatSetValue(h, 1.5); }},
    {Kind::kFloat, false, [](HWND h, char *o) { return QXFloatGetValue(h, As<double>(o)); }},
    {Kind::kFloat, false, [](HWND h, char *) { return QXFloatSetRange(h, 0, 1); }},
    {Kind::kFloat, true, [](HWND h, char *) { return QXFloatSetFormat(h, " .,"); }},
    {Kind::kFloat, true, [](HWND h, char *) { return QXFloatSetLocaleFormat(h); }},
    {Kind::kFloat, false, [](HWND h, char *) { return QXFloatSetMask(h, "99.9"); }},
    {Kind::kPicture, true, [](HWND h, char *) { return QXPicSetMask(h, "999"); }},
    {Kind::kPicture, false, [](HWND h, char *) { return QXPicSetValue(h, "12ab"); }},
    {Kind::kPicture, false, [](HWND h, char *o) { return QXPicGetValue(h, o, 16); }},
    {Kind::kPicture, false, [](HWND h, char *) { return QXPicHideEmptyValues(h, 1); }},
    {Kind::kTime, false, [](HWND h, char *) { return QXTime_Clear(h); }},
    {Kind::kTime, false, [](HWND h, char *o) { return QXTime_Is24Hour(h, As<BOOL>(o)); }},
    {Kind::kTime, true, [](HWND h, char *) { return QXTime_SetMask(h, "99:99"); }},
    {Kind::kTime, false, [](HWND h, char *o) { return QXTime_HasEmptyTime(h, As<QXBOOL>(o)); }},
    {Kind::kTime, false, [](HWND h, char *o) { return QXTime_HasValidTime(h, As<BOOL>(o)); }},
    {Kind::kTime, false, [](HWND h, char *o) { return QXTime_GetTime(h, As<WORD>(o), As<WORD>(o + 2)); }},
    {Kind::kTime, false, [](HWND h, char *) { return QXTime_SetTime(h, 23, 59); }},
    {Kind::kTime, false, [](HWND h, char *) { return QXTime_SetTime(h, 24, 0); }},
    {Kind::kCal, false, [](HWND h, char *o) { return QXCalGetYear(h, As<int>(o)); }},
    {Kind::kCal, false, [](HWND h, char *o) { return QXCalGetMonth(h, As<int>(o)); }},
    {Kind::kCal, false, [](HWND h, char *o) { return QXCalGetDay(h, As<int>(o)); }},
    {Kind::kCal, false, [](HWND h, char *) { return QXCalSetYear(h, 2000); }},
    {Kind::kCal, false, [](HWND h, char *) { return QXCalSetMonth(h, 5); }},
    {Kind::kCal, false, [](HWND h, char *) { return QXCalSetDay(h, 31); }},
    {Kind::kCal, true, [](HWND h, char *) { return QXCalSetRange(h, nullptr, nullptr); }},
    {Kind::kCal, false, [](HWND h, char *o) { return QXCalGetRange(h, As<SYSTEMTIME>(o), nullptr); }},
    {Kind::kButton, false, [](HWND h, char *) { return QXBtn_SetIcon(h, nullptr); }},
    {Kind::kButton, true, [](HWND h, char *) { return QXBtn_SetBitmap(h, nullptr); }}};
const int kAnyCallCount = sizeof kAnyCalls / sizeof kAnyCalls[0];

bool AnyCall::Serves(Kind k) const { return serves == k || (serves == Kind::kPicture && k == Kind::kTime); }

// An export of another class on the control, or any export on a window that
// is no control of the library (null, the parent, a system edit, a control
// destroyed): it fails and writes nothing.
void Soak::ForeignExport() {
    const int which = rng_.Below(5);
    const HWND targets[] = {control_, nullptr, parent_, other_,
                            which < 4 ? nullptr
                                      : CreateWindowExA(0, info_.name, "", WS_CHILD, 0, 0, 10, 10, parent_, nullptr,
                                                        GetModuleHandleA(nullptr), nullptr)};
    if (targets[4]) DestroyWindow(targets[4]);
    int c = rng_.Below(kAnyCallCount);
    for (int tries = 0; which == 0 && kAnyCalls[c].Serves(info_.kind) && tries < kAnyCallCount; ++tries)
        c = (c + 1) % kAnyCallCount;  // on the control, another class's
    what_ = "export " + std::to_string(c) + " on window " + std::to_string(which);
    if (which == 0 && kAnyCalls[c].Serves(info_.kind)) return;  // every export serves this class
    Guarded out(24);
    Expect(kAnyCalls[c].call(targets[which], out.data()) == 0,
           "an export fails on a window that is no control of its class");
    Expect(out.Untouched(), "a failing export writes nothing");
}

}  // namespace qxs
