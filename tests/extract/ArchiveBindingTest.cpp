// Binding the archive library: a missing library, one that lacks an entry point (released
// again), one planted in the working directory, and a complete one that stays bound.
#include "FakeArchiveLibrary.h"
#include "RecordingHost.h"
#include "WorkingFolder.h"

#include "extract/ArchiveBinding.h"

#include <gtest/gtest.h>

namespace {

constexpr const char kLoadFailed[] =
    "Could not load UnRAR.DLL...\n\nUnRAR.DLL must be located in the same directory\nas the "
    "installer for it function.";
constexpr const char kFullLibrary[] = "ExtractTestFullLib.dll";
constexpr const char kPartialLibrary[] = "ExtractTestPartialLib.dll";

bool SameEntryPoints(const extract::ArchiveEntryPoints& a, const extract::ArchiveEntryPoints& b) {
    return a.RAROpenArchive == b.RAROpenArchive && a.RARReadHeader == b.RARReadHeader &&
           a.RARCloseArchive == b.RARCloseArchive && a.RARProcessFile == b.RARProcessFile;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class ArchiveBindingTest : public ::testing::Test {
protected:
    ArchiveBindingTest() {
        // Whatever was bound before: a failed binding must leave it in place.
        fake::Install({});
    }

    void ExpectFailedLoad() {
        const std::vector<std::string> expected = {ErrorBox(kLoadFailed), "end"};
        EXPECT_EQ(fake::Log(), expected);
        EXPECT_EQ(host.endCount, 1);
        EXPECT_TRUE(SameEntryPoints(extract::ArchiveApi, fake::EntryPoints()));
    }

    WorkingFolder folder;
    RecordingHost host;
};

TEST_F(ArchiveBindingTest, MissingLibraryIsReportedAndEndsTheDialog) {
    EXPECT_FALSE(extract::BindArchiveLibrary(host, "ExtractTestNoSuchLib.dll"));
    ExpectFailedLoad();
}

TEST_F(ArchiveBindingTest, LibraryLackingAnEntryPointCountsAsFailedAndIsReleased) {
    ASSERT_TRUE(Exists(ProgramFolder() + "\\" + kPartialLibrary));
    ASSERT_EQ(GetModuleHandleA(kPartialLibrary), nullptr);
    EXPECT_FALSE(extract::BindArchiveLibrary(host, kPartialLibrary));
    ExpectFailedLoad();
    EXPECT_EQ(GetModuleHandleA(kPartialLibrary), nullptr) << "the library must be released";

    // The library itself loads and lacks exactly the file operation.
    HMODULE partial = LoadLibraryA(kPartialLibrary);
    ASSERT_NE(partial, nullptr);
    EXPECT_NE(GetProcAddress(partial, "RAROpenArchive"), nullptr);
    EXPECT_NE(GetProcAddress(partial, "RARReadHeader"), nullptr);
    EXPECT_NE(GetProcAddress(partial, "RARCloseArchive"), nullptr);
    EXPECT_EQ(GetProcAddress(partial, "RARProcessFile"), nullptr);
    FreeLibrary(partial);
}

TEST_F(ArchiveBindingTest, LibraryPlantedInTheWorkingDirectoryIsNotLoaded) {
    folder.CopyIn(ProgramFolder() + "\\" + kFullLibrary, "ExtractTestPlantedLib.dll");
    EXPECT_FALSE(extract::BindArchiveLibrary(host, "ExtractTestPlantedLib.dll"));
    ExpectFailedLoad();
    EXPECT_EQ(GetModuleHandleA("ExtractTestPlantedLib.dll"), nullptr);

    // The planted copy is a loadable library: only the search order kept it out.
    HMODULE planted = LoadLibraryA((folder.Path() + "\\ExtractTestPlantedLib.dll").c_str());
    EXPECT_NE(planted, nullptr);
    FreeLibrary(planted);
}

TEST_F(ArchiveBindingTest, CompleteLibraryIsBoundSilentlyAndStaysLoaded) {
    EXPECT_TRUE(extract::BindArchiveLibrary(host, kFullLibrary));
    EXPECT_TRUE(fake::Log().empty());
    EXPECT_EQ(host.endCount, 0);
    HMODULE full = GetModuleHandleA(kFullLibrary);
    ASSERT_NE(full, nullptr);
    extract::ArchiveEntryPoints expected;
    expected.RAROpenArchive = reinterpret_cast<RAROpenArchiveFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(full, "RAROpenArchive")));
    expected.RARReadHeader = reinterpret_cast<RARReadHeaderFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(full, "RARReadHeader")));
    expected.RARCloseArchive = reinterpret_cast<RARCloseArchiveFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(full, "RARCloseArchive")));
    expected.RARProcessFile = reinterpret_cast<RARProcessFileFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(full, "RARProcessFile")));
    EXPECT_TRUE(SameEntryPoints(extract::ArchiveApi, expected));

    // Later openings bind again without a message and the same addresses.
    EXPECT_TRUE(extract::BindArchiveLibrary(host, kFullLibrary));
    EXPECT_TRUE(extract::BindArchiveLibrary(host, kFullLibrary));
    EXPECT_TRUE(fake::Log().empty());
    EXPECT_TRUE(SameEntryPoints(extract::ArchiveApi, expected));
    EXPECT_EQ(GetModuleHandleA(kFullLibrary), full);

    // The entry points really are the library's: its open answers "file open error".
    RAROpenArchiveData data = {};
    char name[] = "nothing.rar";
    data.ArcName = name;
    EXPECT_EQ(extract::ArchiveApi.RAROpenArchive(&data), nullptr);
    EXPECT_EQ(data.OpenResult, static_cast<unsigned int>(ERAR_EOPEN));
}

}  // namespace
