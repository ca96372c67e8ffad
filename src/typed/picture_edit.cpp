#include "typed/picture_edit.h"

#include "common/char_class.h"
#include "edit/edit_host.h"
#include "qx_cntl.h"
#include "typed/picture_mask.h"
#include "typed/picture_rules.h"

namespace qx {

namespace {
constexpr int kTextSize = TextLine::kCapacity + 1;
}  // namespace

PictCtl::PictCtl(WindowObject &host, int x, int y, int width, int height)
    : EditCtl(host, x, y, width, height) {}

void PictCtl::OnSetFocus() {
    EditCtl::OnSetFocus();
    // A click pulls the caret back at its button-up instead.
    if (!Gone() && !mouseSelecting) PullBackCaret();
}

bool PictCtl::SetText(const char *str) {
    if (!HasMask() || HasControlChar(str)) return false;
    char laid[kTextSize];
    PictureLayText(mask.get(), str, laid, sizeof laid);
    return EditCtl::SetText(laid);
}

bool PictCtl::OnLButtonUp(int x, int y, WPARAM keys) {
    const bool taken = EditCtl::OnLButtonUp(x, y, keys);
    if (!Gone()) PullBackCaret();
    return taken;
}

bool PictCtl::Validate() {
    return !HasMask() || PictureValid(mask.get(), cur.text, cur.length);
}

bool PictCtl::RemoveText(int pos, int count, EditReason reason) {
    if (HasMask()) PictureBlank(mask.get(), cur.text, cur.length, pos, count);
    const int to = PictureCaretAfterBlank(reason, cur.SelStart(), cur.length);
    if (to >= 0) cur.anchor = cur.caret = to;
    return true;
}

bool PictCtl::InsertText(const char *str, int pos, EditReason) {
    return HasMask() && PictureOvertype(mask.get(), cur, str, pos);
}

// Asked after the parent answered the colour request, so a text the parent
// set meanwhile is what decides.
bool PictCtl::PaintsEmpty() const {
    return hideEmpty && !hasFocus && HasMask() && PictureAllBlank(mask.get(), cur.text, cur.length);
}

bool PictCtl::SetMask(const char *str) {
    if (!PictureMaskUsable(str)) return false;
    if (!EditCtl::SetMask(str)) return false;
    char layout[kTextSize];
    PictureEmptyLayout(mask.get(), layout, sizeof layout);
    SetText(layout);
    return true;
}

void PictCtl::Clear() {
    char text[kTextSize];
    const int n = cur.GetText(text, sizeof text);
    PictureClear(mask.get(), text, n);
    SetText(text);
}

bool PictCtl::SetValue(const char *raw) {
    if (!raw || !HasMask()) return false;
    char text[kTextSize];
    if (!FormatPictureText(mask.get(), raw, text, sizeof text)) return false;
    return EditCtl::SetText(text);
}

bool PictCtl::GetValue(char *dst, int size) const {
    if (!dst || size <= 0 || !HasMask()) return false;
    PicturePlaceholders(mask.get(), cur.text, cur.length, dst, size);
    return true;
}

void PictCtl::PullBackCaret() {
    if (cur.HasSelection() || !HasMask()) return;
    const int to = PicturePullBack(mask.get(), cur.text, cur.length, cur.caret);
    if (to >= cur.caret) return;
    cur.anchor = cur.caret = to;
    Refresh(false);
}

}  // namespace qx

// ---- Exports: "QXPicture" windows, and "QXTime" windows through the same
// virtual operations ----------------------------------------------------------

using qx::PictCtl;
using qx::WithEdit;

extern "C" QXBOOL WINAPI QXPicSetMask(HWND hwnd, LPCSTR mask) {
    if (!mask) return 0;
    return WithEdit<PictCtl>(hwnd, [&](PictCtl &e) { return e.SetMask(mask); });
}

extern "C" QXBOOL WINAPI QXPicSetValue(HWND hwnd, LPCSTR raw) {
    if (!raw) return 0;
    return WithEdit<PictCtl>(hwnd, [&](PictCtl &e) { return e.SetValue(raw); });
}

extern "C" QXBOOL WINAPI QXPicGetValue(HWND hwnd, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    return WithEdit<PictCtl>(hwnd, [&](PictCtl &e) { return e.GetValue(buffer, size); });
}

extern "C" QXBOOL WINAPI QXPicHideEmptyValues(HWND hwnd, QXBOOL hide) {
    return WithEdit<PictCtl>(hwnd, [&](PictCtl &e) {
        e.SetHideEmpty(hide != 0);
        return true;
    });
}
