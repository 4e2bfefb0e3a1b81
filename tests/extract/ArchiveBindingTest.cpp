// Binding the archive library: a missing library, one that lacks an entry point (released
// again), one planted in the working directory, and a complete one that stays bound.
#include "FakeArchiveLibrary.h"
#include "RecordingHost.h"
#include "WorkingFolder.h"

#include "extract/ArchiveBinding.h"
#include "extract/ExtractionRun.h"

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

template <typename Function>
Function Resolve(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

extract::ArchiveEntryPoints EntryPointsOf(HMODULE module) {
    extract::ArchiveEntryPoints entryPoints;
    entryPoints.RAROpenArchive = Resolve<RAROpenArchiveFn>(module, "RAROpenArchive");
    entryPoints.RARReadHeader = Resolve<RARReadHeaderFn>(module, "RARReadHeader");
    entryPoints.RARCloseArchive = Resolve<RARCloseArchiveFn>(module, "RARCloseArchive");
    entryPoints.RARProcessFile = Resolve<RARProcessFileFn>(module, "RARProcessFile");
    return entryPoints;
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
    const extract::ArchiveEntryPoints expected = EntryPointsOf(full);
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

// The archive library built beside the program, bound under its own name: the run then
// reaches it through the right calling convention and reports its answer for a missing file.
TEST_F(ArchiveBindingTest, LibraryBesideTheProgramIsBoundAndAnswersTheRun) {
    if (!Exists(ProgramFolder() + "\\UNRAR.dll")) {
        GTEST_SKIP() << "no UNRAR.dll beside the test program";
    }
    EXPECT_TRUE(extract::BindArchiveLibrary(host));
    EXPECT_TRUE(fake::Log().empty());
    HMODULE library = GetModuleHandleA("UNRAR.dll");
    ASSERT_NE(library, nullptr);
    EXPECT_TRUE(SameEntryPoints(extract::ArchiveApi, EntryPointsOf(library)));

    folder.WriteSettings("missing.rar", "setup.exe");
    host.field = "C:\\Nowhere";
    extract::ExtractionRun(host).Run();
    const std::vector<std::string> expected = {"take-folder C:\\Nowhere",
                                               ErrorBox("File open error")};
    EXPECT_EQ(fake::Log(), expected);
    EXPECT_EQ(host.endCount, 0);
}

}  // namespace
