// An in-memory dialog template (DLGTEMPLATE with DS_SETFONT) of edit items,
// as a resource compiler would lay it out.
#pragma once
#include <windows.h>

#include <vector>

namespace qxt {

struct DialogItem {
    WORD id;
    DWORD style;  // WS_CHILD | WS_VISIBLE are added
    const char *cls;
    const char *text;
    short x, y, cx, cy;
};

inline void AppendString(std::vector<WORD> &t, const char *s) {
    do t.push_back(static_cast<BYTE>(*s)); while (*s++);
}

inline std::vector<WORD> DialogTemplate(DWORD style, short cx, short cy,
                                        const std::vector<DialogItem> &items) {
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / 2, 0);
    auto *dlg = reinterpret_cast<DLGTEMPLATE *>(t.data());
    dlg->style = style | DS_SETFONT;
    dlg->cdit = static_cast<WORD>(items.size());
    dlg->cx = cx;
    dlg->cy = cy;
    t.insert(t.end(), {0, 0, 0, 8});  // no menu, the default class, no title; 8 points
    AppendString(t, "MS Sans Serif");
    for (const DialogItem &it : items) {
        if (t.size() % 2) t.push_back(0);  // items start on a DWORD boundary
        const size_t at = t.size();
        t.resize(at + sizeof(DLGITEMTEMPLATE) / 2);
        auto *di = reinterpret_cast<DLGITEMTEMPLATE *>(t.data() + at);
        di->style = WS_CHILD | WS_VISIBLE | it.style;
        di->x = it.x;
        di->y = it.y;
        di->cx = it.cx;
        di->cy = it.cy;
        di->id = it.id;
        AppendString(t, it.cls);
        AppendString(t, it.text);
        t.push_back(0);  // no creation data
    }
    return t;
}

}  // namespace qxt
