// What the soak expects of a control's text, from the manual's rules; a *Fault says why a text breaks them.
#pragma once
#include <string>
#include <vector>

namespace qxs {

struct MaskPos { char ch; bool literal; };  // a placeholder (9 A a H h L l N n U u X x) or a literal
std::vector<MaskPos> MaskPositions(const std::string &mask);  // '/' before '/' or a placeholder: a literal
bool UsableMask(const char *mask);                            // 1 to 63 positions, no control character
bool IsTimeMask(const char *mask);                            // one of the five, exactly
// Raw characters laid as QXPicSetValue does, within 63; false when one does not fit.
bool LayRaw(const std::string &mask, const std::string &raw, std::string *out);
std::string PictureFault(const std::string &mask, const std::string &text);
std::string Placeholders(const std::string &mask, const std::string &text);  // their characters
// The time held (of the 24-hour clock), or false; TimeFault: a field past its limit, a wrong letter.
std::string TimeFault(const std::string &mask, const std::string &text);
bool ParseTime(const std::string &mask, const std::string &text, int *hour, int *minute);
std::string IntFault(const std::string &text);        // an optional '-', digits, no leading zero
bool ParseInt(const std::string &text, long *value);  // false outside 32 bits; "" and "-" read 0
std::string FloatFault(const std::string &text, char decimal, char group);
double ReadFloat(const std::string &text, char decimal, char group);  // 0 without a number
bool SameValue(double a, double b);                                   // equal but for the last bit
bool IsControl(char c);
std::string Quote(const std::string &text);  // as C source: "12\x01"

}  // namespace qxs
