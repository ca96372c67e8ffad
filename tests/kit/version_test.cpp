// The version resources of the kit's four DLLs, read back the way installers
// read them, carry the number that qx_cntl_version.h gives the headers.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "qx_cntl.h"

namespace {

// The unpacked kit, as a path this process can open (QX_KIT_DIR holds the
// Unix path; Wine's drive Z: is the Unix root).
std::string KitPath(const char *relative) {
    const char *dir = std::getenv("QX_KIT_DIR");
    return std::string("Z:") + (dir ? dir : "/nonexistent") + "/" + relative;
}

class VersionInfo {
public:
    explicit VersionInfo(const std::string &file) {
        DWORD handle = 0;
        DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
        if (size == 0) return;
        data_.resize(size);
        if (!GetFileVersionInfoA(file.c_str(), 0, size, data_.data())) data_.clear();
    }
    bool Loaded() const { return !data_.empty(); }

    const VS_FIXEDFILEINFO *Fixed() {
        void *p = nullptr;
        UINT len = 0;
        if (!VerQueryValueA(data_.data(), "\\", &p, &len) || len < sizeof(VS_FIXEDFILEINFO))
            return nullptr;
        return static_cast<const VS_FIXEDFILEINFO *>(p);
    }

    // A string of the first language and code page the file names under
    // VarFileInfo\Translation, as installers look it up.
    std::string String(const char *name) {
        void *p = nullptr;
        UINT len = 0;
        if (!VerQueryValueA(data_.data(), "\\VarFileInfo\\Translation", &p, &len) || len < 4)
            return "<no translation>";
        const WORD *pair = static_cast<const WORD *>(p);
        char key[64];
        wsprintfA(key, "\\StringFileInfo\\%04x%04x\\%s", pair[0], pair[1], name);
        if (!VerQueryValueA(data_.data(), key, &p, &len) || len == 0) return "<missing>";
        return static_cast<const char *>(p);
    }

private:
    std::vector<char> data_;
};

TEST(KitVersion, EveryDllCarriesTheHeadersVersion) {
    const struct {
        const char *file;
        const char *original;
    } dlls[] = {
        {"bin/x86/qx_cntl.dll", "qx_cntl.dll"},
        {"bin/x86/qx_util.dll", "qx_util.dll"},
        {"bin/x64/qx_cntl.dll", "qx_cntl.dll"},
        {"bin/x64/qx_util.dll", "qx_util.dll"},
    };
    const DWORD ms = MAKELONG(QX_CNTL_VERSION_MINOR, QX_CNTL_VERSION_MAJOR);
    const DWORD ls = MAKELONG(0, QX_CNTL_VERSION_PATCH);
    for (const auto &dll : dlls) {
        SCOPED_TRACE(dll.file);
        VersionInfo info(KitPath(dll.file));
        ASSERT_TRUE(info.Loaded());
        const VS_FIXEDFILEINFO *fixed = info.Fixed();
        ASSERT_NE(fixed, nullptr);
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(fixed->dwFileVersionMS, ms);
        EXPECT_EQ(fixed->dwFileVersionLS, ls);
        EXPECT_EQ(fixed->dwProductVersionMS, ms);
        EXPECT_EQ(fixed->dwProductVersionLS, ls);
        EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

        EXPECT_EQ(info.String("FileVersion"), QX_CNTL_VERSION_STRING);
        EXPECT_EQ(info.String("ProductVersion"), QX_CNTL_VERSION_STRING);
        EXPECT_EQ(info.String("OriginalFilename"), dll.original);
        EXPECT_EQ(info.String("ProductName"), "qx_cntl");
        EXPECT_EQ(info.String("LegalCopyright").rfind("Copyright ", 0), 0u);
        EXPECT_NE(info.String("FileDescription"), "<missing>");
    }
}

}  // namespace
