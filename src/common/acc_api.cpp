#include "common/acc_api.h"

#include "common/system_library.h"

namespace qx {

const IID kIidUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidDispatch = {
    0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidAccessible = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
const IID kIidOleWindow = {
    0x00000114, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {

template <typename Fn>
bool Find(HMODULE module, const char *name, Fn *fn) {
    *fn = FindEntry<Fn>(module, name);
    return *fn != nullptr;
}

bool Fill(AccApi *api) {
    const HMODULE oleacc = LoadSystemLibrary("oleacc.dll");
    const HMODULE oleaut = LoadSystemLibrary("oleaut32.dll");
    const HMODULE ole = LoadSystemLibrary("ole32.dll");
    return Find(oleacc, "CreateStdAccessibleObject", &api->CreateStdAccessibleObject) &&
           Find(oleacc, "LresultFromObject", &api->LresultFromObject) &&
           Find(oleaut, "SysAllocStringLen", &api->SysAllocStringLen) &&
           Find(oleaut, "SysStringLen", &api->SysStringLen) &&
           Find(oleaut, "SysFreeString", &api->SysFreeString) &&
           Find(oleaut, "VariantClear", &api->VariantClear) &&
           Find(ole, "CoDisconnectObject", &api->CoDisconnectObject);
}

AccApi g_api;
INIT_ONCE g_once = INIT_ONCE_STATIC_INIT;

BOOL CALLBACK LoadOnce(INIT_ONCE *, void *, void **loaded) {
    *loaded = Fill(&g_api) ? &g_api : nullptr;
    return TRUE;
}

using NotifyFn = void(WINAPI *)(DWORD, HWND, LONG, LONG);
void WINAPI NoNotify(DWORD, HWND, LONG, LONG) {}
NotifyFn g_notify = nullptr;

}  // namespace

const AccApi *LoadAccApi() {
    void *loaded = nullptr;
    if (!InitOnceExecuteOnce(&g_once, LoadOnce, nullptr, &loaded)) return nullptr;
    return static_cast<const AccApi *>(loaded);
}

void RaiseWinEvent(DWORD event, HWND hwnd, LONG object, LONG child) {
    NotifyFn notify = g_notify;
    if (!notify) {
        // Every thread finds the same address: a race writes the same value.
        if (!Find(GetModuleHandleA("user32.dll"), "NotifyWinEvent", &notify)) notify = &NoNotify;
        g_notify = notify;
    }
    notify(event, hwnd, object, child);
}

}  // namespace qx
