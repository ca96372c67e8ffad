#include "soak.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qxs {
namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }
bool Upper(char c) { return c >= 'A' && c <= 'Z'; }
bool Lower(char c) { return c >= 'a' && c <= 'z'; }

// What a placeholder takes (ASCII letters and digits only).
bool Takes(char p, char c) {
    switch (p | 0x20) {
    case '9' | 0x20: return Digit(c);
    case 'a': return Upper(c) || Lower(c);
    case 'h': return Digit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
    case 'l': return Lower(c);
    case 'n': return Digit(c) || Upper(c) || Lower(c);
    case 'u': return Upper(c);
    default: return !IsControl(c);  // X, x
    }
}

// A time field of two positions as a number, blanks skipped; -1 without a digit.
int Field(const std::string &text, size_t at) {
    int value = -1;
    for (size_t i = at; i < at + 2 && i < text.size(); ++i)
        if (Digit(text[i])) value = (value < 0 ? 0 : value * 10) + (text[i] - '0');
    return value;
}

}  // namespace

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

std::string Quote(const std::string &text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        char buf[8];
        std::snprintf(buf, sizeof buf, c < 0x20 || c >= 0x7F || c == '"' || c == '\\' ? "\\x%02X" : "%c", c);
        out += buf;
    }
    return out + "\"";
}

std::vector<MaskPos> MaskPositions(const std::string &mask) {
    auto placeholder = [](char c) { return c && std::strchr("9AaHhLlNnUuXx", c); };
    std::vector<MaskPos> out;
    for (size_t i = 0; i < mask.size(); ++i) {
        const bool escape = mask[i] == '/' && i + 1 < mask.size() && (mask[i + 1] == '/' || placeholder(mask[i + 1]));
        i += escape;
        out.push_back({mask[i], escape || !placeholder(mask[i])});
    }
    return out;
}

bool UsableMask(const char *mask) {
    const size_t n = mask ? MaskPositions(mask).size() : 0;
    return n >= 1 && n <= 63 && std::none_of(mask, mask + std::strlen(mask), IsControl);
}

bool IsTimeMask(const char *mask) {
    for (const char *m : kTimeMasks)
        if (mask && std::strcmp(mask, m) == 0) return true;
    return false;
}

// A literal takes a raw character equal to it; a placeholder the next, in U or L's case, when it fits or is blank.
bool LayRaw(const std::string &mask, const std::string &raw, std::string *out) {
    out->clear();
    size_t r = 0;
    for (const MaskPos &p : MaskPositions(mask)) {
        if (out->size() >= 63) break;
        const char k = r < raw.size() ? raw[r] : ' ', c = (p.ch | 0x20) == 'u' && Lower(k)   ? char(k - 32)
                                                        : (p.ch | 0x20) == 'l' && Upper(k) ? char(k + 32) : k;
        if (p.literal) r += r < raw.size() && raw[r] == p.ch;
        else if (r++ < raw.size() && c != ' ' && !Takes(p.ch, c)) return false;
        *out += p.literal ? p.ch : c;
    }
    return true;
}

std::string PictureFault(const std::string &mask, const std::string &text) {
    const std::vector<MaskPos> pos = MaskPositions(mask);
    if (text.size() != pos.size())
        return std::to_string(text.size()) + " characters over " + std::to_string(pos.size()) + " positions";
    for (size_t i = 0; i < pos.size(); ++i)
        if (pos[i].literal ? text[i] != pos[i].ch : text[i] != ' ' && !Takes(pos[i].ch, text[i]))
            return "position " + std::to_string(i) + " holds what it does not take";
    return {};
}

std::string Placeholders(const std::string &mask, const std::string &text) {
    const std::vector<MaskPos> pos = MaskPositions(mask);
    std::string out;
    for (size_t i = 0; i < pos.size() && i < text.size(); ++i)
        if (!pos[i].literal) out += text[i];
    return out;
}

// The hours are positions 0-1, the minutes 3-4, a 12-hour mask's letter 6.
std::string TimeFault(const std::string &mask, const std::string &text) {
    const bool twelve = mask != "99:99", upper = mask.find('A') != std::string::npos;
    const char c = text.size() > 6 ? text[6] : ' ';
    if (Field(text, 0) > (twelve ? 12 : 23)) return "an hour field above " + std::to_string(twelve ? 12 : 23);
    if (Field(text, 3) > 59) return "a minute field above 59";
    const bool letter = c == ' ' || c == (upper ? 'A' : 'a') || c == (upper ? 'P' : 'p');
    return twelve && !letter ? "an am/pm letter of neither kind" : "";
}

bool ParseTime(const std::string &mask, const std::string &text, int *hour, int *minute) {
    const bool twelve = mask != "99:99", upper = mask.find('A') != std::string::npos;
    const int h = Field(text, 0), m = Field(text, 3);
    const char c = text.size() > 6 ? text[6] : ' ';
    const bool am = c == (upper ? 'A' : 'a'), pm = c == (upper ? 'P' : 'p');
    if (h < 0 || m < 0 || m > 59 || (twelve ? !(am || pm) || h < 1 || h > 12 : h > 23)) return false;
    *hour = twelve ? h % 12 + (pm ? 12 : 0) : h;  // 12 am is midnight, 12 pm noon
    *minute = m;
    return true;
}

std::string IntFault(const std::string &text) {
    for (size_t k = !text.empty() && text[0] == '-'; k < text.size(); ++k)
        if (!Digit(text[k])) return "a character other than a digit after the sign";
    return text.size() > 1 && text[0] == '0' ? "a leading zero" : "";
}

bool ParseInt(const std::string &text, long *value) {
    const bool negative = !text.empty() && text[0] == '-';
    long long v = 0;
    for (size_t i = negative; i < text.size() && Digit(text[i]) && v <= 2147483648LL; ++i) v = v * 10 + (text[i] - '0');
    if (v > 2147483647LL + negative) return false;
    *value = static_cast<long>(negative ? -v : v);
    return true;
}

// An optional '-', digits grouped by three from the decimal separator leftwards, no leading zero.
std::string FloatFault(const std::string &text, char decimal, char group) {
    if (text.empty()) return {};
    const size_t start = text[0] == '-', point = text.find(decimal, start);
    const std::string whole = text.substr(start, point == std::string::npos ? std::string::npos : point - start);
    const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    int digits = 0, run = 0;  // from the right: three digits, a separator, ...
    for (size_t k = whole.size(); k-- > 0; ++digits, ++run) {
        if (whole[k] == group && (run != 3 || k == 0)) return "a group separator out of place";
        if (whole[k] == group) run = -1, --digits;
        else if (!Digit(whole[k])) return "a character other than a digit or separator in the integer part";
        else if (run > 2) return "integer digits not grouped by three";
    }
    if (whole.size() > 1 && whole[0] == '0') return "a leading zero";
    for (char c : fraction)
        if (!Digit(c)) return "a character other than a digit in the fraction";
    return digits + fraction.size() ? "" : "a number without digits";
}

double ReadFloat(const std::string &text, char decimal, char group) {
    std::string number;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (Digit(c) || (c == '-' && i == 0)) number += c;
        else if (c == decimal && number.find('.') == std::string::npos) number += '.';
        else if (c != group) break;
    }
    return number.find_first_of("0123456789") != std::string::npos ? std::strtod(number.c_str(), nullptr) : 0.0;
}

bool SameValue(double a, double b) {
    return a == b || std::fabs(a - b) <= 4e-16 * std::fmax(std::fabs(a), std::fabs(b));
}

}  // namespace qxs
