// Every row of the open-result and the process-result tables, in both passes: the text
// shown, and what the run does next.
#include "RunFixture.h"

namespace {

using fake::Archive;

enum class Pass { Counting, Extracting };

struct ResultRow {
    const char* name;
    Pass pass;
    int value;
    const char* text;  // null: no message
};

std::string RowName(const ::testing::TestParamInfo<ResultRow>& info) {
    return std::string(info.param.pass == Pass::Counting ? "Counting" : "Extracting") +
           info.param.name;
}

std::vector<ResultRow> InBothPasses(std::vector<ResultRow> rows) {
    std::vector<ResultRow> both;
    for (Pass pass : {Pass::Counting, Pass::Extracting}) {
        for (ResultRow row : rows) {
            row.pass = pass;
            both.push_back(row);
        }
    }
    return both;
}

class OpenResultTest : public RunFixture, public ::testing::WithParamInterface<ResultRow> {};

// A failed open shows its text (if any) and ends the run at once: its handle is never used,
// the status lines and the progress bar are left alone, nothing reports success.
TEST_P(OpenResultTest, FailedOpenShowsItsTextAndEndsTheRun) {
    const ResultRow& row = GetParam();
    folder.WriteSettings("game.rar", "setup.exe");
    Archive failed;
    failed.openResult = static_cast<unsigned int>(row.value);
    std::vector<Archive> script;
    if (row.pass == Pass::Extracting) {
        script.push_back(fake::FilesArchive(1));
    }
    script.push_back(failed);
    fake::Install(script);
    Run();

    const std::string arc = folder.ArchivePath("game.rar");
    std::vector<std::string> expected = {"take-folder C:\\Games\\Dest"};
    if (row.pass == Pass::Extracting) {
        expected.insert(expected.end(),
                        {OpenEntry(0, arc), ReadEntry(1), "text 1010 Archive: vol.rar",
                         "text 1009 Extracting f0...", ProcessEntry(1), ReadEntry(1), CloseEntry(1),
                         RangeEntry(1)});
    }
    expected.push_back(OpenEntry(row.pass == Pass::Counting ? 0 : 1, arc));
    if (row.text != nullptr) {
        expected.push_back(ErrorBox(row.text));
    }
    EXPECT_EQ(fake::Log(), expected);
    EXPECT_EQ(fake::Count().foreignHandles, 0u);
}

INSTANTIATE_TEST_SUITE_P(Table, OpenResultTest,
                         ::testing::ValuesIn(InBothPasses({
                             {"NoMemory11", Pass::Counting, 11,
                              "Not enough memory to initialize data structures"},
                             {"HeaderBroken12", Pass::Counting, 12, "Archive header broken"},
                             {"NotRar13", Pass::Counting, 13, "File is not valid RAR archive"},
                             {"UnknownFormat14", Pass::Counting, 14, nullptr},
                             {"OpenError15", Pass::Counting, 15, "File open error"},
                             {"Unlisted16", Pass::Counting, 16, nullptr},
                             {"Unlisted22", Pass::Counting, 22, nullptr},
                         })),
                         RowName);

class ProcessResultTest : public RunFixture, public ::testing::WithParamInterface<ResultRow> {};

// A file's result is shown right after its call and the run goes on with the next header.
// A failure in the counting pass does not decide the outcome; any failure in the
// extracting pass leaves the installation incomplete, so the run ends without success.
TEST_P(ProcessResultTest, FileResultShowsItsTextAndTheRunGoesOn) {
    const ResultRow& row = GetParam();
    folder.WriteSettings("game.rar", "setup.exe");
    std::vector<Archive> script = {fake::FilesArchive(2), fake::FilesArchive(2)};
    const int handle = row.pass == Pass::Counting ? 1 : 2;
    script[static_cast<std::size_t>(handle - 1)].processAnswers = {row.value, 0};
    fake::Install(script);
    Run();

    const std::vector<std::string>& log = fake::Log();
    const auto firstProcess = std::find(log.begin(), log.end(), ProcessEntry(handle));
    ASSERT_NE(firstProcess, log.end());
    std::vector<std::string> afterFirstFile = {ReadEntry(handle), "text 1010 Archive: vol.rar",
                                               "text 1009 Extracting f1..."};
    if (row.text != nullptr) {
        afterFirstFile.insert(afterFirstFile.begin(), ErrorBox(row.text));
    }
    ASSERT_GE(static_cast<std::size_t>(log.end() - firstProcess), afterFirstFile.size() + 1);
    EXPECT_EQ(std::vector<std::string>(firstProcess + 1, firstProcess + 1 + afterFirstFile.size()),
              afterFirstFile);
    EXPECT_EQ(fake::Count().processes, 4u) << "both files in both passes";
    const std::size_t boxes = static_cast<std::size_t>(std::count_if(
        log.begin(), log.end(), [](const std::string& e) { return e.rfind("box Error", 0) == 0; }));
    EXPECT_EQ(boxes, row.text != nullptr ? 1u : 0u);

    const bool expectSuccess = row.pass == Pass::Counting || row.value == 0;
    EXPECT_EQ(EndedCleanly(), expectSuccess);
    EXPECT_EQ(Contains(log, "open-program setup.exe|C:\\Games\\Dest"), expectSuccess);
    if (!expectSuccess) {
        EXPECT_EQ(log.back(), CloseEntry(2));
        EXPECT_EQ(host.itemTexts[1009], "Extracting f1...");
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ProcessResultTest,
                         ::testing::ValuesIn(InBothPasses({
                             {"Success0", Pass::Counting, 0, nullptr},
                             {"NoMemory11", Pass::Counting, 11, nullptr},
                             {"Crc12", Pass::Counting, 12, "File CRC error"},
                             {"BadVolume13", Pass::Counting, 13, "Volume is not valid RAR archive"},
                             {"UnknownFormat14", Pass::Counting, 14, "Unknown archive format"},
                             {"VolumeOpen15", Pass::Counting, 15, "Volume open error"},
                             {"Create16", Pass::Counting, 16, "File create error"},
                             {"Close17", Pass::Counting, 17, "File close error"},
                             {"Read18", Pass::Counting, 18, "Read error"},
                             {"Write19", Pass::Counting, 19, "Write error"},
                             {"Unlisted20", Pass::Counting, 20, nullptr},
                             {"Password22", Pass::Counting, 22, nullptr},
                         })),
                         RowName);

}  // namespace
