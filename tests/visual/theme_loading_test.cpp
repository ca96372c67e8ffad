// The visual-styles library is loaded from the system folder, though a
// planted one lies beside this program, and only at the first call that needs
// it: not by the linked library's static initialisation nor the DLL's attach.
#include <windows.h>

#include <string>

#include "harness.h"
#include "visual/theme_api.h"

namespace {

std::string Folder(HMODULE module) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.find_last_of('\\'));
}

std::string ModulePath(HMODULE module) {
    char path[MAX_PATH] = {};
    return module && GetModuleFileNameA(module, path, MAX_PATH) ? path : "";
}

bool PlantedLoaded() { return GetEnvironmentVariableA("QX_PLANTED_UXTHEME", nullptr, 0) != 0; }

TEST(ThemeLoading, NothingAtLoadTheSystemFolderAtFirstUse) {
    const std::string here = Folder(nullptr);
    ASSERT_NE(GetFileAttributesA((here + "\\UxTheme.dll").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the planted library is missing";
    EXPECT_EQ(GetModuleHandleA("UxTheme.dll"), nullptr) << "loaded by the static initialisation";

    // The DLL beside the test programs, loaded and freed again.
    const std::string dll = here.substr(0, here.find_last_of('\\')) + "\\bin\\qx_cntl.dll";
    HMODULE library = LoadLibraryExA(dll.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(library, nullptr) << dll;
    EXPECT_EQ(GetModuleHandleA("UxTheme.dll"), nullptr) << "loaded at the DLL's process attach";
    FreeLibrary(library);

    ASSERT_TRUE(qx::Themes().IsThemed());
    const HMODULE theme = qx::Themes().Module();
    char system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
    EXPECT_EQ(lstrcmpiA(ModulePath(theme).c_str(), (std::string(system) + "\\UxTheme.dll").c_str()), 0)
        << ModulePath(theme);
    EXPECT_EQ(GetModuleHandleA("UxTheme.dll"), theme);
    EXPECT_FALSE(PlantedLoaded());
}

}  // namespace
