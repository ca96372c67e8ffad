#include "oracle.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qxs {
namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }
bool Upper(char c) { return c >= 'A' && c <= 'Z'; }
bool Lower(char c) { return c >= 'a' && c <= 'z'; }
bool Letter(char c) { return Upper(c) || Lower(c); }
bool Hex(char c) { return Digit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

bool Placeholder(char m) {
    switch (m) {
    case '9': case 'A': case 'a': case 'H': case 'h': case 'L': case 'l':
    case 'N': case 'n': case 'U': case 'u': case 'X': case 'x':
        return true;
    default:
        return false;
    }
}

std::string Printf(const char *format, int a, int b = 0) {
    char buf[128];
    std::snprintf(buf, sizeof buf, format, a, b);
    return buf;
}

// A two-position field from at: one leading blank skipped, then the digits
// up to the field's end; false without a digit there.
bool FieldValue(const std::string &text, size_t at, int *value) {
    size_t i = at;
    const size_t end = at + 2 < text.size() ? at + 2 : text.size();
    if (i < end && text[i] == ' ') ++i;
    int v = 0, digits = 0;
    for (; i < end && Digit(text[i]); ++i, ++digits) v = v * 10 + (text[i] - '0');
    *value = v;
    return digits > 0;
}

bool FieldFilled(const std::string &text, size_t at) {
    for (size_t i = at; i < at + 2 && i < text.size(); ++i)
        if (text[i] != ' ') return true;
    return false;
}

bool FieldHasDigit(const std::string &text, size_t at) {
    for (size_t i = at; i < at + 2 && i < text.size(); ++i)
        if (Digit(text[i])) return true;
    return false;
}

bool Twelve(const std::string &mask) { return mask != "99:99"; }
char LetterCase(const std::string &mask) { return mask.find('A') != std::string::npos ? 'A' : 'a'; }
constexpr size_t kLetterAt = 6;

}  // namespace

bool IsControl(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

std::string Quote(const std::string &text) {
    std::string out = "\"";
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7F || c == '"' || c == '\\') {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", u);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::vector<MaskPos> MaskPositions(const std::string &mask) {
    std::vector<MaskPos> out;
    for (size_t i = 0; i < mask.size(); ++i) {
        const char m = mask[i];
        if (Placeholder(m)) {
            out.push_back({m, false});
        } else if (m == '/' && i + 1 < mask.size() && (mask[i + 1] == '/' || Placeholder(mask[i + 1]))) {
            out.push_back({mask[++i], true});
        } else {
            out.push_back({m, true});
        }
    }
    return out;
}

bool UsableMask(const char *mask) {
    if (!mask) return false;
    for (const char *p = mask; *p; ++p)
        if (IsControl(*p)) return false;
    const size_t n = MaskPositions(mask).size();
    return n >= 1 && n <= 63;
}

bool IsTimeMask(const char *mask) {
    static const char *const kMasks[] = {"99:99", "99:99 am", "99:99 AM", "99:99 a.m.", "99:99 A.M."};
    if (!mask) return false;
    for (const char *m : kMasks)
        if (std::string(mask) == m) return true;
    return false;
}

bool FitsPlaceholder(char c, char m) {
    switch (m) {
    case '9': return Digit(c);
    case 'A': case 'a': return Letter(c);
    case 'H': case 'h': return Hex(c);
    case 'L': case 'l': return Lower(c);
    case 'N': case 'n': return Digit(c) || Letter(c);
    case 'U': case 'u': return Upper(c);
    case 'X': case 'x': return !IsControl(c);
    default: return false;
    }
}

bool LayRaw(const std::string &mask, const std::string &raw, int limit, bool anyAtX, std::string *out) {
    out->clear();
    size_t r = 0;
    for (const MaskPos &p : MaskPositions(mask)) {
        if (static_cast<int>(out->size()) >= limit) break;
        if (p.literal) {
            *out += p.ch;
            if (r < raw.size() && raw[r] == p.ch) ++r;
            continue;
        }
        if (r >= raw.size()) {
            *out += ' ';
            continue;
        }
        char c = raw[r++];
        if ((p.ch == 'U' || p.ch == 'u') && Lower(c)) c = static_cast<char>(c - 'a' + 'A');
        if ((p.ch == 'L' || p.ch == 'l') && Upper(c)) c = static_cast<char>(c - 'A' + 'a');
        if (c != ' ' && !FitsPlaceholder(c, p.ch) && !(anyAtX && (p.ch == 'X' || p.ch == 'x'))) return false;
        *out += c;
    }
    return true;
}

std::string LayText(const std::string &mask, const std::string &text) {
    std::string out;
    const std::vector<MaskPos> pos = MaskPositions(mask);
    for (size_t i = 0; i < pos.size() && out.size() < 63; ++i) {
        const MaskPos &p = pos[i];
        const char empty = p.literal ? p.ch : ' ';
        if (i >= text.size()) {
            out += empty;
            continue;
        }
        char c = text[i];
        if ((p.ch == 'U' || p.ch == 'u') && !p.literal && Lower(c)) c = static_cast<char>(c - 'a' + 'A');
        if ((p.ch == 'L' || p.ch == 'l') && !p.literal && Upper(c)) c = static_cast<char>(c - 'A' + 'a');
        out += (p.literal ? c == p.ch : FitsPlaceholder(c, p.ch)) ? c : empty;
    }
    return out;
}

std::string PictureFault(const std::string &mask, const std::string &text) {
    const std::vector<MaskPos> pos = MaskPositions(mask);
    if (text.size() != pos.size())
        return Printf("%d characters over a mask of %d positions", static_cast<int>(text.size()),
                      static_cast<int>(pos.size()));
    for (size_t i = 0; i < pos.size(); ++i) {
        const char c = text[i];
        if (pos[i].literal) {
            if (c != pos[i].ch) return Printf("the literal at %d is not in its place", static_cast<int>(i));
        } else if (c != ' ' && !FitsPlaceholder(c, pos[i].ch)) {
            return Printf("position %d holds a character its placeholder does not take", static_cast<int>(i));
        }
    }
    return {};
}

std::string Placeholders(const std::string &mask, const std::string &text) {
    const std::vector<MaskPos> pos = MaskPositions(mask);
    std::string out;
    for (size_t i = 0; i < pos.size() && i < text.size(); ++i)
        if (!pos[i].literal) out += text[i];
    return out;
}

std::string TimeFault(const std::string &mask, const std::string &text) {
    int value;
    const int maxHour = Twelve(mask) ? 12 : 23;
    if (FieldFilled(text, 0) && (!FieldValue(text, 0, &value) || value > maxHour))
        return Printf("an hour field above %d", maxHour);
    if (FieldFilled(text, 3) && (!FieldValue(text, 3, &value) || value > 59)) return "a minute field above 59";
    if (Twelve(mask) && text.size() > kLetterAt) {
        const char c = text[kLetterAt], upper = LetterCase(mask) == 'A';
        if (c != ' ' && c != (upper ? 'A' : 'a') && c != (upper ? 'P' : 'p')) return "an am/pm letter of neither kind";
    }
    return {};
}

bool ParseTime(const std::string &mask, const std::string &text, int *hour, int *minute) {
    int h, m;
    if (!FieldHasDigit(text, 0) || !FieldHasDigit(text, 3)) return false;
    if (!FieldValue(text, 0, &h) || !FieldValue(text, 3, &m) || m > 59) return false;
    if (!Twelve(mask)) {
        if (h > 23) return false;
    } else {
        const char c = text.size() > kLetterAt ? text[kLetterAt] : ' ', upper = LetterCase(mask) == 'A';
        const bool am = c == (upper ? 'A' : 'a'), pm = c == (upper ? 'P' : 'p');
        if ((!am && !pm) || h < 1 || h > 12) return false;
        if (am && h == 12) h = 0;
        if (pm && h != 12) h += 12;
    }
    *hour = h;
    *minute = m;
    return true;
}

std::string IntFault(const std::string &text) {
    size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    for (size_t k = i; k < text.size(); ++k)
        if (!Digit(text[k])) return "a character other than a digit after the sign";
    if (text.size() > 1 && text[0] == '0') return "a leading zero";
    return {};
}

bool ParseInt(const std::string &text, long *value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && Digit(text[i]); ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > 2147483648LL) return false;
    }
    if (negative) v = -v;
    if (v > 2147483647LL) return false;
    *value = static_cast<long>(v);
    return true;
}

std::string FloatFault(const std::string &text, char decimal, char group) {
    if (text.empty()) return {};
    size_t i = text[0] == '-' ? 1 : 0;
    const size_t point = text.find(decimal, i);
    const std::string whole = text.substr(i, point == std::string::npos ? std::string::npos : point - i);
    const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    int digits = 0;
    // The integer part from the right: three digits, a separator, ...
    int run = 0;
    for (size_t k = whole.size(); k-- > 0;) {
        const char c = whole[k];
        if (Digit(c)) {
            if (++run > 3) return "integer digits not grouped by three";
            ++digits;
        } else if (c == group) {
            if (run != 3 || k == 0) return "a group separator out of place";
            run = 0;
        } else {
            return "a character other than a digit or separator in the integer part";
        }
    }
    if (whole.size() > 1 && whole[0] == '0') return "a leading zero";
    for (char c : fraction) {
        if (!Digit(c)) return "a character other than a digit in the fraction";
        ++digits;
    }
    if (digits == 0) return "a number without digits";
    return {};
}

double ReadFloat(const std::string &text, char decimal, char group) {
    std::string plain;
    for (char c : text)
        if (c != group) plain += c;
    std::string number;
    size_t i = 0;
    if (i < plain.size() && plain[i] == '-') number += plain[i++];
    int digits = 0;
    for (; i < plain.size() && Digit(plain[i]); ++i, ++digits) number += plain[i];
    if (i < plain.size() && plain[i] == decimal) {
        number += '.';
        for (++i; i < plain.size() && Digit(plain[i]); ++i, ++digits) number += plain[i];
    }
    return digits ? std::strtod(number.c_str(), nullptr) : 0.0;
}

bool SameValue(double a, double b) {
    if (a == b) return true;
    return std::fabs(a - b) <= 4e-16 * std::fmax(std::fabs(a), std::fabs(b));
}

}  // namespace qxs
