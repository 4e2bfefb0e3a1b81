// What Install.exe carries besides its code: version information and the manifest that keeps
// it from being elevated, and its templates as the dialog manager builds them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace {

std::string ProgramPath() {
    return test_support::ProgramFolder() + "\\Install.exe";
}

TEST(ProgramFile, CarriesVersion102) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(ProgramPath().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(ProgramPath().c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(2, 1));
    char* text = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904B0\\FileVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(text, "1.02");
}

TEST(ProgramFile, ManifestAsksForTheUsersOwnRightsAndNoDpiAwareness) {
    HMODULE program = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    HRSRC found = FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(program, found)));
    const std::string manifest(data, SizeofResource(program, found));
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos)
        << "Windows 10 and 11 listed";
    EXPECT_NE(manifest.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"), std::string::npos)
        << "Windows 7 listed";
    EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
    FreeLibrary(program);
}

}  // namespace
