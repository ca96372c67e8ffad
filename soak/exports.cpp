// The exports with extreme arguments checked at once, and what must hold after every event.
#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

#include "soak.h"

namespace qxs {
namespace {

std::string N(long long v) { return std::to_string(v); }

// A host's setter: Done() checks the result (expected < 0: either) and that a refusal leaves the text.
struct Setter {
    Soak &s;
    HWND h;
    std::string before;
    explicit Setter(Soak &soak) : s(soak), h(soak.control_), before(soak.Text(h)) {}
    bool Done(QXBOOL ok, int expected, const char *rule) {
        s.hostSet_ = true;
        if (expected >= 0) s.Expect(ok == expected, rule);
        if (!ok) s.ExpectText(s.Text(h), before, "a refused call leaves the text");
        return ok;
    }
};

// Arguments at and near the ends of their types and of what the host set.
long IntArg(Soak &s) {
    const long kEnds[] = {LONG_MIN, LONG_MAX, -1, 0, 1, s.model_.intMin, s.model_.intMax};
    return s.rng_.Coin() ? s.rng_.Pick(kEnds) : s.rng_.Coin() ? s.rng_.Int32() : s.rng_.Between(-1000, 1000);
}

// The exports of one class by weight, with what each promises.
struct ExportKind { Kind kind; int weight; const char *name; void (*run)(Soak &s, Setter &c); };
const ExportKind kExports[] = {
    {Kind::kInt, 1, "QXIntSetValue", [](Soak &s, Setter &c) {
         const long v = IntArg(s);
         if (c.Done(QXIntSetValue(c.h, v), 1, "QXIntSetValue succeeds"))
             s.ExpectText(s.Text(c.h), N(v), "QXIntSetValue shows the value");
     }},
    {Kind::kInt, 1, "QXIntSetRange", [](Soak &s, Setter &c) {
         const long a = IntArg(s), b = IntArg(s);
         long lo = 0, hi = 0;
         const QXBOOL ok = QXIntSetRange(c.h, a, b);
         if (ok) s.model_.intMin = a, s.model_.intMax = b;
         if (c.Done(ok, a <= b, "QXIntSetRange refuses a minimum above the maximum, and only that"))
             s.ExpectText(s.Text(c.h), c.before, "QXIntSetRange leaves the text");
         s.Expect(QXIntGetRange(c.h, &lo, &hi) && lo == s.model_.intMin && hi == s.model_.intMax,
                  "QXIntGetRange gives the range set");
     }},
    {Kind::kInt, 1, "QXIntSetMask", [](Soak &s, Setter &c) {
         const std::string nines(s.rng_.Between(60, 80), '9');
         const char *const kMasks[] = {"", "9", "99", "99999999999", "9a", "-9", nullptr, nines.c_str()};
         const char *m = s.rng_.Pick(kMasks);
         const QXBOOL ok = QXIntSetMask(c.h, m);
         if (ok) s.model_.hasMask = true, s.model_.mask = m;
         if (c.Done(ok, m && std::string(m).find_first_not_of('9') == std::string::npos,
                    "QXIntSetMask takes 9s only, none included"))
             s.ExpectText(s.Text(c.h), s.model_.intMax < 0 ? c.before : "",
                          "QXIntSetMask empties the text, unless the range refuses 0");
     }},
    {Kind::kFloat, 1, "QXFloatSetValue", [](Soak &s, Setter &c) {
         const double kEnds[] = {NAN, INFINITY, -INFINITY, DBL_MAX, -DBL_MAX, -1e63, DBL_MIN / 4, -0.0, 999999999.995};
         Rng &r = s.rng_;
         const int i = r.Below(4);
         const double v = i == 0 ? r.Pick(kEnds) : i == 1 ? r.Int32() / 7.0
                          : i == 2 ? r.Int32() * 4096.0 + 0.5 : r.Between(-99, 99);
         c.Done(QXFloatSetValue(c.h, v), std::isfinite(v) ? -1 : 0, "QXFloatSetValue refuses an infinity or NaN");
     }},
    // The separators alone decide, whatever the text, mask or range; the value stays.
    {Kind::kFloat, 1, "QXFloatSetFormat", [](Soak &s, Setter &c) {
         static const char kSeps[] = ".,., '_x;-1\x7f\x05\xa0\xb7";
         std::string f(3, ' ');
         for (char &sep : f) sep = kSeps[s.rng_.Below(sizeof kSeps - 1)];
         double before = 0, after = 0;
         QXFloatGetValue(c.h, &before);
         const QXBOOL ok = QXFloatSetFormat(c.h, f.c_str());
         if (ok) s.model_.decimal = f[1], s.model_.group = f[2];
         bool bad = f[1] == f[2];
         for (size_t i = 1; i < 3 && !bad; ++i) bad = (f[i] >= '0' && f[i] <= '9') || f[i] == '-' || IsControl(f[i]);
         if (c.Done(ok, !bad, "QXFloatSetFormat refuses separators it cannot tell apart, and only those"))
             s.Expect(QXFloatGetValue(c.h, &after) && SameValue(before, after), "a format change keeps the value");
     }},
    {Kind::kPicture, 1, "QXPicSetMask", [](Soak &s, Setter &c) {
         const bool time = s.info_.kind == Kind::kTime, null = s.rng_.OneIn(20);
         const std::string m = time && s.rng_.Coin() ? s.rng_.Pick(kTimeMasks) : s.RandomMask();
         const QXBOOL ok = QXPicSetMask(c.h, null ? nullptr : m.c_str());
         if (ok) s.model_.hasMask = true, s.model_.mask = m;
         const bool usable = !null && (time ? IsTimeMask(m.c_str()) : UsableMask(m.c_str()));
         if (c.Done(ok, usable, "a picture edit takes a usable mask, a time edit the five time masks, and only those"))
             s.Expect(Placeholders(m, s.Text(c.h)).find_first_not_of(' ') == std::string::npos,
                      "a new mask shows its empty layout");
     }},
    {Kind::kPicture, 1, "QXPicSetValue", [](Soak &s, Setter &c) {
         const Model &model = s.model_;
         std::string raw = model.hasMask && !s.rng_.OneIn(5) ? s.ValueFor(model.mask, true) : s.RandomText(20), laid;
         if (s.rng_.OneIn(10)) raw = std::string(s.rng_.Between(60, 90), '7');
         const bool null = s.rng_.OneIn(20), fits = !null && model.hasMask && LayRaw(model.mask, raw, &laid);
         if (c.Done(QXPicSetValue(c.h, null ? nullptr : raw.c_str()), fits ? (s.info_.kind == Kind::kTime ? -1 : 1) : 0,
                    "QXPicSetValue takes a value that fits the mask, and only that"))
             s.ExpectText(s.Text(c.h), laid, "QXPicSetValue lays the value into the mask");
     }},
    {Kind::kPicture, 1, "QXPicGetValue", [](Soak &s, Setter &c) {
         const int n = int(Placeholders(s.model_.mask, c.before).size()),
                   size = s.rng_.Coin() ? n + s.rng_.Between(-1, 2) : s.rng_.Between(-2, 70);
         Guarded buf(size);
         bool terminated = false;
         const QXBOOL ok = QXPicGetValue(c.h, buf.data(), size);
         s.Expect(ok == (size > 0 && s.model_.hasMask), "QXPicGetValue succeeds with a mask and a buffer");
         const std::string want = Placeholders(s.model_.mask, s.Text(c.h)).substr(0, size - 1);
         s.Expect(ok ? buf.GuardsIntact() && buf.Text(&terminated) == want && terminated : buf.Untouched(),
                  "QXPicGetValue gives the placeholders' characters, cut to the buffer, or writes nothing");
     }},
    // Any year, the months 1 to 12, any day; the calendar's tests pin what limits do to them.
    {Kind::kCal, 3, "QXCalSetYear, Month or Day", [](Soak &s, Setter &) {
         static QXBOOL(WINAPI *const kSet[])(HWND, int) = {QXCalSetYear, QXCalSetMonth, QXCalSetDay};
         static const int kEnds[] = {INT_MIN, -1, 0, 1, 12, 13, 28, 29, 30, 31, 32, 1582, 9999, 10000, INT_MAX};
         s.hostSet_ = true;
         kSet[s.rng_.Below(3)](s.control_, s.rng_.Coin() ? s.rng_.Pick(kEnds) : s.rng_.Between(-5, 40));
     }},
    // Either limit or both, dates or not, in order or not: a calendar with limits draws its days apart.
    {Kind::kCal, 1, "QXCalSetRange", [](Soak &s, Setter &) {
         SYSTEMTIME limits[2] = {};
         for (SYSTEMTIME &l : limits)
             l.wYear = WORD(s.rng_.Between(1990, 2030)),
             l.wMonth = WORD(s.rng_.Below(14)), l.wDay = WORD(s.rng_.Below(33));
         s.hostSet_ = true;
         QXCalSetRange(s.control_, s.rng_.Coin() ? &limits[0] : nullptr, s.rng_.Coin() ? &limits[1] : nullptr);
     }},
    // The button takes a bitmap over (the one it held is the soak's again); the button's tests pin the drawing.
    {Kind::kButton, 3, "QXBtn_SetBitmap", [](Soak &s, Setter &c) {
         static const WORD kBits[] = {1, 4, 8, 16, 24, 32};
         const int w = s.rng_.OneIn(20) ? s.rng_.Between(100, 300) : s.rng_.Between(1, 40), h = s.rng_.Between(-40, 40);
         BITMAPINFO bi = {{sizeof bi.bmiHeader, w, h ? h : 1, 1, s.rng_.Pick(kBits), BI_RGB, 0, 0, 0, 0, 0}, {}};
         void *bits = nullptr;
         HBITMAP old = s.held_, b = s.rng_.OneIn(4) ? nullptr : CreateDIBSection(0, &bi, DIB_RGB_COLORS, &bits, 0, 0);
         s.Expect(QXBtn_SetBitmap(c.h, b) == 1, "QXBtn_SetBitmap succeeds");
         if (IsWindow(c.h)) s.held_ = b;
         if (IsWindow(c.h) ? old : b) DeleteObject(IsWindow(c.h) ? old : b);
     }},
};

// An edit's text: within 63 bytes, no control character, its class's rules, read alike by every way.
void CheckEdit(Soak &s, HWND h) {
    const Model &model = s.model_;
    Guarded big(256);
    const LRESULT n = SendMessageA(h, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(big.data()));
    bool terminated = false;
    const std::string text = big.Text(&terminated), quoted = Quote(text);
    if (!terminated || LRESULT(text.size()) != n || !big.GuardsIntact())
        return s.Fail("WM_GETTEXT's count disagrees with the text " + quoted + ", or it wrote outside its buffer");
    if (text.size() > 63 || std::any_of(text.begin(), text.end(), IsControl))
        return s.Fail("the text is longer than 63 bytes or has a control character: " + quoted);
    DWORD sel[2] = {0xFFFFFFFF, 0xFFFFFFFF};
    SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&sel[0]), reinterpret_cast<LPARAM>(&sel[1]));
    if (sel[0] > text.size() || sel[1] > text.size())
        return s.Fail("the selection " + N(sel[0]) + "," + N(sel[1]) + " lies outside " + quoted);
    s.Mix(text.data(), text.size()), s.Mix(sel, sizeof sel);
    Guarded lo(sizeof(long)), value(sizeof(double)), out(64);  // outputs, each its own size
    const Kind k = s.info_.kind;
    if (k == Kind::kInt) {
        long expected = 0;
        const bool valid = ParseInt(text, &expected);
        if (!IntFault(text).empty()) return s.Fail("integer text " + quoted + ": " + IntFault(text));
        if (QXIntGetValue(h, lo.As<long>()) != valid || (valid && *lo.As<long>() != expected) || !lo.GuardsIntact())
            return s.Fail("QXIntGetValue disagrees with the text " + quoted);
    } else if (k == Kind::kFloat) {
        const std::string fault = FloatFault(text, model.decimal, model.group);
        if (!fault.empty()) return s.Fail("number text " + quoted + ": " + fault);
        if (QXFloatGetValue(h, value.As<double>()) != 1 || !value.GuardsIntact() ||
            !SameValue(*value.As<double>(), ReadFloat(text, model.decimal, model.group)))
            return s.Fail("QXFloatGetValue disagrees with the text " + quoted);
        s.Mix(value.data(), sizeof(double));
    } else if (!model.hasMask) {
        if (!text.empty() && k != Kind::kEdit) return s.Fail("a picture edit without a mask shows " + quoted);
    } else {
        const std::string placeholders = Placeholders(model.mask, text);
        std::string fault = PictureFault(model.mask, text);
        if (k == Kind::kTime) fault += TimeFault(model.mask, text);
        if (!fault.empty()) return s.Fail("text " + quoted + " under the mask " + Quote(model.mask) + ": " + fault);
        if (QXPicGetValue(h, out.data(), 64) != 1 || out.Text() != placeholders || !out.GuardsIntact())
            return s.Fail("QXPicGetValue disagrees with the text " + quoted);
        int hour = -1, minute = -1;
        const bool valid = k == Kind::kTime && ParseTime(model.mask, text, &hour, &minute);
        Guarded hm(4);
        const QXBOOL r = k == Kind::kTime ? QXTime_GetTime(h, hm.As<WORD>(), hm.As<WORD>() + 1) : valid;
        if (r != valid || !hm.GuardsIntact() ||
            (valid ? hm.As<WORD>()[0] != hour || hm.As<WORD>()[1] != minute : !hm.Untouched()))
            return s.Fail("QXTime_GetTime disagrees with the text " + quoted);
    }
}

// A calendar's day stays one of its month through everything but the host's own sets.
void CheckCalendar(Soak &s, HWND h) {
    Guarded ymd(3 * sizeof(int));
    int *v = ymd.As<int>();
    if (QXCalGetYear(h, v) != 1 || QXCalGetMonth(h, v + 1) != 1 || QXCalGetDay(h, v + 2) != 1 || !ymd.GuardsIntact())
        return s.Fail("the calendar's getters fail");
    if (v[1] < 1 || v[1] > 12) return s.Fail("the calendar shows month " + N(v[1]));
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const unsigned y = static_cast<unsigned>(v[0]), leap = v[1] == 2 && y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
    const bool valid = v[2] >= 1 && v[2] <= kDays[v[1] - 1] + int(leap);
    const std::string date = N(v[0]) + "-" + N(v[1]) + "-" + N(v[2]);
    if (s.navigated_ && !s.hostSet_ && !valid) return s.Fail("the arrow keys selected " + date + ", no day of a month");
    if (s.model_.dateValid && !s.hostSet_ && !valid) return s.Fail("the calendar went from a valid date to " + date);
    s.model_.dateValid = valid;
    s.Mix(v, 3 * sizeof(int));
}

// Calls of a class with an output missing, the other outputs in o.
struct AnyCall { Kind serves; QXBOOL (*call)(HWND h, char *o); };
const AnyCall kAnyCalls[] = {
    {Kind::kInt, [](HWND h, char *) { return QXIntGetValue(h, nullptr); }},
    {Kind::kInt, [](HWND h, char *o) { return QXIntGetRange(h, reinterpret_cast<long *>(o), nullptr); }},
    {Kind::kInt, [](HWND h, char *o) { return QXIntGetRange(h, nullptr, reinterpret_cast<long *>(o)); }},
    {Kind::kFloat, [](HWND h, char *) { return QXFloatGetValue(h, nullptr); }},
    {Kind::kPicture, [](HWND h, char *) { return QXPicGetValue(h, nullptr, 16); }},
    {Kind::kTime, [](HWND h, char *o) { return QXTime_GetTime(h, reinterpret_cast<WORD *>(o), nullptr); }},
    {Kind::kTime, [](HWND h, char *o) { return QXTime_GetTime(h, nullptr, reinterpret_cast<WORD *>(o)); }},
    {Kind::kTime, [](HWND h, char *) { return QXTime_Is24Hour(h, nullptr); }},
    {Kind::kTime, [](HWND h, char *) { return QXTime_HasEmptyTime(h, nullptr); }},
    {Kind::kTime, [](HWND h, char *) { return QXTime_HasValidTime(h, nullptr); }},
    {Kind::kCal, [](HWND h, char *) { return QXCalGetYear(h, nullptr); }},
    {Kind::kCal, [](HWND h, char *) { return QXCalGetMonth(h, nullptr); }},
    {Kind::kCal, [](HWND h, char *) { return QXCalGetDay(h, nullptr); }}};
constexpr int kAnyCallCount = sizeof kAnyCalls / sizeof kAnyCalls[0];

}  // namespace

// A call missing an output fails and writes nothing (the classes' tests pin the calls on other windows).
void NullExport(Soak &s) {
    const Kind k = s.info_.kind;
    if (k == Kind::kEdit) return;
    int c = s.rng_.Below(kAnyCallCount);
    while (kAnyCalls[c].serves != k && (kAnyCalls[c].serves != Kind::kPicture || k != Kind::kTime))
        c = (c + 1) % kAnyCallCount;
    Guarded out(24);
    s.Expect(kAnyCalls[c].call(s.control_, out.data()) == 0 && out.Untouched(),
             "an export fails and writes nothing without its output");
}

void Soak::ExpectText(const std::string &got, const std::string &want, const char *what) {
    if (got != want) Fail(std::string(what) + ": " + Quote(got) + ", not " + Quote(want));
}

void Soak::Mix(const void *data, size_t n) {
    for (size_t i = 0; i < n; ++i) digest_ = (digest_ ^ static_cast<const unsigned char *>(data)[i]) * 0x100000001B3ull;
}

std::string Soak::Text(HWND h) {
    Guarded buf(256);
    SendMessageA(h, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buf.data()));
    return buf.Text();
}

void CheckAll(Soak &s) {
    if (!IsWindow(s.control_)) return s.Fail("the control is gone");
    if (IsEdit(s.info_.kind)) return CheckEdit(s, s.control_);
    if (s.info_.kind == Kind::kCal) CheckCalendar(s, s.control_);
}

// One export of the class by its weight.
void ExportEvent(Soak &s) {
    const Kind k = s.info_.kind;
    auto serves = [&](const ExportKind &e) { return e.kind == k || (e.kind == Kind::kPicture && k == Kind::kTime); };
    if (k == Kind::kEdit) return;
    int total = 0, i = 0;
    for (const ExportKind &e : kExports) total += serves(e) ? e.weight : 0;
    for (int at = s.rng_.Below(total); !serves(kExports[i]) || (at -= kExports[i].weight) >= 0;) ++i;
    s.what_ += std::string(" ") + kExports[i].name;
    Setter c(s);
    kExports[i].run(s, c);
}

}  // namespace qxs
