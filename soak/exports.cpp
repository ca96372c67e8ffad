// The exports with extreme arguments: each call's result and what it
// promises are checked at once, and what the host set is kept in the model.
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <tuple>

#include "guarded.h"
#include "oracle.h"
#include "qx_cntl.h"
#include "soak.h"

namespace qxs {
namespace {

const char *const kTimeMasks[] = {"99:99", "99:99 am", "99:99 AM", "99:99 a.m.", "99:99 A.M."};

bool AllBlank(const std::string &s) { return s.find_first_not_of(' ') == std::string::npos; }

}  // namespace

void Soak::ExportEvent() {
    switch (info_.kind) {
    case Kind::kInt: IntExport(); break;
    case Kind::kFloat: FloatExport(); break;
    case Kind::kPicture: PictureExport(); break;
    case Kind::kTime: rng_.OneIn(4) ? PictureExport() : TimeExport(); break;
    case Kind::kCal: CalExport(); break;
    case Kind::kButton: ButtonExport(); break;
    case Kind::kEdit: break;
    }
    if (rng_.OneIn(6)) {
        const std::string first = what_;
        WindowlessExport();
        what_ = first.empty() ? what_ : first + "; " + what_;
    }
}

// ---- "QXInteger" ---------------------------------------------------------------

void Soak::IntExport() {
    HWND h = control_;
    const std::string before = Text(h);
    const int springs = springs_, made = made_;
    auto undisturbed = [&] { return springs == springs_ && made == made_ && IsWindow(h); };
    // The same control, whatever the parent did meanwhile: what the host set
    // on it holds.
    auto same = [&] { return made == made_ && IsWindow(h); };
    auto pick = [&]() -> long {
        switch (rng_.Below(8)) {
        case 0: return LONG_MIN;
        case 1: return LONG_MAX;
        case 2: return rng_.Between(-1, 1);
        case 3: return model_.intMin;
        case 4: return model_.intMax;
        case 5: return rng_.Int32();
        default: return rng_.Between(-1000, 1000);
        }
    };
    switch (rng_.Below(6)) {
    case 0: {
        const long v = pick();
        what_ = "QXIntSetValue " + std::to_string(v);
        const QXBOOL r = QXIntSetValue(h, v);
        hostSet_ = true;
        if (!undisturbed()) return;
        Expect(r == 1, "QXIntSetValue succeeds");
        ExpectText(Text(h), std::to_string(v), "QXIntSetValue shows the value in decimal");
        break;
    }
    case 1: {
        long a = pick(), b = pick();
        if (rng_.OneIn(3)) std::swap(a, b);
        what_ = "QXIntSetRange " + std::to_string(a) + ", " + std::to_string(b);
        modelInFlux_ = true;
        const QXBOOL r = QXIntSetRange(h, a, b);
        modelInFlux_ = false;
        if (r && same()) model_.intMin = a, model_.intMax = b;
        if (!undisturbed()) return;
        Expect(r == (a <= b ? 1 : 0), "QXIntSetRange refuses a minimum above the maximum, and only that");
        ExpectText(Text(h), before, "QXIntSetRange leaves the text");
        break;
    }
    case 2: {
        static const char *const kMasks[] = {"", "9", "99", "999999", "99999999999", "9a", "-9", " 9", nullptr};
        std::string longMask(rng_.Between(60, 80), '9');
        const char *m = rng_.OneIn(6) ? longMask.c_str() : rng_.Pick(kMasks);
        what_ = std::string("QXIntSetMask ") + (m ? Quote(m) : "null");
        modelInFlux_ = true;
        const QXBOOL r = QXIntSetMask(h, m);
        modelInFlux_ = false;
        hostSet_ = true;
        if (r && same()) model_.hasMask = true, model_.mask = m;
        if (!undisturbed()) return;
        const bool nines = m && std::string(m).find_first_not_of('9') == std::string::npos;
        Expect(r == (nines ? 1 : 0), "QXIntSetMask takes a run of 9s, and only that");
        break;
    }
    case 3: {
        const int size = SizeAround(static_cast<int>(model_.mask.size()));
        Guarded buf(size);
        const bool null = rng_.OneIn(10);
        what_ = "QXIntGetMask size " + std::to_string(size);
        const QXBOOL r = QXIntGetMask(h, null ? nullptr : buf.data(), size);
        const bool fits = model_.hasMask && !null && size > 0 && static_cast<int>(model_.mask.size()) < size;
        Expect(r == (fits ? 1 : 0), "QXIntGetMask succeeds when the mask fits the buffer");
        if (r) Expect(buf.Text() == model_.mask, "QXIntGetMask gives the mask set");
        Expect(r ? buf.GuardsIntact() : buf.Untouched(), "QXIntGetMask writes the mask within the buffer, or nothing");
        break;
    }
    case 4: {
        GuardedOut<long> lo, hi;
        const int form = rng_.Below(3);
        what_ = "QXIntGetRange form " + std::to_string(form);
        const QXBOOL r = QXIntGetRange(h, form == 1 ? nullptr : &lo.value, form == 2 ? nullptr : &hi.value);
        Expect(r == (form == 0 ? 1 : 0), "QXIntGetRange needs both pointers");
        if (form == 0)
            Expect(lo.value == model_.intMin && hi.value == model_.intMax && lo.GuardsIntact() && hi.GuardsIntact(),
                   "QXIntGetRange gives the range set");
        else
            Expect(lo.Untouched() && hi.Untouched(), "a refused QXIntGetRange writes nothing");
        break;
    }
    default:
        what_ = "QXIntGetValue null";
        Expect(QXIntGetValue(h, nullptr) == 0, "QXIntGetValue refuses a null pointer");
        break;
    }
}

// ---- "QXFloat" -------------------------------------------------------------------

void Soak::FloatExport() {
    HWND h = control_;
    const std::string before = Text(h);
    const int springs = springs_, made = made_;
    auto undisturbed = [&] { return springs == springs_ && made == made_ && IsWindow(h); };
    // The same control, whatever the parent did meanwhile: what the host set
    // on it holds.
    auto same = [&] { return made == made_ && IsWindow(h); };
    auto pick = [&]() -> double {
        switch (rng_.Below(12)) {
        case 0: return NAN;
        case 1: return rng_.Coin() ? INFINITY : -INFINITY;
        case 2: return rng_.Coin() ? DBL_MAX : -DBL_MAX;
        case 3: return rng_.Coin() ? 1e300 : -1e63;
        case 4: return rng_.Coin() ? DBL_MIN / 4 : -1e-300;
        case 5: return -0.0;
        case 6: return rng_.Int32() / 7.0;
        case 7: return static_cast<double>(rng_.Int32()) * 4096.0 + 0.5;
        case 8: return 999999999.995;
        case 9: return rng_.Between(-100000, 100000) / 1000.0;
        default: return rng_.Between(-99, 99);
        }
    };
    switch (rng_.Below(6)) {
    case 0: {
        const double v = pick();
        char buf[64];
        std::snprintf(buf, sizeof buf, "QXFloatSetValue %.17g", v);
        what_ = buf;
        const QXBOOL r = QXFloatSetValue(h, v);
        hostSet_ = true;
        if (!undisturbed()) return;
        if (!std::isfinite(v)) Expect(r == 0, "QXFloatSetValue refuses an infinity or NaN");
        if (!r) ExpectText(Text(h), before, "a refused QXFloatSetValue leaves the text");
        break;
    }
    case 1: {
        const double a = pick(), b = pick();
        what_ = "QXFloatSetRange";
        const QXBOOL r = QXFloatSetRange(h, a, b);
        if (!undisturbed()) return;
        Expect(r == 1, "QXFloatSetRange succeeds");
        ExpectText(Text(h), before, "QXFloatSetRange leaves the text");
        break;
    }
    case 2: {
        static const char kSeps[] = ".,., '_x;-1\x7f\x05\xa0\xb7";
        std::string f;
        const int n = rng_.OneIn(8) ? rng_.Below(3) : 3 + (rng_.OneIn(6) ? 1 : 0);
        for (int i = 0; i < n; ++i) f += kSeps[rng_.Below(static_cast<int>(sizeof kSeps) - 1)];
        const bool null = rng_.OneIn(20);
        what_ = "QXFloatSetFormat " + (null ? std::string("null") : Quote(f));
        double valueBefore = 0;
        QXFloatGetValue(h, &valueBefore);
        modelInFlux_ = true;
        const QXBOOL r = QXFloatSetFormat(h, null ? nullptr : f.c_str());
        modelInFlux_ = false;
        hostSet_ = true;
        if (r && same()) model_.decimal = f[1], model_.group = f[2];
        if (!undisturbed()) return;
        const bool bad = null || f.size() < 3 || f[1] == f[2] ||
                         [&] {
                             for (char c : {f[1], f[2]})
                                 if ((c >= '0' && c <= '9') || c == '-' || IsControl(c)) return true;
                             return false;
                         }();
        // Only the separators decide, whatever the text, the mask or the range.
        Expect(r == (bad ? 0 : 1), "QXFloatSetFormat refuses separators it cannot tell apart, and only those");
        if (r) {
            double valueAfter = 0;
            QXFloatGetValue(h, &valueAfter);
            Expect(SameValue(valueBefore, valueAfter), "a format change keeps the value");
        } else {
            ExpectText(Text(h), before, "a refused QXFloatSetFormat leaves the text");
        }
        break;
    }
    case 3: {
        static const char *const kMasks[] = {"", "9999.99", "9.9999999999", "99", ".9", "9,9", "x", nullptr};
        std::string longMask(rng_.Between(60, 130), '9');
        const char *m = rng_.OneIn(6) ? longMask.c_str() : rng_.Pick(kMasks);
        what_ = std::string("QXFloatSetMask ") + (m ? Quote(m) : "null");
        const QXBOOL r = QXFloatSetMask(h, m);
        if (!undisturbed()) return;
        if (!m) Expect(r == 0, "QXFloatSetMask refuses null");
        ExpectText(Text(h), before, "QXFloatSetMask leaves the text");
        break;
    }
    case 4: {
        GuardedOut<double> v;
        what_ = "QXFloatGetValue";
        Expect(QXFloatGetValue(h, &v.value) == 1 && v.GuardsIntact(), "QXFloatGetValue succeeds within its double");
        break;
    }
    default:
        what_ = "QXFloatGetValue null";
        Expect(QXFloatGetValue(h, nullptr) == 0, "QXFloatGetValue refuses a null pointer");
        break;
    }
}

// ---- "QXPicture" (and "QXTime" through the same functions) --------------------------

void Soak::PictureExport() {
    HWND h = control_;
    const bool time = info_.kind == Kind::kTime;
    const std::string before = Text(h);
    const int springs = springs_, made = made_;
    auto undisturbed = [&] { return springs == springs_ && made == made_ && IsWindow(h); };
    // The same control, whatever the parent did meanwhile: what the host set
    // on it holds.
    auto same = [&] { return made == made_ && IsWindow(h); };
    switch (rng_.Below(5)) {
    case 0: {
        std::string m = time && rng_.Coin() ? rng_.Pick(kTimeMasks) : RandomMask();
        const bool null = rng_.OneIn(20);
        what_ = "QXPicSetMask " + (null ? std::string("null") : Quote(m));
        modelInFlux_ = true;
        const QXBOOL r = QXPicSetMask(h, null ? nullptr : m.c_str());
        modelInFlux_ = false;
        hostSet_ = true;
        if (r && same()) model_.hasMask = true, model_.mask = m;
        if (!undisturbed()) return;
        const bool usable = !null && (time ? IsTimeMask(m.c_str()) : UsableMask(m.c_str()));
        Expect(r == (usable ? 1 : 0), time ? "a time edit takes the five time masks, and only those"
                                           : "QXPicSetMask takes a mask of 1 to 63 positions without control characters");
        if (!r) {
            ExpectText(Text(h), before, "a refused mask leaves the text");
            break;
        }
        Expect(AllBlank(Placeholders(m, Text(h))), "a new mask shows its empty layout");
        break;
    }
    case 1: {
        std::string raw = model_.hasMask && !rng_.OneIn(5) ? ValueFor(model_.mask, true) : RandomText(20);
        if (rng_.OneIn(10)) raw = std::string(rng_.Between(60, 90), '7');
        const bool null = rng_.OneIn(20);
        what_ = "QXPicSetValue " + (null ? std::string("null") : Quote(raw));
        const QXBOOL r = QXPicSetValue(h, null ? nullptr : raw.c_str());
        hostSet_ = true;
        if (!undisturbed()) return;
        std::string laid;
        const bool fits = !null && model_.hasMask && LayRaw(model_.mask, raw, 63, false, &laid);
        if (!fits) Expect(r == 0, "QXPicSetValue refuses a value that does not fit the mask");
        if (fits && !time) Expect(r == 1, "QXPicSetValue takes a value that fits the mask");
        if (r) ExpectText(Text(h), laid, "QXPicSetValue lays the value into the mask");
        else ExpectText(Text(h), before, "a refused QXPicSetValue leaves the text");
        break;
    }
    case 2: {
        const int size = SizeAround(static_cast<int>(Placeholders(model_.mask, before).size()));
        Guarded buf(size);
        const bool null = rng_.OneIn(10);
        what_ = "QXPicGetValue size " + std::to_string(size);
        const QXBOOL r = QXPicGetValue(h, null ? nullptr : buf.data(), size);
        const bool ok = !null && size > 0 && model_.hasMask;
        Expect(r == (ok ? 1 : 0), "QXPicGetValue succeeds with a mask and a buffer");
        if (r) {
            bool terminated = false;
            const std::string got = buf.Text(&terminated);
            Expect(terminated && got == Placeholders(model_.mask, Text(h)).substr(0, size - 1),
                   "QXPicGetValue gives the placeholders' characters, cut to the buffer");
        }
        Expect(r ? buf.GuardsIntact() : buf.Untouched(), "QXPicGetValue writes within the buffer, or nothing");
        break;
    }
    case 3: {
        const QXBOOL hide = static_cast<QXBOOL>(rng_.Below(256));
        what_ = "QXPicHideEmptyValues " + std::to_string(hide);
        Expect(QXPicHideEmptyValues(h, hide) == 1, "QXPicHideEmptyValues succeeds");
        InvalidateRect(h, nullptr, TRUE);
        break;
    }
    default: WindowlessExport(); break;
    }
}

// Functions that need no window: the picture text and width, the time mask
// test.
void Soak::WindowlessExport() {
    switch (rng_.Below(3)) {
    case 0: {
        const std::string mask = RandomMask();
        std::string raw = ValueFor(mask, true);
        if (rng_.OneIn(10)) raw += static_cast<char>(rng_.Between(1, 31));
        const int size = rng_.OneIn(5) ? rng_.Between(-3, 3) : SizeAround(static_cast<int>(MaskPositions(mask).size()));
        Guarded out(size);
        const int nulls = rng_.OneIn(8) ? rng_.Between(1, 3) : 0;
        what_ = "QXPicFormatText " + Quote(mask) + ", " + Quote(raw) + ", size " + std::to_string(size);
        const QXBOOL r = QXPicFormatText(nulls == 1 ? nullptr : mask.c_str(), nulls == 2 ? nullptr : raw.c_str(),
                                         nulls == 3 ? nullptr : out.data(), size);
        std::string laid;
        const bool fits = !nulls && size >= 1 && LayRaw(mask, raw, size - 1, true, &laid);
        Expect(r == (fits ? 1 : 0), "QXPicFormatText succeeds when the raw text fits the mask");
        Expect(out.GuardsIntact(), "QXPicFormatText writes within its buffer");
        bool terminated = false;
        const std::string got = out.Text(&terminated);
        if (r) Expect(terminated && got == laid, "QXPicFormatText lays the raw text into the mask");
        if (!r && !nulls && size >= 1) Expect(terminated && got.empty(), "a refused QXPicFormatText leaves an empty text");
        break;
    }
    case 1: {
        const std::string mask = RandomMask();
        const int dcKind = rng_.Below(3);
        what_ = "GetPictCtlWidth " + Quote(mask) + " dc " + std::to_string(dcKind);
        HDC screen = GetDC(nullptr);
        HDC mem = CreateCompatibleDC(screen);
        HDC dc = dcKind == 0 ? screen : dcKind == 1 ? mem : nullptr;
        const UINT w = GetPictCtlWidth(rng_.OneIn(10) ? nullptr : mask.c_str(), dc, static_cast<QXBOOL>(rng_.Below(3)));
        Expect(w < 100000, "GetPictCtlWidth gives a width of this world");
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
        break;
    }
    default: {
        std::string m = rng_.Coin() ? rng_.Pick(kTimeMasks) : RandomMask();
        if (rng_.OneIn(3) && !m.empty()) m.pop_back();
        const bool null = rng_.OneIn(10);
        what_ = "QXTime_IsTimeMask " + Quote(m);
        Expect(QXTime_IsTimeMask(null ? nullptr : m.c_str()) == (!null && IsTimeMask(m.c_str()) ? 1 : 0),
               "QXTime_IsTimeMask knows the five time masks exactly");
        break;
    }
    }
}

// ---- "QXTime" -------------------------------------------------------------------------

void Soak::TimeExport() {
    HWND h = control_;
    const std::string before = Text(h);
    const int springs = springs_, made = made_;
    auto undisturbed = [&] { return springs == springs_ && made == made_ && IsWindow(h); };
    // The same control, whatever the parent did meanwhile: what the host set
    // on it holds.
    auto same = [&] { return made == made_ && IsWindow(h); };
    switch (rng_.Below(8)) {
    case 0: {
        std::string m = rng_.Pick(kTimeMasks);
        if (rng_.OneIn(4)) m = rng_.Coin() ? "99:99 pm" : RandomMask();
        const bool null = rng_.OneIn(20);
        what_ = "QXTime_SetMask " + (null ? std::string("null") : Quote(m));
        modelInFlux_ = true;
        const QXBOOL r = QXTime_SetMask(h, null ? nullptr : m.c_str());
        modelInFlux_ = false;
        hostSet_ = true;
        if (r && same()) model_.mask = m;
        if (!undisturbed()) return;
        const bool ok = !null && IsTimeMask(m.c_str());
        Expect(r == (ok ? 1 : 0), "QXTime_SetMask takes the five time masks, and only those");
        if (r) {
            Expect(AllBlank(Placeholders(m, Text(h))), "a new time mask shows its empty layout");
        } else {
            ExpectText(Text(h), before, "a refused time mask leaves the text");
        }
        break;
    }
    case 1:
    case 2: {
        static const WORD kValues[] = {0, 1, 11, 12, 13, 23, 24, 59, 60, 99, 65535};
        const WORD hour = rng_.Coin() ? rng_.Pick(kValues) : static_cast<WORD>(rng_.Below(24));
        const WORD minute = rng_.Coin() ? rng_.Pick(kValues) : static_cast<WORD>(rng_.Below(60));
        what_ = "QXTime_SetTime " + std::to_string(hour) + ":" + std::to_string(minute);
        const QXBOOL r = QXTime_SetTime(h, hour, minute);
        hostSet_ = true;
        if (!undisturbed()) return;
        Expect(r == (hour <= 23 && minute <= 59 ? 1 : 0), "QXTime_SetTime takes hours 0-23 and minutes 0-59");
        if (!r) {
            ExpectText(Text(h), before, "a refused QXTime_SetTime leaves the text");
            break;
        }
        int hh = -1, mm = -1;
        Expect(ParseTime(model_.mask, Text(h), &hh, &mm) && hh == hour && mm == minute,
               "the text shows the time QXTime_SetTime set");
        break;
    }
    case 3: {
        what_ = "QXTime_Clear";
        const QXBOOL r = QXTime_Clear(h);
        hostSet_ = true;
        if (!undisturbed()) return;
        Expect(r == 1, "QXTime_Clear succeeds");
        GuardedOut<QXBOOL> empty;
        Expect(QXTime_HasEmptyTime(h, &empty.value) == 1 && empty.value == 1, "a cleared time is empty");
        break;
    }
    case 4: {
        GuardedOut<WORD> hour, minute;
        const int form = rng_.Below(3);
        what_ = "QXTime_GetTime form " + std::to_string(form);
        const QXBOOL r = QXTime_GetTime(h, form == 1 ? nullptr : &hour.value, form == 2 ? nullptr : &minute.value);
        if (form) Expect(r == 0 && hour.Untouched() && minute.Untouched(), "QXTime_GetTime needs both pointers");
        break;
    }
    case 5: {
        what_ = "the time's questions with null pointers";
        Expect(QXTime_Is24Hour(h, nullptr) == 0 && QXTime_HasEmptyTime(h, nullptr) == 0 &&
                   QXTime_HasValidTime(h, nullptr) == 0,
               "the time's questions refuse null pointers");
        break;
    }
    default: PictureExport(); break;
    }
}

// ---- "QXCalCntl" ----------------------------------------------------------------------

void Soak::CalExport() {
    HWND h = control_;
    const int springs = springs_, made = made_;
    auto undisturbed = [&] { return springs == springs_ && made == made_ && IsWindow(h); };
    static const int kExtremes[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, 2, 12, 13, 28, 29, 30, 31, 32, 99, 100,
                                    1582, 1900, 2000, 2100, 9999, 10000, INT_MAX - 1, INT_MAX};
    const int v = rng_.Coin() ? rng_.Pick(kExtremes) : rng_.Coin() ? rng_.Int32() : rng_.Between(-5, 40);
    GuardedOut<int> read;
    // Limits move the date the setters give, or refuse a day.
    auto unlimited = [&] { return undisturbed() && !model_.calLimited; };
    switch (rng_.Below(6)) {
    case 0:
        what_ = "QXCalSetYear " + std::to_string(v);
        hostSet_ = true;
        Expect(QXCalSetYear(h, v) == 1, "QXCalSetYear succeeds");
        if (unlimited()) Expect(QXCalGetYear(h, &read.value) == 1 && read.value == v, "QXCalGetYear gives the year set");
        break;
    case 1: {
        what_ = "QXCalSetMonth " + std::to_string(v);
        hostSet_ = true;
        GuardedOut<int> old;
        QXCalGetMonth(h, &old.value);
        const QXBOOL r = QXCalSetMonth(h, v);
        Expect(r == (v >= 1 && v <= 12 ? 1 : 0), "QXCalSetMonth takes the months 1 to 12");
        if (unlimited())
            Expect(QXCalGetMonth(h, &read.value) == 1 && read.value == (r ? v : old.value),
                   "QXCalGetMonth gives the month set, or the one before a refused one");
        break;
    }
    case 2:
        what_ = "QXCalSetDay " + std::to_string(v);
        hostSet_ = true;
        if (model_.calLimited) {
            QXCalSetDay(h, v);
            break;
        }
        Expect(QXCalSetDay(h, v) == 1, "QXCalSetDay succeeds");
        if (undisturbed()) Expect(QXCalGetDay(h, &read.value) == 1 && read.value == v, "QXCalGetDay gives the day set");
        break;
    case 5: {
        // Either limit or both, of dates or not; kept for the events that follow.
        static const int kYears[] = {0, 1, 99, 1601, 2000, 2008, 9999, 30827, 65535};
        SYSTEMTIME limits[2] = {};
        bool has[2], dates = true;
        for (int k = 0; k < 2; ++k) {
            has[k] = rng_.Coin();
            const int year = rng_.Coin() ? rng_.Pick(kYears) : rng_.Between(1990, 2030);
            limits[k] = {WORD(year), WORD(rng_.Between(0, 13)), 0, WORD(rng_.Between(0, 32))};
            dates = dates && (!has[k] || (limits[k].wDay >= 1 && limits[k].wDay <= DaysIn(limits[k].wMonth, year)));
        }
        // Dates compare by year, then month, then day (any int the host set).
        auto key = [](int y, int m, int d) { return std::make_tuple(y, m, d); };
        auto limit = [&](const SYSTEMTIME &t) { return key(t.wYear, t.wMonth, t.wDay); };
        const bool ordered = !(has[0] && has[1]) || limit(limits[0]) <= limit(limits[1]);
        auto text = [&](int k) {
            return has[k] ? std::to_string(limits[k].wYear) + "-" + std::to_string(limits[k].wMonth) + "-" +
                                std::to_string(limits[k].wDay)
                          : std::string("none");
        };
        what_ = "QXCalSetRange " + text(0) + " " + text(1);
        hostSet_ = true;
        const QXBOOL r = QXCalSetRange(h, has[0] ? &limits[0] : nullptr, has[1] ? &limits[1] : nullptr);
        Expect(r == (dates && ordered ? 1 : 0), "QXCalSetRange takes dates, the minimum first");
        if (r) model_.calLimited = has[0] || has[1];
        SYSTEMTIME got[2];
        GuardedOut<int> y, m, d;
        if (!r || !undisturbed()) break;
        Expect(QXCalGetRange(h, &got[0], &got[1]) == 1 && QXCalGetYear(h, &y.value) && QXCalGetMonth(h, &m.value) &&
                   QXCalGetDay(h, &d.value),
               "the calendar's getters answer");
        for (int k = 0; k < 2; ++k)
            Expect(limit(got[k]) == (has[k] ? limit(limits[k]) : key(0, 0, 0)), "QXCalGetRange gives the limits set");
        const auto date = key(y.value, m.value, d.value);
        Expect((!has[0] || date >= limit(limits[0])) && (!has[1] || date <= limit(limits[1])),
               "the date is within the limits set");
        break;
    }
    case 3: {
        what_ = "the calendar's getters with null pointers";
        Expect(QXCalGetYear(h, nullptr) == 0 && QXCalGetMonth(h, nullptr) == 0 && QXCalGetDay(h, nullptr) == 0,
               "the calendar's getters refuse null pointers");
        break;
    }
    default:
        what_ = "the calendar's getters";
        Expect(QXCalGetDay(h, &read.value) == 1 && read.GuardsIntact(), "QXCalGetDay writes one int");
        break;
    }
}

// ---- "QXBmpButton" and "QXBmpButtonXP" --------------------------------------------------

// A bitmap of a random format and size, the transparent colour in its top-left
// corner now and then; the soak's until handed to a button.
HBITMAP Soak::MakeBitmap() {
    static const WORD kBits[] = {1, 4, 8, 16, 24, 32};
    const int w = rng_.OneIn(20) ? rng_.Between(100, 300) : rng_.Between(1, 40);
    const int hgt = rng_.OneIn(20) ? rng_.Between(100, 300) : rng_.Between(1, 40);
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = nullptr;
    if (rng_.OneIn(3)) {
        bmp = CreateCompatibleBitmap(screen, w, hgt);
    } else {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = rng_.Coin() ? hgt : -hgt;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = rng_.Pick(kBits);
        bi.bmiHeader.biCompression = BI_RGB;
        void *bits = nullptr;
        bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    if (bmp) {
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, bmp);
        for (int i = 0; i < 6; ++i)
            SetPixel(dc, rng_.Below(w), rng_.Below(hgt), RGB(rng_.Below(256), rng_.Below(256), rng_.Below(256)));
        if (rng_.Coin()) SetPixel(dc, 0, 0, RGB(192, 192, 192));
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    ReleaseDC(nullptr, screen);
    return bmp;
}

HICON Soak::MakeIcon() {
    static const int kSizes[] = {1, 16, 16, 32, 48};
    const int s = rng_.Pick(kSizes);
    HDC screen = GetDC(nullptr);
    ICONINFO ii = {};
    ii.fIcon = TRUE;
    ii.hbmColor = CreateCompatibleBitmap(screen, s, s);
    ii.hbmMask = CreateBitmap(s, s, 1, 1, nullptr);
    ReleaseDC(nullptr, screen);
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    return icon;
}

void Soak::ButtonExport() {
    HWND h = control_;
    switch (rng_.Below(8)) {
    case 0:
    case 1:
    case 2: {
        // The button takes the bitmap over; the one it held is the soak's
        // again. A dead bitmap is drawn (greyed, too, now and then) and
        // replaced at once: held, its handle could name a new object by the
        // time the button deletes it.
        const int kind = rng_.Below(6);
        HBITMAP b = kind < 3 ? MakeBitmap() : kind == 4 ? held_ : nullptr;
        what_ = "QXBtn_SetBitmap kind " + std::to_string(kind);
        if (kind == 3) {
            HBITMAP dead = MakeBitmap();
            DeleteObject(dead);
            Expect(QXBtn_SetBitmap(h, dead) == 1, "QXBtn_SetBitmap succeeds");
            if (rng_.Coin()) EnableWindow(h, !IsWindowEnabled(h));
            InvalidateRect(h, nullptr, TRUE);
            UpdateWindow(h);
            if (held_ && IsWindow(h)) DeleteObject(held_);
            held_ = nullptr;
        }
        const HBITMAP old = held_;
        const QXBOOL r = QXBtn_SetBitmap(h, b);
        Expect(r == 1, "QXBtn_SetBitmap succeeds");
        if (r && IsWindow(h)) {
            held_ = b;
            if (old && old != b) DeleteObject(old);
        } else if (b && kind < 3) {
            DeleteObject(b);
        }
        break;
    }
    case 3:
    case 4:
    case 5: {
        // The icon stays the soak's.
        const int kind = rng_.Below(6);
        HICON icon = nullptr;
        if (kind < 2) {
            icon = MakeIcon();
            if (icon) icons_.push_back(icon);
        } else if (kind == 2) {
            icon = LoadIcon(nullptr, rng_.Coin() ? IDI_APPLICATION : IDI_WARNING);
        } else if (kind == 3) {
            icon = MakeIcon();
            DestroyIcon(icon);  // a dead icon
        }
        what_ = "QXBtn_SetIcon kind " + std::to_string(kind);
        Expect(QXBtn_SetIcon(h, icon) == 1, "QXBtn_SetIcon succeeds");
        shownIcon_ = icon;
        break;
    }
    case 6: {
        // The icon the button shows dies under it.
        what_ = "the shown icon destroyed";
        for (size_t i = 0; i < icons_.size(); ++i)
            if (icons_[i] == shownIcon_) {
                DestroyIcon(icons_[i]);
                icons_.erase(icons_.begin() + static_cast<long>(i));
                InvalidateRect(h, nullptr, FALSE);
                break;
            }
        break;
    }
    default: {
        // The soak's icons that no button shows go.
        what_ = "unused icons destroyed";
        for (size_t i = icons_.size(); i-- > 0;)
            if (icons_[i] != shownIcon_) {
                DestroyIcon(icons_[i]);
                icons_.erase(icons_.begin() + static_cast<long>(i));
            }
        break;
    }
    }
}

// ---- Any export on the wrong window ------------------------------------------------------

// An export of another class on the control, or any export on a window that
// is no control of the library: it fails and writes nothing.
void Soak::ForeignExport() {
    HWND target = control_;
    const int which = rng_.Below(5);
    if (which == 1) target = nullptr;
    if (which == 2) target = parent_;
    if (which == 3) target = other_;
    const Kind k = info_.kind;
    const bool wrongWindow = which >= 1 && which <= 3;
    GuardedOut<long> l;
    GuardedOut<double> d;
    GuardedOut<WORD> w1, w2;
    GuardedOut<int> i;
    GuardedOut<BOOL> b;
    GuardedOut<QXBOOL> q;
    Guarded buf(16);
    struct Call {
        const char *name;
        bool serves;  // the control's class is one this export serves
        std::function<QXBOOL()> call;
    };
    const bool pict = k == Kind::kPicture || k == Kind::kTime;
    const Call calls[] = {
        {"QXIntSetValue", k == Kind::kInt, [&] { return QXIntSetValue(target, 5); }},
        {"QXIntGetValue", k == Kind::kInt, [&] { return QXIntGetValue(target, &l.value); }},
        {"QXIntSetRange", k == Kind::kInt, [&] { return QXIntSetRange(target, 0, 10); }},
        {"QXIntSetMask", k == Kind::kInt, [&] { return QXIntSetMask(target, "99"); }},
        {"QXIntGetMask", k == Kind::kInt, [&] { return QXIntGetMask(target, buf.data(), buf.size()); }},
        {"QXFloatSetValue", k == Kind::kFloat, [&] { return QXFloatSetValue(target, 1.5); }},
        {"QXFloatGetValue", k == Kind::kFloat, [&] { return QXFloatGetValue(target, &d.value); }},
        {"QXFloatSetRange", k == Kind::kFloat, [&] { return QXFloatSetRange(target, 0, 1); }},
        {"QXFloatSetFormat", k == Kind::kFloat, [&] { return QXFloatSetFormat(target, " .,"); }},
        {"QXFloatSetLocaleFormat", k == Kind::kFloat, [&] { return QXFloatSetLocaleFormat(target); }},
        {"QXFloatSetMask", k == Kind::kFloat, [&] { return QXFloatSetMask(target, "99.9"); }},
        {"QXPicSetMask", pict, [&] { return QXPicSetMask(target, "999"); }},
        {"QXPicSetValue", pict, [&] { return QXPicSetValue(target, "1"); }},
        {"QXPicGetValue", pict, [&] { return QXPicGetValue(target, buf.data(), buf.size()); }},
        {"QXPicHideEmptyValues", pict, [&] { return QXPicHideEmptyValues(target, 1); }},
        {"QXTime_Clear", k == Kind::kTime, [&] { return QXTime_Clear(target); }},
        {"QXTime_Is24Hour", k == Kind::kTime, [&] { return QXTime_Is24Hour(target, &b.value); }},
        {"QXTime_SetMask", k == Kind::kTime, [&] { return QXTime_SetMask(target, "99:99"); }},
        {"QXTime_HasEmptyTime", k == Kind::kTime, [&] { return QXTime_HasEmptyTime(target, &q.value); }},
        {"QXTime_HasValidTime", k == Kind::kTime, [&] { return QXTime_HasValidTime(target, &b.value); }},
        {"QXTime_GetTime", k == Kind::kTime, [&] { return QXTime_GetTime(target, &w1.value, &w2.value); }},
        {"QXTime_SetTime", k == Kind::kTime, [&] { return QXTime_SetTime(target, 1, 2); }},
        {"QXCalGetYear", k == Kind::kCal, [&] { return QXCalGetYear(target, &i.value); }},
        {"QXCalGetMonth", k == Kind::kCal, [&] { return QXCalGetMonth(target, &i.value); }},
        {"QXCalGetDay", k == Kind::kCal, [&] { return QXCalGetDay(target, &i.value); }},
        {"QXCalSetYear", k == Kind::kCal, [&] { return QXCalSetYear(target, 2000); }},
        {"QXCalSetMonth", k == Kind::kCal, [&] { return QXCalSetMonth(target, 5); }},
        {"QXCalSetDay", k == Kind::kCal, [&] { return QXCalSetDay(target, 5); }},
        {"QXCalSetRange", k == Kind::kCal, [&] { return QXCalSetRange(target, nullptr, nullptr); }},
        {"QXCalGetRange", k == Kind::kCal, [&] { return QXCalGetRange(target, nullptr, nullptr); }},
        {"QXBtn_SetIcon", k == Kind::kButton, [&] { return QXBtn_SetIcon(target, nullptr); }},
        {"QXBtn_SetBitmap", k == Kind::kButton, [&] { return QXBtn_SetBitmap(target, nullptr); }},
    };
    const int n = static_cast<int>(sizeof calls / sizeof calls[0]);
    // On the control itself, only an export of another class.
    int pickIndex = rng_.Below(n);
    for (int tries = 0; !wrongWindow && which != 4 && calls[pickIndex].serves && tries < n; ++tries)
        pickIndex = (pickIndex + 1) % n;
    const Call &c = calls[pickIndex];
    HWND dead = nullptr;
    if (which == 4) {
        dead = CreateWindowExA(0, info_.name, "", WS_CHILD, 0, 0, 10, 10, parent_, nullptr, GetModuleHandleA(nullptr),
                               nullptr);
        DestroyWindow(dead);
        target = dead;
    }
    what_ = std::string(c.name) + " on " + (which == 0 ? "the control" : which == 1 ? "null" : which == 2 ? "the parent"
                                                                        : which == 3 ? "a system edit"
                                                                                     : "a destroyed control");
    if (which == 0 && c.serves) return;  // every export serves this class
    const QXBOOL r = c.call();
    Expect(r == 0, "an export fails on a window that is not a control of its class");
    Expect(l.Untouched() && d.Untouched() && w1.Untouched() && w2.Untouched() && i.Untouched() && b.Untouched() &&
               q.Untouched() && buf.Untouched(),
           "a failing export writes nothing");
}

}  // namespace qxs
