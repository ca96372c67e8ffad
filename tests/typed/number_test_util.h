// Helpers of the number edits' tests. A line with its selection is written as
// one string: '|' marks the caret with no selection, '[' the anchor and ']'
// the caret of a selection ("12|3", "1[23]", "1]23[").
#pragma once
#include <windows.h>

#include <string>

namespace qxt {

struct MarkedText {
    std::string text;
    int anchor = 0, caret = 0;
};

inline MarkedText ParseMarked(const char *marked) {
    MarkedText m;
    for (const char *p = marked; *p; ++p) {
        const int here = static_cast<int>(m.text.size());
        if (*p == '|' || *p == '[') m.anchor = here;
        if (*p == '|' || *p == ']') m.caret = here;
        if (*p != '|' && *p != '[' && *p != ']') m.text += *p;
    }
    return m;
}

inline std::string Marked(const std::string &text, int anchor, int caret) {
    std::string out;
    for (int i = 0; i <= static_cast<int>(text.size()); ++i) {
        if (i == anchor && i == caret) out += '|';
        if (i == anchor && i != caret) out += '[';
        if (i == caret && i != anchor) out += ']';
        if (i < static_cast<int>(text.size())) out += text[i];
    }
    return out;
}

}  // namespace qxt
