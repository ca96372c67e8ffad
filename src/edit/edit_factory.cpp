#include "edit/edit_factory.h"

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

// Each kind gets its own typed object; the plain edit gets the base.
std::unique_ptr<EditCtl> MakeEditObject(EditKind kind, HWND hwnd, int x, int y, int width,
                                        int height) {
    switch (kind) {
    case EditKind::kInteger:
        return std::unique_ptr<EditCtl>(new (std::nothrow) IntCtl(hwnd, x, y, width, height));
    case EditKind::kFloat:
        return std::unique_ptr<EditCtl>(new (std::nothrow) FloatCtl(hwnd, x, y, width, height));
    case EditKind::kEdit:
        return std::unique_ptr<EditCtl>(new (std::nothrow) EditCtl(hwnd, x, y, width, height));
    case EditKind::kPicture:
        return std::unique_ptr<EditCtl>(new (std::nothrow) PictCtl(hwnd, x, y, width, height));
    case EditKind::kTime:
        return std::unique_ptr<EditCtl>(new (std::nothrow) TimeCtl(hwnd, x, y, width, height));
    case EditKind::kNone:
        break;
    }
    return nullptr;
}

}  // namespace qx
