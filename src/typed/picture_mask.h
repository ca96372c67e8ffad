// Picture masks: a mask is read position by position; a position is a
// placeholder for one character of a class, or a literal that shows itself.
//
//   9        a digit                 A a   a letter
//   H h      a hex digit             L l   a lower-case letter (converted)
//   N n      a digit or a letter     U u   an upper-case letter (converted)
//   X x      any character           /c    c as a literal, for c a
//                                          placeholder character or '/'
//
// Every other character is a literal. Letter and digit classes are ASCII.
#pragma once

namespace qx {

// The position starting at p: returns the position's character (the second
// byte of an escape pair) and whether it is a literal. A walk ends at the
// position whose character is the terminating zero.
const char *MaskFirst(const char *p, bool *literal);
// The position after the one MaskFirst or MaskNext returned.
const char *MaskNext(const char *p, bool *literal);

bool IsMaskPlaceholder(char m);
// Whether c fits the position (m, literal).
bool MaskCharMatches(char c, char m, bool literal);
// Case conversion of U/u and L/l placeholders, in place.
void MaskApplyCase(char *c, char m, bool literal);

// Number of positions of a mask (an escape pair counts once).
int MaskPositionCount(const char *mask);

// Lays raw characters into a mask; see QXPicFormatText.
bool FormatPictureText(const char *mask, const char *raw, char *out, int size);

}  // namespace qx
