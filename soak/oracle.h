// What the soak expects of a control's text, written from the rules the
// controls' manual gives, independently of the library's code. Each *Fault
// function returns why a text breaks its class's rule, or "" when it keeps it.
#pragma once
#include <string>
#include <vector>

namespace qxs {

// A picture mask's positions: a placeholder (9 A a H h L l N n U u X x) or a
// literal; '/' before '/' or a placeholder character makes that one literal.
struct MaskPos {
    char ch;
    bool literal;
};
std::vector<MaskPos> MaskPositions(const std::string &mask);
bool UsableMask(const char *mask);  // 1 to 63 positions, no control character
bool IsTimeMask(const char *mask);  // one of the five, exactly
// Raw characters laid into a mask as QXPicFormatText lays them, at most limit
// positions; false when one fits neither its placeholder nor is a space
// (anyAtX: an X takes a control character too).
bool LayRaw(const std::string &mask, const std::string &raw, int limit, bool anyAtX, std::string *out);
// A text laid over a mask as WM_SETTEXT lays it, position by position.
std::string LayText(const std::string &mask, const std::string &text);
// A laid text: one byte a position, literals in place, placeholders blank or
// holding what they take.
std::string PictureFault(const std::string &mask, const std::string &text);
std::string Placeholders(const std::string &mask, const std::string &text);  // their characters

// Under a time mask: the hours at most 23 (12 on a 12-hour clock), the
// minutes at most 59, the letter a or p in the mask's case.
std::string TimeFault(const std::string &mask, const std::string &text);
// The time held (hour of the 24-hour clock): both fields filled, on a 12-hour
// clock an hour of 1 to 12 and the letter.
bool ParseTime(const std::string &mask, const std::string &text, int *hour, int *minute);

std::string IntFault(const std::string &text);        // an optional '-', digits, no leading zero
bool ParseInt(const std::string &text, long *value);  // false outside 32 bits; "" and "-" read 0

// An optional '-', the integer digits grouped by three from the decimal
// separator leftwards without a leading zero, the fraction's digits; at
// least one digit unless the text is empty.
std::string FloatFault(const std::string &text, char decimal, char group);
double ReadFloat(const std::string &text, char decimal, char group);  // 0 without a number
bool SameValue(double a, double b);                                   // equal but for the last bit's rounding

bool IsControl(char c);                      // below 0x20, or 0x7F
std::string Quote(const std::string &text);  // as C source: "12\x01"

}  // namespace qxs
