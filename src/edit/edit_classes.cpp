// Registration of the five edit-family classes, each with its own count.
#include "common/window_class.h"
#include "edit/edit_proc.h"
#include "qx_cntl.h"

namespace {

qx::WindowClass g_edit = {"QXEdit", &qx::EditWindowProc, CS_HREDRAW | CS_VREDRAW, 0};
qx::WindowClass g_int = {"QXInteger", &qx::EditWindowProc, CS_HREDRAW | CS_VREDRAW, 0};
qx::WindowClass g_float = {"QXFloat", &qx::EditWindowProc, CS_HREDRAW | CS_VREDRAW, 0};
qx::WindowClass g_pict = {"QXPicture", &qx::EditWindowProc, CS_HREDRAW | CS_VREDRAW, 0};
qx::WindowClass g_time = {"QXTime", &qx::EditWindowProc, CS_HREDRAW | CS_VREDRAW, 0};

}  // namespace

extern "C" {

QXBOOL WINAPI QXRegisterEditClass(HINSTANCE instance) { return qx::RegisterCounted(g_edit, instance); }
QXBOOL WINAPI QXRegisterIntClass(HINSTANCE instance) { return qx::RegisterCounted(g_int, instance); }
QXBOOL WINAPI QXRegisterFloatClass(HINSTANCE instance) { return qx::RegisterCounted(g_float, instance); }
QXBOOL WINAPI QXRegisterPictClass(HINSTANCE instance) { return qx::RegisterCounted(g_pict, instance); }
QXBOOL WINAPI QXRegisterTimeClass(HINSTANCE instance) { return qx::RegisterCounted(g_time, instance); }

void WINAPI QXUnregisterEditClass(HINSTANCE instance) { qx::UnregisterCounted(g_edit, instance); }
void WINAPI QXUnregisterIntClass(HINSTANCE instance) { qx::UnregisterCounted(g_int, instance); }
void WINAPI QXUnregisterFloatClass(HINSTANCE instance) { qx::UnregisterCounted(g_float, instance); }
void WINAPI QXUnregisterPictClass(HINSTANCE instance) { qx::UnregisterCounted(g_pict, instance); }
void WINAPI QXUnregisterTimeClass(HINSTANCE instance) { qx::UnregisterCounted(g_time, instance); }

}  // extern "C"
