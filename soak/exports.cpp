// The exports with extreme arguments checked at once, and what must hold after every event.
#include <algorithm>
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
std::string N(long long v) { return std::to_string(v); }

// A host's setter: Done() checks the result and that a refusal leaves the text, unless a trap went off.
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
    std::string Text() { return s.Text(h); }
};

// Arguments at and near the ends of their types and of what the host set.
long IntArg(Soak &s) {
    const long kEnds[] = {LONG_MIN, LONG_MAX, -1, 0, 1, s.model_.intMin, s.model_.intMax};
    return s.rng_.Coin() ? s.rng_.Pick(kEnds) : s.rng_.Coin() ? s.rng_.Int32() : s.rng_.Between(-1000, 1000);
}

double FloatArg(Rng &r) {
    const double kEnds[] = {NAN,   INFINITY,    -INFINITY, DBL_MAX, -DBL_MAX,     1e300,
                            -1e63, DBL_MIN / 4, -1e-300,   -0.0,    999999999.995};
    const int i = r.Below(5);
    return i == 0   ? r.Pick(kEnds)
           : i == 1 ? r.Int32() / 7.0
           : i == 2 ? r.Int32() * 4096.0 + 0.5
           : i == 3 ? r.Between(-100000, 100000) / 1000.0
                    : r.Between(-99, 99);
}

int CalArg(Rng &r) {
    static const int kEnds[] = {INT_MIN, INT_MIN + 1, -1,  0,    1,    2,    12,   13,   28,    29,          30,     31,
                                32,      99,          100, 1582, 1900, 2000, 2100, 9999, 10000, INT_MAX - 1, INT_MAX};
    return r.Coin() ? r.Pick(kEnds) : r.Coin() ? r.Int32() : r.Between(-5, 40);
}

// One of the list, now and then a long run of 9s.
const char *MaskArg(Rng &r, const char *const *masks, int n, std::string *longMask, int longest) {
    *longMask = std::string(r.Between(60, longest), '9');
    return r.OneIn(6) ? longMask->c_str() : masks[r.Below(n)];
}

// A bitmap of a random format and size, the transparent colour in its corner now and then.
HBITMAP MakeBitmap(Rng &r) {
    static const WORD kBits[] = {1, 4, 8, 16, 24, 32};
    const int w = r.OneIn(20) ? r.Between(100, 300) : r.Between(1, 40),
              h = r.OneIn(20) ? r.Between(100, 300) : r.Between(1, 40);
    HDC screen = GetDC(nullptr);
    BITMAPINFO bi = {{sizeof bi.bmiHeader, w, r.Coin() ? h : -h, 1, r.Pick(kBits), BI_RGB, 0, 0, 0, 0, 0}, {}};
    void *bits = nullptr;
    HBITMAP bmp = r.OneIn(3) ? CreateCompatibleBitmap(screen, w, h)
                             : CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (HDC dc = bmp ? CreateCompatibleDC(screen) : nullptr) {
        HGDIOBJ old = SelectObject(dc, bmp);
        for (int i = 0; i < 6; ++i) SetPixel(dc, r.Below(w), r.Below(h), RGB(r.Below(256), r.Below(256), r.Below(256)));
        if (r.Coin()) SetPixel(dc, 0, 0, RGB(192, 192, 192));
        SelectObject(dc, old), DeleteDC(dc);
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
    DeleteObject(ii.hbmColor), DeleteObject(ii.hbmMask);
    return icon;
}

// The exports of one class (kEdit: those that need no window), by weight, with what each promises.
struct ExportKind {
    Kind kind;
    int weight;
    const char *name;
    void (*run)(Soak &s, Setter &c);
};
const ExportKind kExports[] = {
    {Kind::kInt, 1, "QXIntSetValue",
     [](Soak &s, Setter &c) {
         const long v = IntArg(s);
         if (c.Done(QXIntSetValue(c.h, v), 1, "QXIntSetValue succeeds"))
             s.ExpectText(c.Text(), N(v), "QXIntSetValue shows the value");
     }},
    {Kind::kInt, 1, "QXIntSetRange",
     [](Soak &s, Setter &c) {
         const long a = IntArg(s), b = IntArg(s);
         const QXBOOL ok = c.Flux([&] { return QXIntSetRange(c.h, a, b); });
         if (ok && s.Same(c.mark)) s.model_.intMin = a, s.model_.intMax = b;
         if (c.Done(ok, a <= b, "QXIntSetRange refuses a minimum above the maximum, and only that"))
             s.ExpectText(c.Text(), c.before, "QXIntSetRange leaves the text");
     }},
    {Kind::kInt, 1, "QXIntSetMask",
     [](Soak &s, Setter &c) {
         static const char *const kMasks[] = {"", "9", "99", "999999", "99999999999", "9a", "-9", " 9", nullptr};
         std::string longMask;
         const char *m = MaskArg(s.rng_, kMasks, 9, &longMask, 80);
         const QXBOOL ok = c.Flux([&] { return QXIntSetMask(c.h, m); });
         if (ok && s.Same(c.mark)) s.model_.hasMask = true, s.model_.mask = m;
         if (c.Done(ok, m && std::string(m).find_first_not_of('9') == std::string::npos,
                    "QXIntSetMask takes 9s only, none included"))
             s.ExpectText(c.Text(), s.model_.intMax < 0 ? c.before : "",
                          "QXIntSetMask empties the text, unless the range refuses 0");
     }},
    {Kind::kInt, 1, "QXIntGetMask",
     [](Soak &s, Setter &c) {
         const int size = s.SizeAround(static_cast<int>(s.model_.mask.size()));
         const bool null = s.rng_.OneIn(10);
         Guarded buf(size);
         const QXBOOL ok = QXIntGetMask(c.h, null ? nullptr : buf.data(), size);
         s.Expect(ok == (s.model_.hasMask && !null && static_cast<int>(s.model_.mask.size()) < size),
                  "QXIntGetMask succeeds when the mask fits");
         s.Expect(ok ? buf.GuardsIntact() && buf.Text() == s.model_.mask : buf.Untouched(),
                  "QXIntGetMask writes the mask set, or nothing");
     }},
    {Kind::kFloat, 1, "QXFloatSetValue",
     [](Soak &s, Setter &c) {
         const double v = FloatArg(s.rng_);
         c.Done(QXFloatSetValue(c.h, v), std::isfinite(v) ? -1 : 0, "QXFloatSetValue refuses an infinity or NaN");
     }},
    {Kind::kFloat, 1, "QXFloatSetRange",
     [](Soak &s, Setter &c) {
         if (c.Done(QXFloatSetRange(c.h, FloatArg(s.rng_), FloatArg(s.rng_)), 1, "QXFloatSetRange succeeds"))
             s.ExpectText(c.Text(), c.before, "QXFloatSetRange leaves the text");
     }},
    // The separators alone decide, whatever the text, mask or range; the value stays.
    {Kind::kFloat, 1, "QXFloatSetFormat",
     [](Soak &s, Setter &c) {
         static const char kSeps[] = ".,., '_x;-1\x7f\x05\xa0\xb7";
         Rng &r = s.rng_;
         std::string f;
         for (int n = r.OneIn(8) ? r.Below(3) : 3 + (r.OneIn(6) ? 1 : 0); n > 0; --n)
             f += kSeps[r.Below(sizeof kSeps - 1)];
         const char *format = r.OneIn(20) ? nullptr : f.c_str();
         double before = 0, after = 0;
         QXFloatGetValue(c.h, &before);
         const QXBOOL ok = c.Flux([&] { return QXFloatSetFormat(c.h, format); });
         if (ok && s.Same(c.mark)) s.model_.decimal = f[1], s.model_.group = f[2];
         bool bad = !format || f.size() < 3 || f[1] == f[2];
         for (size_t i = 1; i < 3 && !bad; ++i) bad = (f[i] >= '0' && f[i] <= '9') || f[i] == '-' || IsControl(f[i]);
         if (c.Done(ok, !bad, "QXFloatSetFormat refuses separators it cannot tell apart, and only those"))
             s.Expect(QXFloatGetValue(c.h, &after) && SameValue(before, after), "a format change keeps the value");
     }},
    {Kind::kFloat, 1, "QXFloatSetMask",
     [](Soak &s, Setter &c) {
         static const char *const kMasks[] = {"", "9999.99", "9.9999999999", "99", ".9", "9,9", "x", nullptr};
         std::string longMask;
         const char *m = MaskArg(s.rng_, kMasks, 8, &longMask, 130);
         if (c.Done(QXFloatSetMask(c.h, m), m ? -1 : 0, "QXFloatSetMask refuses null"))
             s.ExpectText(c.Text(), c.before, "QXFloatSetMask leaves the text");
     }},
    {Kind::kPicture, 1, "QXPicSetMask",
     [](Soak &s, Setter &c) {
         const bool time = s.info_.kind == Kind::kTime, null = s.rng_.OneIn(20);
         const std::string m = time && s.rng_.Coin() ? s.rng_.Pick(kTimeMasks) : s.RandomMask();
         const QXBOOL ok = c.Flux([&] { return QXPicSetMask(c.h, null ? nullptr : m.c_str()); });
         if (ok && s.Same(c.mark)) s.model_.hasMask = true, s.model_.mask = m;
         if (c.Done(ok, !null && (time ? IsTimeMask(m.c_str()) : UsableMask(m.c_str())),
                    "a picture edit takes a mask of 1 to 63 positions without control characters, a time edit the five "
                    "time masks"))
             s.Expect(AllBlank(Placeholders(m, c.Text())), "a new mask shows its empty layout");
     }},
    {Kind::kPicture, 1, "QXPicSetValue",
     [](Soak &s, Setter &c) {
         const Model &model = s.model_;
         std::string raw = model.hasMask && !s.rng_.OneIn(5) ? s.ValueFor(model.mask, true) : s.RandomText(20), laid;
         if (s.rng_.OneIn(10)) raw = std::string(s.rng_.Between(60, 90), '7');
         const bool null = s.rng_.OneIn(20), fits = !null && model.hasMask && LayRaw(model.mask, raw, 63, false, &laid);
         if (c.Done(QXPicSetValue(c.h, null ? nullptr : raw.c_str()), fits ? (s.info_.kind == Kind::kTime ? -1 : 1) : 0,
                    "QXPicSetValue takes a value that fits the mask, and only that"))
             s.ExpectText(c.Text(), laid, "QXPicSetValue lays the value into the mask");
     }},
    {Kind::kPicture, 1, "QXPicGetValue",
     [](Soak &s, Setter &c) {
         const int size = s.SizeAround(static_cast<int>(Placeholders(s.model_.mask, c.before).size()));
         const bool null = s.rng_.OneIn(20);
         Guarded buf(size);
         bool terminated = false;
         const QXBOOL ok = QXPicGetValue(c.h, null ? nullptr : buf.data(), size);
         s.Expect(ok == (!null && size > 0 && s.model_.hasMask), "QXPicGetValue succeeds with a mask and a buffer");
         s.Expect(ok ? buf.GuardsIntact() &&
                           buf.Text(&terminated) == Placeholders(s.model_.mask, c.Text()).substr(0, size - 1) &&
                           terminated
                     : buf.Untouched(),
                  "QXPicGetValue gives the placeholders' characters, cut to the buffer, or writes nothing");
     }},
    {Kind::kPicture, 1, "QXPicHideEmptyValues",
     [](Soak &s, Setter &c) {
         const QXBOOL hide = static_cast<QXBOOL>(s.rng_.Below(256));
         s.Expect(QXPicHideEmptyValues(c.h, hide) == 1, "QXPicHideEmptyValues succeeds");
         InvalidateRect(c.h, nullptr, TRUE);
     }},
    {Kind::kEdit, 1, "QXPicFormatText",
     [](Soak &s, Setter &) {
         Rng &r = s.rng_;
         const std::string mask = s.RandomMask();
         std::string raw = s.ValueFor(mask, true), laid;
         if (r.OneIn(10)) raw += static_cast<char>(r.Between(1, 31));
         const int size = r.OneIn(5) ? r.Between(-3, 3) : s.SizeAround(static_cast<int>(MaskPositions(mask).size()));
         const int nulls = r.OneIn(8) ? r.Between(1, 3) : 0;
         Guarded out(size);
         const QXBOOL ok = QXPicFormatText(nulls == 1 ? nullptr : mask.c_str(), nulls == 2 ? nullptr : raw.c_str(),
                                           nulls == 3 ? nullptr : out.data(), size);
         bool terminated = false;
         s.Expect(ok == (!nulls && size >= 1 && LayRaw(mask, raw, size - 1, true, &laid)),
                  "QXPicFormatText succeeds when the raw text fits the mask");
         s.Expect(
             out.GuardsIntact() && (nulls || size < 1 || (out.Text(&terminated) == (ok ? laid : "") && terminated)),
             "QXPicFormatText lays the raw text into its buffer, or leaves it empty");
     }},
    {Kind::kEdit, 1, "GetPictCtlWidth",
     [](Soak &s, Setter &) {
         const std::string mask = s.RandomMask();
         const int dc = s.rng_.Below(3);
         HDC screen = GetDC(nullptr), mem = CreateCompatibleDC(screen);
         const HDC dcs[] = {screen, mem, nullptr};
         s.Expect(GetPictCtlWidth(s.rng_.OneIn(10) ? nullptr : mask.c_str(), dcs[dc], s.rng_.Below(3)) < 100000,
                  "GetPictCtlWidth gives a width of this world");
         DeleteDC(mem), ReleaseDC(nullptr, screen);
     }},
    {Kind::kEdit, 1, "QXTime_IsTimeMask",
     [](Soak &s, Setter &) {
         std::string mask = s.rng_.Coin() ? s.rng_.Pick(kTimeMasks) : s.RandomMask();
         if (s.rng_.OneIn(3) && !mask.empty()) mask.pop_back();
         const char *m = s.rng_.OneIn(10) ? nullptr : mask.c_str();
         s.Expect(QXTime_IsTimeMask(m) == IsTimeMask(m), "QXTime_IsTimeMask knows the five time masks exactly");
     }},
    {Kind::kTime, 4, "QXTime_SetMask",
     [](Soak &s, Setter &c) {
         std::string m = s.rng_.Pick(kTimeMasks);
         if (s.rng_.OneIn(4)) m = s.rng_.Coin() ? "99:99 pm" : s.RandomMask();
         const char *mask = s.rng_.OneIn(20) ? nullptr : m.c_str();
         const QXBOOL ok = c.Flux([&] { return QXTime_SetMask(c.h, mask); });
         if (ok && s.Same(c.mark)) s.model_.mask = m;
         if (c.Done(ok, IsTimeMask(mask), "QXTime_SetMask takes the five time masks, and only those"))
             s.Expect(AllBlank(Placeholders(m, c.Text())), "a new time mask shows its empty layout");
     }},
    {Kind::kTime, 4, "QXTime_SetTime",
     [](Soak &s, Setter &c) {
         static const WORD kValues[] = {0, 1, 11, 12, 13, 23, 24, 59, 60, 99, 65535};
         const WORD hour = s.rng_.Coin() ? s.rng_.Pick(kValues) : static_cast<WORD>(s.rng_.Below(24));
         const WORD minute = s.rng_.Coin() ? s.rng_.Pick(kValues) : static_cast<WORD>(s.rng_.Below(60));
         int h24 = -1, m60 = -1;
         if (c.Done(QXTime_SetTime(c.h, hour, minute), hour <= 23 && minute <= 59,
                    "QXTime_SetTime takes hours 0-23 and minutes 0-59"))
             s.Expect(ParseTime(s.model_.mask, c.Text(), &h24, &m60) && h24 == hour && m60 == minute,
                      "the text shows the time set");
     }},
    {Kind::kTime, 2, "QXTime_Clear",
     [](Soak &s, Setter &c) {
         QXBOOL empty = 0;
         if (c.Done(QXTime_Clear(c.h), 1, "QXTime_Clear succeeds"))
             s.Expect(QXTime_HasEmptyTime(c.h, &empty) == 1 && empty == 1, "a cleared time is empty");
     }},
    // Any year, the months 1 to 12, any day, read back unless the host's limits move or refuse it.
    {Kind::kCal, 3, "QXCalSetYear, Month or Day",
     [](Soak &s, Setter &c) {
         static QXBOOL(WINAPI *const kSet[])(HWND, int) = {QXCalSetYear, QXCalSetMonth, QXCalSetDay};
         static QXBOOL(WINAPI *const kGet[])(HWND, int *) = {QXCalGetYear, QXCalGetMonth, QXCalGetDay};
         const int which = s.rng_.Below(3), v = CalArg(s.rng_);
         int before = 0, after = 0;
         kGet[which](c.h, &before);
         s.hostSet_ = true;
         const QXBOOL ok = kSet[which](c.h, v);
         if (which != 2 || !s.model_.calLimited)
             s.Expect(ok == (which != 1 || (v >= 1 && v <= 12)),
                      "a calendar takes any year and day, the months 1 to 12");
         if (!s.model_.calLimited && s.Calm(c.mark))
             s.Expect(kGet[which](c.h, &after) == 1 && after == (ok ? v : before),
                      "a calendar's getter gives the value set");
     }},
    // Either limit or both, dates or not, in order or not; compared by year, month, day.
    {Kind::kCal, 1, "QXCalSetRange",
     [](Soak &s, Setter &c) {
         static const int kYears[] = {0, 1, 99, 1601, 2000, 2008, 9999, 30827, 65535};
         Rng &r = s.rng_;
         SYSTEMTIME limits[2] = {}, got[2];
         int y = 0, m = 0, d = 0;
         bool has[2], dates = true;
         auto key = [](int yy, int mm, int dd) { return std::make_tuple(yy, mm, dd); };
         auto limit = [&](int k) { return key(limits[k].wYear, limits[k].wMonth, limits[k].wDay); };
         for (int k = 0; k < 2; ++k) {
             has[k] = r.Coin();
             const int year = r.Coin() ? r.Pick(kYears) : r.Between(1990, 2030);
             limits[k] = {WORD(year), WORD(r.Between(0, 13)), 0, WORD(r.Between(0, 32)), 0, 0, 0, 0};
             dates = dates && (!has[k] || (limits[k].wDay >= 1 && limits[k].wDay <= DaysIn(limits[k].wMonth, year)));
         }
         s.hostSet_ = true;
         const QXBOOL ok = QXCalSetRange(c.h, has[0] ? &limits[0] : nullptr, has[1] ? &limits[1] : nullptr);
         s.Expect(ok == (dates && (!(has[0] && has[1]) || limit(0) <= limit(1))),
                  "QXCalSetRange takes dates, the minimum first");
         if (ok) s.model_.calLimited = has[0] || has[1];
         if (!ok || !s.Calm(c.mark)) return;
         s.Expect(QXCalGetRange(c.h, &got[0], &got[1]) == 1 && QXCalGetYear(c.h, &y) && QXCalGetMonth(c.h, &m) &&
                      QXCalGetDay(c.h, &d),
                  "the calendar's getters answer");
         for (int k = 0; k < 2; ++k)
             s.Expect(key(got[k].wYear, got[k].wMonth, got[k].wDay) == (has[k] ? limit(k) : key(0, 0, 0)),
                      "QXCalGetRange gives the limits set");
         if ((has[0] && key(y, m, d) < limit(0)) || (has[1] && key(y, m, d) > limit(1)))
             s.Fail("the date " + N(y) + "-" + N(m) + "-" + N(d) + " lies outside the limits set");
     }},
    // The button takes a bitmap over (the one it held is the soak's again); a dead one is drawn
    // (greyed now and then) and replaced at once, before its handle can name a new object.
    {Kind::kButton, 3, "QXBtn_SetBitmap",
     [](Soak &s, Setter &c) {
         Rng &r = s.rng_;
         const int kind = r.Below(6);
         HBITMAP b = kind < 3 ? MakeBitmap(r) : kind == 4 ? s.held_ : nullptr;
         if (kind == 3) {
             HBITMAP dead = MakeBitmap(r);
             DeleteObject(dead);
             s.Expect(QXBtn_SetBitmap(c.h, dead) == 1, "QXBtn_SetBitmap succeeds");
             if (r.Coin()) EnableWindow(c.h, !IsWindowEnabled(c.h));
             InvalidateRect(c.h, nullptr, TRUE), UpdateWindow(c.h);
             if (s.held_ && IsWindow(c.h)) DeleteObject(s.held_);
             s.held_ = nullptr;
         }
         const HBITMAP old = s.held_;
         const QXBOOL ok = QXBtn_SetBitmap(c.h, b);
         s.Expect(ok == 1, "QXBtn_SetBitmap succeeds");
         const bool taken = ok && IsWindow(c.h);
         if (taken) s.held_ = b;
         if (taken ? old && old != b : b && kind < 3) DeleteObject(taken ? old : b);
     }},
    // An icon stays the soak's: one of its own, the system's, none or a dead one.
    {Kind::kButton, 3, "QXBtn_SetIcon",
     [](Soak &s, Setter &c) {
         const int kind = s.rng_.Below(6);
         HICON icon = kind < 2 || kind == 3 ? MakeIcon(s.rng_)
                      : kind == 2           ? LoadIcon(nullptr, s.rng_.Coin() ? IDI_APPLICATION : IDI_WARNING)
                                            : nullptr;
         if (kind < 2 && icon) s.icons_.push_back(icon);
         if (kind == 3) DestroyIcon(icon);
         s.Expect(QXBtn_SetIcon(c.h, icon) == 1, "QXBtn_SetIcon succeeds");
         s.shownIcon_ = icon;
     }},
    // The icon a button shows dies under it, or the icons none shows go.
    {Kind::kButton, 2, "icons destroyed",
     [](Soak &s, Setter &c) {
         const bool shown = s.rng_.Coin();
         for (size_t i = s.icons_.size(); i-- > 0;)
             if ((s.icons_[i] == s.shownIcon_) == shown) {
                 DestroyIcon(s.icons_[i]);
                 s.icons_.erase(s.icons_.begin() + static_cast<long>(i));
                 InvalidateRect(c.h, nullptr, FALSE);
             }
     }},
};

template <class T>
T *As(char *o) {
    return reinterpret_cast<T *>(o);
}

// An edit's text: within 63 bytes, no control character, its class's rules, read alike by every way.
void CheckEdit(Soak &s, HWND h) {
    const Model &model = s.model_;
    Guarded big(256);
    const LRESULT n = SendMessageA(h, WM_GETTEXT, big.size(), reinterpret_cast<LPARAM>(big.data()));
    bool terminated = false;
    const std::string text = big.Text(&terminated), quoted = Quote(text);
    if (!terminated || static_cast<LRESULT>(text.size()) != n)
        return s.Fail("WM_GETTEXT's count is not the text's length");
    if (!big.GuardsIntact()) return s.Fail("WM_GETTEXT wrote outside its buffer");
    if (text.size() > 63 || std::any_of(text.begin(), text.end(), IsControl))
        return s.Fail("the text is longer than 63 bytes or has a control character: " + quoted);
    if (SendMessageA(h, WM_GETTEXTLENGTH, 0, 0) != n + 1)
        return s.Fail("WM_GETTEXTLENGTH disagrees with the text " + quoted);
    const int size = std::max(0, s.SizeAround(static_cast<int>(n)));
    Guarded small(size);
    const LRESULT got = SendMessageA(h, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(small.data()));
    const LRESULT want = size == 0 ? 0 : std::min<LRESULT>(n, size - 1);
    if (got != want ||
        (size == 0 ? !small.Untouched()
                   : !small.GuardsIntact() || small.Text(&terminated) != text.substr(0, want) || !terminated))
        return s.Fail("WM_GETTEXT into " + N(size) + " bytes gave " + N(got) + ", " + Quote(small.Text()));
    DWORD sel[2] = {0xFFFFFFFF, 0xFFFFFFFF};
    const LRESULT both =
        SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&sel[0]), reinterpret_cast<LPARAM>(&sel[1]));
    if (sel[0] > text.size() || sel[1] > text.size())
        return s.Fail("the selection " + N(sel[0]) + "," + N(sel[1]) + " lies outside " + quoted);
    if (static_cast<DWORD>(both) != static_cast<DWORD>(MAKELONG(sel[0], sel[1])))
        return s.Fail("EM_GETSEL's answer and its outputs differ");
    s.Mix(text.data(), text.size());
    s.Mix(sel, sizeof sel);
    Guarded lo(sizeof(long)), hi(sizeof(long)), value(sizeof(double)), out(64);  // outputs, each its own size
    const Kind k = s.info_.kind;
    if (k == Kind::kInt) {
        long expected = 0;
        const bool valid = ParseInt(text, &expected);
        if (!IntFault(text).empty()) return s.Fail("integer text " + quoted + ": " + IntFault(text));
        if (QXIntGetValue(h, lo.As<long>()) != valid || (valid && *lo.As<long>() != expected) || !lo.GuardsIntact())
            return s.Fail("QXIntGetValue disagrees with the text " + quoted);
        if (QXIntGetRange(h, lo.As<long>(), hi.As<long>()) != 1 || *lo.As<long>() != model.intMin ||
            *hi.As<long>() != model.intMax || !lo.GuardsIntact() || !hi.GuardsIntact())
            return s.Fail("QXIntGetRange disagrees with the range set");
    } else if (k == Kind::kFloat) {
        if (!FloatFault(text, model.decimal, model.group).empty())
            return s.Fail("number text " + quoted + ": " + FloatFault(text, model.decimal, model.group));
        if (QXFloatGetValue(h, value.As<double>()) != 1 || !value.GuardsIntact() ||
            !SameValue(*value.As<double>(), ReadFloat(text, model.decimal, model.group)))
            return s.Fail("QXFloatGetValue disagrees with the text " + quoted + " (it read " +
                          std::to_string(*value.As<double>()) + ")");
        s.Mix(value.data(), sizeof(double));
    } else if (!model.hasMask) {
        if (!text.empty() && k != Kind::kEdit) return s.Fail("a picture edit without a mask shows " + quoted);
    } else if (k == Kind::kPicture || k == Kind::kTime) {
        const std::string fault =
            PictureFault(model.mask, text) + (k == Kind::kTime ? TimeFault(model.mask, text) : "");
        if (!fault.empty()) return s.Fail("text " + quoted + " under the mask " + Quote(model.mask) + ": " + fault);
        const std::string placeholders = Placeholders(model.mask, text);
        if (QXPicGetValue(h, out.data(), 64) != 1 || out.Text() != placeholders || !out.GuardsIntact())
            return s.Fail("QXPicGetValue disagrees with the text " + quoted);
        if (k != Kind::kTime) return;
        int hour = -1, minute = -1;
        const bool valid = ParseTime(model.mask, text, &hour, &minute);
        Guarded hm(4);
        const QXBOOL r = QXTime_GetTime(h, hm.As<WORD>(), hm.As<WORD>() + 1);
        if (r != valid || !hm.GuardsIntact() ||
            (valid ? hm.As<WORD>()[0] != hour || hm.As<WORD>()[1] != minute : !hm.Untouched()))
            return s.Fail("QXTime_GetTime disagrees with the text " + quoted);
        auto ask = [&](auto call, auto expected, const char *what) {
            Guarded a(sizeof expected);
            const bool right =
                call(h, a.As<decltype(expected)>()) == 1 && a.GuardsIntact() && *a.As<decltype(expected)>() == expected;
            if (!right) s.Fail(what + quoted);
            return right;
        };
        (void)(ask(QXTime_HasValidTime, BOOL(valid), "QXTime_HasValidTime disagrees with the text ") &&
               ask(QXTime_HasEmptyTime, QXBOOL(AllBlank(placeholders)),
                   "QXTime_HasEmptyTime disagrees with the text ") &&
               ask(QXTime_Is24Hour, BOOL(model.mask == "99:99"), "QXTime_Is24Hour disagrees with the mask of "));
    }
}

// A calendar's day stays one of its month through everything but the host's own sets.
void CheckCalendar(Soak &s, HWND h) {
    Guarded ymd(3 * sizeof(int));
    int *v = ymd.As<int>();
    if (QXCalGetYear(h, v) != 1 || QXCalGetMonth(h, v + 1) != 1 || QXCalGetDay(h, v + 2) != 1 || !ymd.GuardsIntact())
        return s.Fail("the calendar's getters fail");
    if (v[1] < 1 || v[1] > 12) return s.Fail("the calendar shows month " + N(v[1]));
    const bool valid = v[2] >= 1 && v[2] <= DaysIn(v[1], v[0]);
    const std::string date = N(v[0]) + "-" + N(v[1]) + "-" + N(v[2]);
    if (s.navigated_ && !s.hostSet_ && !valid)
        return s.Fail("the arrow keys selected " + date + ", no day of its month");
    if (s.model_.dateValid && !s.hostSet_ && !valid) return s.Fail("the calendar went from a valid date to " + date);
    s.model_.dateValid = valid;
    s.Mix(v, 3 * sizeof(int));
}

}  // namespace

int DaysIn(int month, int year) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const unsigned y = static_cast<unsigned>(year);
    return month < 1 || month > 12 ? 0
                                   : kDays[month - 1] + (month == 2 && y % 4 == 0 && (y % 100 != 0 || y % 400 == 0));
}

void Soak::ExpectText(const std::string &got, const std::string &want, const char *what) {
    if (got != want) Fail(std::string(what) + ": " + Quote(got) + ", not " + Quote(want));
}

void Soak::Mix(const void *data, size_t n) {
    for (size_t i = 0; i < n; ++i) digest_ = (digest_ ^ static_cast<const unsigned char *>(data)[i]) * 0x100000001B3ull;
}

std::string Soak::Text(HWND h) {
    Guarded buf(256);
    SendMessageA(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
    return buf.Text();
}

void Soak::CheckAll() {
    if (!IsWindow(control_)) return Fail("the control is gone");
    if (IsEdit(info_.kind)) return CheckEdit(*this, control_);
    if (info_.kind == Kind::kCal) return CheckCalendar(*this, control_);
    const BOOL enabled = IsWindowEnabled(control_);
    Mix(&enabled, sizeof enabled);
}

// One export of the class by its weight, and now and then one that needs no window.
void Soak::ExportEvent() {
    for (bool windowless : {false, true}) {
        if (windowless ? !rng_.OneIn(6) : info_.kind == Kind::kEdit) continue;
        const Kind k = info_.kind;
        auto serves = [&](const ExportKind &e) {
            return windowless ? e.kind == Kind::kEdit
                              : e.kind == k || (e.kind == Kind::kPicture && k == Kind::kTime) ||
                                    (e.kind == Kind::kEdit && k == Kind::kPicture);
        };
        int total = 0, i = 0;
        for (const ExportKind &e : kExports) total += serves(e) ? e.weight : 0;
        for (int at = rng_.Below(total); !serves(kExports[i]) || (at -= kExports[i].weight) >= 0;) ++i;
        what_ += (what_.empty() ? "" : "; ") + std::string(kExports[i].name);
        Setter c(*this);
        kExports[i].run(*this, c);
    }
}

const AnyCall kAnyCalls[] = {
    {Kind::kInt, 0, [](HWND h, char *) { return QXIntSetValue(h, 5); }},
    {Kind::kInt, 0, [](HWND h, char *o) { return QXIntGetValue(h, As<long>(o)); }},
    {Kind::kInt, kHost, [](HWND h, char *) { return QXIntSetRange(h, 0, 10); }},
    {Kind::kInt, kHost, [](HWND h, char *) { return QXIntSetMask(h, "99"); }},
    {Kind::kInt, 0, [](HWND h, char *o) { return QXIntGetMask(h, o, 16); }},
    {Kind::kFloat, 0, [](HWND h, char *) { return QXFloatSetValue(h, 1.5); }},
    {Kind::kFloat, 0, [](HWND h, char *o) { return QXFloatGetValue(h, As<double>(o)); }},
    {Kind::kFloat, 0, [](HWND h, char *) { return QXFloatSetRange(h, 0, 1); }},
    {Kind::kFloat, kHost, [](HWND h, char *) { return QXFloatSetFormat(h, " .,"); }},
    {Kind::kFloat, kHost, [](HWND h, char *) { return QXFloatSetLocaleFormat(h); }},
    {Kind::kFloat, 0, [](HWND h, char *) { return QXFloatSetMask(h, "99.9"); }},
    {Kind::kPicture, kHost, [](HWND h, char *) { return QXPicSetMask(h, "999"); }},
    {Kind::kPicture, 0, [](HWND h, char *) { return QXPicSetValue(h, "12ab"); }},
    {Kind::kPicture, 0, [](HWND h, char *o) { return QXPicGetValue(h, o, 16); }},
    {Kind::kPicture, 0, [](HWND h, char *) { return QXPicHideEmptyValues(h, 1); }},
    {Kind::kTime, 0, [](HWND h, char *) { return QXTime_Clear(h); }},
    {Kind::kTime, 0, [](HWND h, char *o) { return QXTime_Is24Hour(h, As<BOOL>(o)); }},
    {Kind::kTime, kHost, [](HWND h, char *) { return QXTime_SetMask(h, "99:99"); }},
    {Kind::kTime, 0, [](HWND h, char *o) { return QXTime_HasEmptyTime(h, As<QXBOOL>(o)); }},
    {Kind::kTime, 0, [](HWND h, char *o) { return QXTime_HasValidTime(h, As<BOOL>(o)); }},
    {Kind::kTime, 0, [](HWND h, char *o) { return QXTime_GetTime(h, As<WORD>(o), As<WORD>(o + 2)); }},
    {Kind::kTime, 0, [](HWND h, char *) { return QXTime_SetTime(h, 23, 59); }},
    {Kind::kTime, 0, [](HWND h, char *) { return QXTime_SetTime(h, 24, 0); }},
    {Kind::kCal, 0, [](HWND h, char *o) { return QXCalGetYear(h, As<int>(o)); }},
    {Kind::kCal, 0, [](HWND h, char *o) { return QXCalGetMonth(h, As<int>(o)); }},
    {Kind::kCal, 0, [](HWND h, char *o) { return QXCalGetDay(h, As<int>(o)); }},
    {Kind::kCal, 0, [](HWND h, char *) { return QXCalSetYear(h, 2000); }},
    {Kind::kCal, 0, [](HWND h, char *) { return QXCalSetMonth(h, 5); }},
    {Kind::kCal, 0, [](HWND h, char *) { return QXCalSetDay(h, 31); }},
    {Kind::kCal, kHost, [](HWND h, char *) { return QXCalSetRange(h, nullptr, nullptr); }},
    {Kind::kCal, 0, [](HWND h, char *o) { return QXCalGetRange(h, As<SYSTEMTIME>(o), nullptr); }},
    {Kind::kButton, 0, [](HWND h, char *) { return QXBtn_SetIcon(h, nullptr); }},
    {Kind::kButton, kHost, [](HWND h, char *) { return QXBtn_SetBitmap(h, nullptr); }},
    {Kind::kInt, kFails, [](HWND h, char *) { return QXIntGetValue(h, nullptr); }},
    {Kind::kInt, kFails, [](HWND h, char *o) { return QXIntGetRange(h, As<long>(o), nullptr); }},
    {Kind::kInt, kFails, [](HWND h, char *o) { return QXIntGetRange(h, nullptr, As<long>(o)); }},
    {Kind::kFloat, kFails, [](HWND h, char *) { return QXFloatGetValue(h, nullptr); }},
    {Kind::kTime, kFails, [](HWND h, char *o) { return QXTime_GetTime(h, As<WORD>(o), nullptr); }},
    {Kind::kTime, kFails, [](HWND h, char *o) { return QXTime_GetTime(h, nullptr, As<WORD>(o)); }},
    {Kind::kTime, kFails, [](HWND h, char *) { return QXTime_Is24Hour(h, nullptr); }},
    {Kind::kTime, kFails, [](HWND h, char *) { return QXTime_HasEmptyTime(h, nullptr); }},
    {Kind::kTime, kFails, [](HWND h, char *) { return QXTime_HasValidTime(h, nullptr); }},
    {Kind::kCal, kFails, [](HWND h, char *) { return QXCalGetYear(h, nullptr); }},
    {Kind::kCal, kFails, [](HWND h, char *) { return QXCalGetMonth(h, nullptr); }},
    {Kind::kCal, kFails, [](HWND h, char *) { return QXCalGetDay(h, nullptr); }}};
const int kAnyCallCount = sizeof kAnyCalls / sizeof kAnyCalls[0];

// Another class's export, a null output, or any export on a foreign window fails and writes nothing.
void Soak::ForeignExport() {
    const int which = rng_.Below(5);
    const HWND targets[] = {control_, nullptr, parent_, other_,
                            which < 4 ? nullptr
                                      : CreateWindowExA(0, info_.name, "", WS_CHILD, 0, 0, 10, 10, parent_, nullptr,
                                                        GetModuleHandleA(nullptr), nullptr)};
    if (targets[4]) DestroyWindow(targets[4]);
    int c = rng_.Below(kAnyCallCount);
    while (which == 0 && kAnyCalls[c].Serves(info_.kind) && !(kAnyCalls[c].flags & kFails)) c = (c + 1) % kAnyCallCount;
    Guarded out(24);
    Expect(kAnyCalls[c].call(targets[which], out.data()) == 0,
           "an export fails on a window that is no control of its class");
    Expect(out.Untouched(), "a failing export writes nothing");
}

}  // namespace qxs
