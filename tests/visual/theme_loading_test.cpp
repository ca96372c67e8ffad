// The visual-styles library loads from the system folder (a planted one lies beside us), at first use only.
#include <windows.h>

#include <string>

#include "harness.h"
#include "visual/theme_api.h"

namespace {

std::string ModulePath(HMODULE module) {
    char path[MAX_PATH] = {};
    return GetModuleFileNameA(module, path, MAX_PATH) ? path : "";
}

TEST(ThemeLoading, NothingAtLoadTheSystemFolderAtFirstUse) {
    const std::string self = ModulePath(nullptr), here = self.substr(0, self.find_last_of('\\'));
    ASSERT_NE(GetFileAttributesA((here + "\\UxTheme.dll").c_str()), INVALID_FILE_ATTRIBUTES) << "none planted";
    EXPECT_EQ(GetModuleHandleA("UxTheme.dll"), nullptr) << "loaded by the static initialisation";
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
    EXPECT_EQ(GetEnvironmentVariableA("QX_PLANTED_UXTHEME", nullptr, 0), 0u) << "the planted one loaded";
}

}  // namespace
