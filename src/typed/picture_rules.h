// The rules of a text laid over a picture mask, on plain data. The text holds
// one byte per mask position: literal positions hold their literal,
// placeholder positions an accepted character or a space (an empty position).
//
// A position is one byte, so a double-byte character never fits one: a lead
// byte of the ANSI code page is refused at every placeholder (typed, pasted,
// laid over the mask or checked). A double-byte literal of the mask shows its
// first byte, as the mask language lays it out. No control character reaches
// these rules from an edit (see edit_ctl.h), and a mask holding one is not
// usable.
//
// Texts are (text, len) pairs, not zero-terminated; every walk stops at the
// end of the text or of the mask, whichever comes first.
#pragma once

#include "common/text_line.h"
#include "edit/edit_change.h"

namespace qx {

// The most positions a picture text can hold (the edit's capacity).
constexpr int kPictureMaxPositions = TextLine::kCapacity;

// Whether a mask can be used by a picture edit: at least one position, no
// more than the text can hold, and no control character.
bool PictureMaskUsable(const char *mask);

// The empty layout of a mask (literals, and spaces at placeholders), at most
// size - 1 bytes, zero-terminated. Returns its length.
int PictureEmptyLayout(const char *mask, char *out, int size);

// Lays a zero-terminated text over a mask position by position (the text is
// stepped a character at a time): U/u and L/l convert case, a character that
// fits its position is kept, any other gives the position's literal or a
// space. Positions after the end of the text get literals and spaces. At most
// size - 1 bytes, zero-terminated; returns the length.
int PictureLayText(const char *mask, const char *text, char *out, int size);

// Overtypes str at position pos of a line laid over the mask: literal
// positions are skipped unless the character is that literal; each character
// must fit its placeholder (else why not: PictureMisfit). On success the
// text is changed and the caret (with no selection) goes after the last
// position written; on failure the line is unchanged. A position at or past
// the end, or a str that does not fit before the end, is kNoRoom.
Refusal PictureOvertype(const char *mask, TextLine &line, const char *str, int pos);

// Why a character does not fit a placeholder: the digit-only one takes a
// digit, the letter ones a letter; any other refuses it as not taken.
Refusal PictureMisfit(char placeholder);

// Blanks the placeholder positions among count positions from pos; literals
// stay and the length does not change.
void PictureBlank(const char *mask, char *text, int len, int pos, int count);

// Where the caret goes after positions were blanked, given why, lo (the
// lower end of the selection) and the text length: Delete moves right of lo
// (not past the last position), Backspace left of it, a removed selection
// leaves it at lo. -1 when the selection stays as it is (Delete at the last
// position, Backspace at 0, paste).
int PictureCaretAfterBlank(EditReason reason, int lo, int len);

// Every position fits the mask (a space fits any placeholder); a text shorter
// than the mask is valid, a longer one is not (kNoRoom).
Refusal PictureValid(const char *mask, const char *text, int len);

// Blanks every placeholder position.
void PictureClear(const char *mask, char *text, int len);

// The caret pulled back to just after the last filled placeholder before it
// (or to 0), when it stands beyond every entered character; otherwise the
// caret itself.
int PicturePullBack(const char *mask, const char *text, int len, int caret);

// The characters of the placeholder positions (blanks as spaces, literals
// left out), at most size - 1, zero-terminated. Returns the number written;
// writes nothing when out is null or size below 1.
int PicturePlaceholders(const char *mask, const char *text, int len, char *out, int size);

// Whether every placeholder position is blank (or there is none).
bool PictureAllBlank(const char *mask, const char *text, int len);

}  // namespace qx
