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

bool PictCtl::SetText(const char *str, ChangeOrigin origin) {
    if (!HasMask() || HasControlChar(str)) return false;
    char laid[kTextSize];
    PictureLayText(mask.get(), str, laid, sizeof laid);
    return EditCtl::SetText(laid, origin);
}

bool PictCtl::OnLButtonUp(int x, int y, WPARAM keys) {
    const bool taken = EditCtl::OnLButtonUp(x, y, keys);
    if (!Gone()) PullBackCaret();
    return taken;
}

Refusal PictCtl::Validate(TextLine &line) const {
    return HasMask() ? PictureValid(mask.get(), line.text, line.length) : Refusal::kNone;
}

Refusal PictCtl::RemoveText(TextLine &line, int pos, int count, EditReason reason) const {
    if (HasMask()) PictureBlank(mask.get(), line.text, line.length, pos, count);
    const int to = PictureCaretAfterBlank(reason, line.SelStart(), line.length);
    if (to >= 0) line.anchor = line.caret = to;
    return Refusal::kNone;
}

Refusal PictCtl::InsertText(TextLine &line, const char *str, int pos, EditReason) const {
    return HasMask() ? PictureOvertype(mask.get(), line, str, pos) : Refusal::kNoRoom;
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
    SetText(layout, ChangeOrigin::kExport);
    return true;
}

void PictCtl::Clear() {
    char text[kTextSize];
    const int n = cur.GetText(text, sizeof text);
    PictureClear(mask.get(), text, n);
    SetText(text, ChangeOrigin::kExport);
}

bool PictCtl::SetValue(const char *raw) {
    if (!raw || !HasMask()) return false;
    char text[kTextSize];
    if (!FormatPictureText(mask.get(), raw, text, sizeof text)) return false;
    return EditCtl::SetText(text, ChangeOrigin::kExport);
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
    Show();
}

}  // namespace qx

// ---- Exports: "QXPicture" windows, and "QXTime" windows through the same
// virtual operations ----------------------------------------------------------

using qx::CallData;
using qx::EditOf;
using qx::PictCtl;
using qx::WindowObject;

extern "C" QXBOOL WINAPI QXPicSetMask(HWND hwnd, LPCSTR mask) {
    CallData data;
    return mask && data.text.Assign(mask) && WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        PictCtl *e = EditOf<PictCtl>(o);
        return e && e->SetMask(d.text.c_str());
    }, data);
}

extern "C" QXBOOL WINAPI QXPicSetValue(HWND hwnd, LPCSTR raw) {
    CallData data;
    return raw && data.text.Assign(raw) && WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        PictCtl *e = EditOf<PictCtl>(o);
        return e && e->SetValue(d.text.c_str());
    }, data);
}

// The placeholders are read whole and cut to the buffer.
extern "C" QXBOOL WINAPI QXPicGetValue(HWND hwnd, LPSTR buffer, int size) {
    CallData data;
    if (!buffer || size <= 0 || !WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
            PictCtl *e = EditOf<PictCtl>(o);
            char value[qx::TextLine::kCapacity + 1];
            return e && e->GetValue(value, sizeof value) && d.text.Assign(value);
        }, data))
        return 0;
    const size_t n = data.text.size() < static_cast<size_t>(size) ? data.text.size() : static_cast<size_t>(size) - 1;
    CopyMemory(buffer, data.text.c_str(), n);
    buffer[n] = '\0';
    return 1;
}

extern "C" QXBOOL WINAPI QXPicHideEmptyValues(HWND hwnd, QXBOOL hide) {
    CallData data;
    data.number[0] = hide;
    return WindowObject::Call(hwnd, [](WindowObject &o, CallData &d) {
        PictCtl *e = EditOf<PictCtl>(o);
        if (e) e->SetHideEmpty(d.number[0] != 0);
        return e != nullptr;
    }, data);
}
