// A line of text with its selection written as one string: '|' marks the
// caret with no selection, '[' the anchor and ']' the caret of a selection
// ("12|3", "1[23]", "1]23["). Used to state test tables compactly.
#pragma once
#include <string>

namespace qxt {

struct MarkedText {
    std::string text;
    int anchor = 0;
    int caret = 0;
};

inline MarkedText ParseMarked(const std::string &marked) {
    MarkedText m;
    bool anchorSet = false, caretSet = false;
    for (char c : marked) {
        const int here = static_cast<int>(m.text.size());
        if (c == '|') {
            m.anchor = m.caret = here;
            anchorSet = caretSet = true;
        } else if (c == '[') {
            m.anchor = here;
            anchorSet = true;
        } else if (c == ']') {
            m.caret = here;
            caretSet = true;
        } else {
            m.text += c;
        }
    }
    // No mark at all: the caret at the end.
    if (!anchorSet && !caretSet) m.anchor = m.caret = static_cast<int>(m.text.size());
    return m;
}

inline std::string Marked(const std::string &text, int anchor, int caret) {
    std::string out;
    const int n = static_cast<int>(text.size());
    for (int i = 0; i <= n; ++i) {
        if (anchor == caret && i == caret) out += '|';
        if (anchor != caret && i == anchor) out += '[';
        if (anchor != caret && i == caret) out += ']';
        if (i < n) out += text[i];
    }
    // Ends outside the text show as such rather than vanish.
    if (anchor < 0 || anchor > n || caret < 0 || caret > n)
        out += " (anchor " + std::to_string(anchor) + ", caret " + std::to_string(caret) + ")";
    return out;
}

}  // namespace qxt
