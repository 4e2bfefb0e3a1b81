// The progress messages as a real progress bar receives them: the range the run sets and
// the position the bar shows while each file is processed.
#include "RunFixture.h"

#include <commctrl.h>

namespace {

class ProgressBar {
public:
    ProgressBar() {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
        EXPECT_TRUE(InitCommonControlsEx(&controls));
        window_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(window_, nullptr);
        // What the Install dialog does when it opens.
        SendMessageA(window_, PBM_SETSTEP, 1, 0);
        SendMessageA(window_, PBM_SETPOS, 0, 0);
    }
    ~ProgressBar() { DestroyWindow(window_); }
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    HWND Window() const { return window_; }
    int Position() const { return static_cast<int>(SendMessageA(window_, PBM_GETPOS, 0, 0)); }
    PBRANGE Range() const {
        PBRANGE range = {};
        SendMessageA(window_, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
        return range;
    }

private:
    HWND window_ = nullptr;
};

// Positions seen by the library at each file operation.
std::vector<int> positions;
HWND observedBar = nullptr;

void RecordPosition() {
    positions.push_back(static_cast<int>(SendMessageA(observedBar, PBM_GETPOS, 0, 0)));
}

struct ProgressCase {
    const char* name;
    unsigned int files;
    int upperBound;
};

class ProgressBarTest : public RunFixture, public ::testing::WithParamInterface<ProgressCase> {
protected:
    void SetUp() override {
        host.progressBar = bar.Window();
        observedBar = bar.Window();
        positions.clear();
    }
    ProgressBar bar;
};

TEST_P(ProgressBarTest, BarGetsRangeFromOneToTheCountAndEndsAtTheStart) {
    const ProgressCase& c = GetParam();
    folder.WriteSettings("game.rar", "");
    fake::Install({fake::FilesArchive(c.files), fake::FilesArchive(c.files)});
    fake::SetLogHeaders(c.files < 1000);
    fake::SetProcessHook(RecordPosition);
    Run();
    const PBRANGE range = bar.Range();
    EXPECT_EQ(range.iLow, 1);
    EXPECT_EQ(range.iHigh, c.upperBound);
    // PBM_SETPOS 0 empties the bar; a real bar clamps the position to its lower bound.
    EXPECT_LE(bar.Position(), range.iLow);
    ASSERT_EQ(positions.size(), 2u * c.files);
    if (c.files == 0) {
        return;
    }
    // Counting pass: the bar has not moved. Extracting pass: one step before each file,
    // from the range's lower bound that the new range clamps the position to.
    for (unsigned int i = 0; i < c.files; ++i) {
        EXPECT_EQ(positions[i], 0) << "counting, file " << i;
    }
    const int span = range.iHigh - range.iLow;
    for (unsigned int i = 0; i + 1 < c.files && static_cast<int>(i) < span; ++i) {
        EXPECT_EQ(positions[c.files + i], 2 + static_cast<int>(i)) << "extracting, file " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Bars, ProgressBarTest,
                         ::testing::Values(ProgressCase{"Empty", 0, 0},
                                           ProgressCase{"ThreeFiles", 3, 3},
                                           ProgressCase{"SeventyThousand", 70000, 4464}),
                         NameOfCase());

}  // namespace
