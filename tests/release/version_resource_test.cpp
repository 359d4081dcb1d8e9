// The exe's version resource reads 1.11 and names the product, as Windows shows it under Properties.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// This test program carries the game's own resource script, so its version
// resource is the one glimmark.exe carries.
std::vector<char> OwnVersionInfo() {
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, block.data())) {
        block.clear();
    }
    return block;
}

std::string StringValue(std::vector<char>& block, const char* name) {
    const std::string path = std::string("\\StringFileInfo\\041104B0\\") + name;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0) {
        return "(missing)";
    }
    return std::string(value);
}

TEST(VersionResource, FixedFileInfoIsOnePointEleven) {
    std::vector<char> block = OwnVersionInfo();
    ASSERT_FALSE(block.empty()) << "no version resource";
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(11, 1)));  // 1.11
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, static_cast<DWORD>(MAKELONG(11, 1)));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(VersionResource, StringsNameTheProductAndVersion) {
    std::vector<char> block = OwnVersionInfo();
    ASSERT_FALSE(block.empty()) << "no version resource";
    EXPECT_EQ(StringValue(block, "ProductName"), "Glimmark");
    EXPECT_EQ(StringValue(block, "FileVersion"), "1.11");
    EXPECT_EQ(StringValue(block, "ProductVersion"), "1.11");
    EXPECT_EQ(StringValue(block, "OriginalFilename"), "glimmark.exe");
    // The Japanese description comes back in the ANSI code page, 932 here.
    EXPECT_EQ(StringValue(block, "FileDescription"),
              "Glimmark \x8F\x75\x8A\xD4\x90\x94\x92\x6C\x8B\x4C\x89\xAF\x83\x51\x81\x5B\x83\x80");
}

}  // namespace
