// UNRAR.dll under Wine, called exactly as the installer calls it: a counting pass in list mode
// answering "extract" to every header, then the extraction pass. Fixtures come from the writer.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/unrar/DllBinding.h"
#include "tests/unrar/TestData.h"
#include "tests/writer/TestDir.h"
#include "tools/rarwrite/RarWriter.h"

namespace unrartest {
namespace {

using writertest::TestDir;
using Steps = std::vector<std::string>;
namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

rarwrite::Entry File(const std::string& name, const std::string& data) {
    rarwrite::Entry e;
    e.name = name;
    e.data = data;
    return e;
}

// The DOS local time of a file's modification time, as the library reports times.
uint32_t DosTimeOf(const fs::path& path) {
    HANDLE h = CreateFileW(path.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    FILETIME modified, local;
    WORD date = 0, time = 0;
    if (h != INVALID_HANDLE_VALUE) {
        GetFileTime(h, nullptr, nullptr, &modified);
        FileTimeToLocalFileTime(&modified, &local);
        FileTimeToDosDateTime(&local, &date, &time);
        CloseHandle(h);
    }
    return uint32_t(date) << 16 | time;
}

class DllTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(library_.loaded()); }
    // Extracted read-only files would otherwise survive the folder's removal.
    void TearDown() override {
        std::error_code ignored;
        for (const auto& item : fs::recursive_directory_iterator(dir_.File(""), ignored)) {
            SetFileAttributesW(item.path().wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    }
    UnrarLibrary library_;
    TestDir dir_;
};

struct SetCase {
    const char* label;
    rarwrite::Format format;
    rarwrite::Naming naming;
    uint64_t volumeSize;
    const char* firstName;
};

class DllSets : public DllTest, public ::testing::WithParamInterface<SetCase> {};

TEST_P(DllSets, CountingPassThenExtractionGiveEveryFileWithTimeAndAttributes) {
    std::vector<rarwrite::Entry> entries = {
        File("docs", ""), File("docs\\intro.bin", Pattern(10000, 1)), File("a.txt", "abc"),
        File("empty.txt", ""), File("big.bin", Pattern(20000, 2))};
    entries[0].directory = true;
    entries[1].dosTime = 0x4A6B5C21;
    entries[2].attributes = 0x21;
    rarwrite::Options options;
    options.format = GetParam().format;
    options.naming = GetParam().naming;
    options.volumeSize = GetParam().volumeSize;
    std::vector<std::string> volumes =
        rarwrite::WriteArchive(dir_.File(GetParam().firstName), entries, options);

    DllPass count = RunDllPass(library_, volumes[0], RAR_OM_LIST, RAR_EXTRACT, nullptr);
    ASSERT_EQ(count.openResult, 0u);
    ASSERT_EQ(count.headers.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const RARHeaderData& h = count.headers[i];
        EXPECT_STREQ(h.FileName, entries[i].name.c_str());
        EXPECT_EQ(h.UnpSize, entries[i].data.size());
        EXPECT_EQ((h.Flags & RHDF_DIRECTORY) != 0, entries[i].directory);
        EXPECT_EQ(h.Flags & RHDF_SPLITBEFORE, 0u);
        EXPECT_EQ(h.Method, 0x30u);
        EXPECT_EQ(h.HostOS, 2u);
        EXPECT_NE(std::find(volumes.begin(), volumes.end(), h.ArcName), volumes.end()) << h.ArcName;
    }
    EXPECT_EQ(std::string(count.headers[0].ArcName), volumes[0]);
    EXPECT_EQ(count.steps.back(), "close 0");
    EXPECT_FALSE(fs::exists(dir_.File("dest")));

    std::string dest = dir_.File("dest");  // no trailing separator: the library adds one
    DllPass extract = RunDllPass(library_, volumes[0], RAR_OM_EXTRACT, RAR_EXTRACT, dest.c_str());
    Steps expected;
    for (size_t i = 0; i < entries.size(); ++i) {
        expected.insert(expected.end(), {"read 0", "process 0"});
    }
    expected.insert(expected.end(), {"read 10", "read 10", "close 0"});
    EXPECT_EQ(extract.steps, expected);
    EXPECT_TRUE(fs::is_directory(dest + "\\docs"));
    for (size_t i = 1; i < entries.size(); ++i) {
        fs::path path = dest + "\\" + entries[i].name;
        EXPECT_TRUE(ReadAll(path) == entries[i].data) << path;
        EXPECT_EQ(DosTimeOf(path), extract.headers[i].FileTime) << path;
    }
    EXPECT_EQ(extract.headers[1].FileTime, 0x4A6B5C21u);
    EXPECT_TRUE(GetFileAttributesA((dest + "\\a.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(GetFileAttributesA((dest + "\\big.bin").c_str()) & FILE_ATTRIBUTE_READONLY);

    // A second extraction overwrites, read-only file included.
    DllPass again = RunDllPass(library_, volumes[0], RAR_OM_EXTRACT, RAR_EXTRACT, dest.c_str());
    EXPECT_EQ(again.steps, expected);
}

const SetCase kSets[] = {
    {"Rar4Single", rarwrite::Format::Rar4, rarwrite::Naming::OldStyle, 0, "s.rar"},
    {"Rar5Single", rarwrite::Format::Rar5, rarwrite::Naming::Parts, 0, "s.rar"},
    {"Rar4OldNaming", rarwrite::Format::Rar4, rarwrite::Naming::OldStyle, 4096, "v.rar"},
    {"Rar4PartNaming", rarwrite::Format::Rar4, rarwrite::Naming::Parts, 4096, "v.part1.rar"},
    {"Rar5PartNaming", rarwrite::Format::Rar5, rarwrite::Naming::Parts, 3000, "v.part1.rar"},
};

INSTANTIATE_TEST_SUITE_P(Sets, DllSets, ::testing::ValuesIn(kSets),
                         [](const ::testing::TestParamInfo<SetCase>& row) {
                             return std::string(row.param.label);
                         });

struct FaultCase {
    const char* label;
    void (*fault)(rarwrite::Faults&);
    Steps listing;  // counting pass
    Steps extraction;
};

class DllFaults : public DllTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(DllFaults, BothPassesEndAndNoBrokenFileRemains) {
    std::vector<rarwrite::Entry> entries = {File("a.txt", Pattern(3000, 3)),
                                            File("b.txt", Pattern(5000, 4))};
    rarwrite::Options options;
    options.volumeSize = 4096;
    GetParam().fault(options.faults);
    std::vector<std::string> volumes =
        rarwrite::WriteArchive(dir_.File("f.part1.rar"), entries, options);
    std::string dest = dir_.File("dest\\");
    EXPECT_EQ(RunDllPass(library_, volumes[0], RAR_OM_LIST, RAR_EXTRACT, nullptr).steps,
              GetParam().listing);
    EXPECT_EQ(RunDllPass(library_, volumes[0], RAR_OM_EXTRACT, RAR_EXTRACT, dest.c_str()).steps,
              GetParam().extraction);
    EXPECT_TRUE(ReadAll(dest + "a.txt") == entries[0].data);
    EXPECT_FALSE(fs::exists(dest + "b.txt"));
}

const Steps kListOk = {"read 0",  "process 0", "read 0", "process 0",
                       "read 10", "read 10",   "close 0"};
Steps SecondAnswers(int code) {
    return {"read 0",  "process 0", "read 0", "process " + std::to_string(code),
            "read 10", "read 10",   "close 0"};
}

const FaultCase kFaults[] = {
    {"DataCrc", [](rarwrite::Faults& f) { f.flipDataByteOf = "b.txt"; }, kListOk,
     SecondAnswers(12)},
    {"PartCrc", [](rarwrite::Faults& f) { f.wrongPartCrcOf = "b.txt"; }, kListOk,
     SecondAnswers(12)},
    {"HeaderCrc", [](rarwrite::Faults& f) { f.flipHeaderByteOf = "b.txt"; }, kListOk,
     SecondAnswers(12)},
    {"MissingVolume", [](rarwrite::Faults& f) { f.deleteVolume = 1; }, SecondAnswers(15),
     SecondAnswers(15)},
    {"TruncatedVolume",
     [](rarwrite::Faults& f) { f.truncateVolume = 1; },
     {"read 0", "process 0", "read 0", "process 0", "read 12", "read 10", "read 10", "close 0"},
     SecondAnswers(12)},
};

INSTANTIATE_TEST_SUITE_P(Faults, DllFaults, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<FaultCase>& row) {
                             return std::string(row.param.label);
                         });

TEST_F(DllTest, RefusesCompressedAndEncryptedFiles) {
    for (bool encrypted : {false, true}) {
        rarwrite::Options options;
        options.faults.compressedMethod = !encrypted;
        options.faults.encrypted = encrypted;
        std::string archive = rarwrite::WriteArchive(dir_.File(encrypted ? "e.rar" : "c.rar"),
                                                     {File("a.txt", "abc")}, options)[0];
        std::string dest = dir_.File("out");
        DllPass pass = RunDllPass(library_, archive, RAR_OM_EXTRACT, RAR_EXTRACT, dest.c_str());
        EXPECT_EQ(pass.steps, Steps({"read 0", encrypted ? "process 22" : "process 14", "read 10",
                                     "read 10", "close 0"}));
        EXPECT_EQ((pass.headers[0].Flags & RHDF_ENCRYPTED) != 0, encrypted);
        EXPECT_FALSE(fs::exists(dest + "\\a.txt"));
    }
}

TEST_F(DllTest, OpenFailuresAndNullHandle) {
    std::string missing = dir_.File("missing.rar");
    EXPECT_EQ(RunDllPass(library_, missing, RAR_OM_LIST, RAR_SKIP, nullptr).openResult, 15u);
    std::ofstream(dir_.File("text.rar")) << "not an archive";
    EXPECT_EQ(
        RunDllPass(library_, dir_.File("text.rar"), RAR_OM_LIST, RAR_SKIP, nullptr).openResult,
        13u);
    EXPECT_EQ(library_.close(nullptr), ERAR_ECLOSE);
}

TEST_F(DllTest, NonzeroAnswersClearTheRecordAndTheEndIsStable) {
    std::string archive =
        rarwrite::WriteArchive(dir_.File("x.rar"), {File("a.txt", "abc")}, rarwrite::Options())[0];
    RAROpenArchiveData open = {};
    open.ArcName = &archive[0];
    open.OpenMode = RAR_OM_EXTRACT;
    char comment[16];
    open.CmtBuf = comment;
    open.CmtBufSize = sizeof comment;
    open.CmtState = 99;
    HANDLE handle = library_.open(&open);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(open.CmtState, 0u);
    RARHeaderData header;
    ASSERT_EQ(library_.readHeader(handle, &header), 0);
    EXPECT_EQ(library_.processFile(handle, RAR_TEST, nullptr, nullptr), 0);
    for (int i = 0; i < 3; ++i) {
        std::memset(&header, 0x5A, sizeof header);
        EXPECT_EQ(library_.readHeader(handle, &header), ERAR_END_ARCHIVE);
        EXPECT_EQ(header.ArcName[0], '\0');
        EXPECT_EQ(header.FileName[0], '\0');
        EXPECT_EQ(header.Flags | header.PackSize | header.UnpSize | header.HostOS | header.FileCRC |
                      header.FileTime | header.UnpVer | header.Method | header.FileAttr,
                  0u);
    }
    EXPECT_EQ(library_.close(handle), 0);
}

TEST_F(DllTest, DestNameOverridesAndNullDestPathMeansTheCurrentFolder) {
    std::string archive = rarwrite::WriteArchive(dir_.File("n.rar"),
                                                 {File("sub\\a.txt", "abc"), File("b.txt", "xyz")},
                                                 rarwrite::Options())[0];
    std::string renamed = dir_.File("renamed.txt");
    DllPass pass =
        RunDllPass(library_, archive, RAR_OM_EXTRACT, RAR_EXTRACT, "ignored", renamed.c_str());
    EXPECT_EQ(ReadAll(renamed), "xyz");  // both went to the one name; the last one stays
    EXPECT_FALSE(fs::exists(dir_.File("ignored")));

    fs::create_directories(dir_.File("cwd"));
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(dir_.File("cwd").c_str()));
    RunDllPass(library_, archive, RAR_OM_EXTRACT, RAR_EXTRACT, nullptr);
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(ReadAll(dir_.File("cwd\\sub\\a.txt")), "abc");
    EXPECT_EQ(ReadAll(dir_.File("cwd\\b.txt")), "xyz");
}

TEST_F(DllTest, SplitPartsModeReportsContinuedParts) {
    rarwrite::Options options;
    options.volumeSize = 1000;
    std::vector<std::string> volumes = rarwrite::WriteArchive(
        dir_.File("p.part1.rar"), {File("a.bin", Pattern(2500, 5))}, options);
    ASSERT_EQ(volumes.size(), 3u);
    DllPass pass = RunDllPass(library_, volumes[0], RAR_OM_LIST_INCSPLIT, RAR_SKIP, nullptr);
    ASSERT_EQ(pass.headers.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(std::string(pass.headers[i].ArcName), volumes[i]);
        EXPECT_EQ((pass.headers[i].Flags & RHDF_SPLITBEFORE) != 0, i > 0);
        EXPECT_EQ((pass.headers[i].Flags & RHDF_SPLITAFTER) != 0, i < 2);
    }
    EXPECT_EQ(pass.headers[0].PackSize + pass.headers[1].PackSize + pass.headers[2].PackSize,
              2500u);
}

TEST_F(DllTest, LongNamesAreCutTo259Characters) {
    std::string name(300, 'n');
    std::string archive =
        rarwrite::WriteArchive(dir_.File("l.rar"), {File(name, "abc")}, rarwrite::Options())[0];
    DllPass pass = RunDllPass(library_, archive, RAR_OM_LIST, RAR_SKIP, nullptr);
    ASSERT_EQ(pass.headers.size(), 1u);
    EXPECT_EQ(std::strlen(pass.headers[0].FileName), 259u);
}

TEST_F(DllTest, EscapingNamesStayInsideTheDestination) {
    std::vector<rarwrite::Entry> entries = {File("..\\..\\x1", "1"), File("C:\\x2", "2"),
                                            File("\\x3", "3"), File("a\\..\\..\\x4", "4"),
                                            File("/x5", "5")};
    rarwrite::Options options;
    options.format = rarwrite::Format::Rar4;
    options.naming = rarwrite::Naming::OldStyle;
    std::string archive = rarwrite::WriteArchive(dir_.File("esc.rar"), entries, options)[0];
    fs::path root = dir_.File("root");
    fs::create_directories(root / "dest");
    DllPass pass = RunDllPass(library_, archive, RAR_OM_EXTRACT, RAR_EXTRACT,
                              (root / "dest").string().c_str());
    EXPECT_EQ(pass.headers.size(), entries.size());
    std::vector<std::string> written;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        if (item.is_regular_file()) {
            written.push_back(fs::relative(item.path(), root).generic_string());
        }
    }
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, Steps({"dest/a/x4", "dest/x1", "dest/x2", "dest/x3", "dest/x5"}));
    EXPECT_FALSE(fs::exists("C:\\x2"));
}

TEST_F(DllTest, TextEncodingsAreAnsiInOemOut) {
    // The archive name arrives in the ANSI code page, the stored name leaves in the OEM one,
    // and the destination path arrives in OEM.
    const std::wstring stored = L"caf\u00e9.txt";
    const std::wstring folder = L"d\u00e9st";
    auto encode = [](const std::wstring& text, UINT codePage) {
        char buffer[MAX_PATH] = {};
        WideCharToMultiByte(codePage, 0, text.c_str(), -1, buffer, MAX_PATH, nullptr, nullptr);
        return std::string(buffer);
    };
    rarwrite::Options options;
    std::string utf8Name = "caf\xC3\xA9.txt";
    std::string plain =
        rarwrite::WriteArchive(dir_.File("plain.rar"), {File(utf8Name, "abc")}, options)[0];
    fs::path ansiPath = fs::path(dir_.File("")) / L"\u00e4rch.rar";
    ASSERT_TRUE(MoveFileW(fs::path(plain).wstring().c_str(), ansiPath.wstring().c_str()));
    std::string ansiName = encode(ansiPath.wstring(), CP_ACP);
    std::string oemDest = encode((fs::path(dir_.File("")) / folder).wstring(), CP_OEMCP);
    ASSERT_NE(encode(stored, CP_ACP), encode(stored, CP_OEMCP))
        << "code pages " << GetACP() << " and " << GetOEMCP();

    DllPass pass = RunDllPass(library_, ansiName, RAR_OM_EXTRACT, RAR_EXTRACT, oemDest.c_str());
    ASSERT_EQ(pass.openResult, 0u);
    ASSERT_EQ(pass.headers.size(), 1u);
    EXPECT_EQ(std::string(pass.headers[0].FileName), encode(stored, CP_OEMCP));
    EXPECT_EQ(std::string(pass.headers[0].ArcName), ansiName);
    EXPECT_EQ(ReadAll(fs::path(dir_.File("")) / folder / stored), "abc");
}

}  // namespace
}  // namespace unrartest
