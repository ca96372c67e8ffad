// What the soak expects of a control's text, written from the rules the
// controls document, independently of the library's code: the layout of a
// picture mask, the shape of each typed edit's text, and the value the text
// holds. Each *Fault function returns why a text breaks its rule, or an
// empty string when it keeps it.
#pragma once
#include <string>
#include <vector>

namespace qxs {

// One position of a picture mask: the character it shows (a literal) or the
// placeholder that says what it takes.
struct MaskPos {
    char ch;
    bool literal;
};

// The positions of a mask in a single-byte code page: '/' before a
// placeholder character or before '/' makes that character a literal.
std::vector<MaskPos> MaskPositions(const std::string &mask);
// A mask a picture edit takes: 1 to 63 positions, no control character.
bool UsableMask(const char *mask);
// One of the five time masks, exactly.
bool IsTimeMask(const char *mask);
// Whether c may stand at a placeholder (case conversion already applied).
bool FitsPlaceholder(char c, char placeholder);

// Raw characters laid into a mask, at most limit positions: each literal
// shows itself (and takes the raw character when it is that literal), each
// placeholder takes the next raw character, case-converted for U/u and L/l,
// a space or one it takes; once the raw text ends, placeholders are blank.
// False when a raw character does not fit its placeholder; anyAtX lets an X
// placeholder take a control character too.
bool LayRaw(const std::string &mask, const std::string &raw, int limit, bool anyAtX, std::string *out);

// A text laid over a mask as the host's WM_SETTEXT lays it: position by
// position, each character (case-converted for U/u and L/l) kept where it
// fits, the position's literal or a blank where it does not, literals and
// blanks after the text's end.
std::string LayText(const std::string &mask, const std::string &text);

// A text laid over a picture mask: one byte per position, each literal in
// its place, each placeholder blank or holding a character it takes.
std::string PictureFault(const std::string &mask, const std::string &text);
// The characters of the placeholder positions, blanks as spaces.
std::string Placeholders(const std::string &mask, const std::string &text);

// Under one of the five time masks: the hour and minute fields in range when
// filled, the am/pm letter one of the mask's case.
std::string TimeFault(const std::string &mask, const std::string &text);
// The time a text holds (hour of the 24-hour clock): both fields need a
// digit, a 12-hour mask its letter in the mask's case.
bool ParseTime(const std::string &mask, const std::string &text, int *hour, int *minute);

// An integer text: an optional '-', then digits without a leading zero.
std::string IntFault(const std::string &text);
// The value as the standard conversion reads it; false outside 32 bits.
bool ParseInt(const std::string &text, long *value);

// A number text in the given separators: an optional '-', the integer digits
// grouped by three from the decimal separator leftwards, no leading zero, the
// fraction's digits; at least one digit unless the text is empty.
std::string FloatFault(const std::string &text, char decimal, char group);
// The value of the number at the start of the text, group separators
// skipped; 0 without one.
double ReadFloat(const std::string &text, char decimal, char group);
// Whether two values read from the same digits agree (a conversion may round
// the last bit either way).
bool SameValue(double a, double b);

// A control character: below 0x20, or 0x7F.
bool IsControl(char c);
// A text as C source, for messages: "12\x01" with its bytes escaped.
std::string Quote(const std::string &text);

}  // namespace qxs
