#include "registration/edit_factory.h"

#include <new>

#include "typed/float_ctl.h"
#include "typed/int_ctl.h"
#include "typed/picture_edit.h"
#include "typed/time_edit.h"

namespace qx {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// ASCII only: the class names are ASCII, and no locale may make "I" and "i"
// differ.
bool SameName(const char *a, const char *b) {
    for (; *a && *b; ++a, ++b)
        if (AsciiLower(*a) != AsciiLower(*b)) return false;
    return *a == *b;
}

template <class T>
bool Make(WindowObject &host, int x, int y, int width, int height, std::unique_ptr<EditCtl> *edit) {
    edit->reset(new (std::nothrow) T(host, x, y, width, height));
    return *edit != nullptr;
}

}  // namespace

EditKind EditKindOf(const char *className) {
    static const struct {
        const char *name;
        EditKind kind;
    } kClasses[] = {
        {"QXEdit", EditKind::kEdit},       {"QXInteger", EditKind::kInteger},
        {"QXFloat", EditKind::kFloat},     {"QXPicture", EditKind::kPicture},
        {"QXTime", EditKind::kTime},
    };
    if (!className) return EditKind::kNone;
    for (const auto &c : kClasses)
        if (SameName(className, c.name)) return c.kind;
    return EditKind::kNone;
}

bool MakeEditObject(const char *className, WindowObject &host, int x, int y, int width, int height,
                    std::unique_ptr<EditCtl> *edit) {
    switch (EditKindOf(className)) {
    case EditKind::kEdit: return Make<EditCtl>(host, x, y, width, height, edit);
    case EditKind::kInteger: return Make<IntCtl>(host, x, y, width, height, edit);
    case EditKind::kFloat: return Make<FloatCtl>(host, x, y, width, height, edit);
    case EditKind::kPicture: return Make<PictCtl>(host, x, y, width, height, edit);
    case EditKind::kTime: return Make<TimeCtl>(host, x, y, width, height, edit);
    case EditKind::kNone: break;
    }
    return true;
}

}  // namespace qx
