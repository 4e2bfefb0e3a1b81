// Shared set-up of the extraction-run tests: a fresh working directory, a recording host
// whose folder field holds kDestination, and stale values in the program-wide records that
// the run has to overwrite.
#pragma once

#include "FakeArchiveLibrary.h"
#include "RecordingHost.h"
#include "WorkingFolder.h"

#include "extract/ExtractionRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

constexpr const char kDestination[] = "C:\\Games\\Dest";
constexpr const char kInstallationSuccessful[] =
    "Installation successful.\n\nEnjoy this fine release from TOVRA!";
constexpr const char kExtractionSuccessful[] =
    "Extraction successful.\n\nThis program's setup routine will now start. After setup "
    "completes, you can delete\nthe directory created by the TOVRA Installer.\n\nEnjoy this "
    "fine release from TOVRA!";
constexpr UINT kInformation = MB_OK | MB_ICONINFORMATION;

inline std::string OpenEntry(unsigned int mode, const std::string& archivePath) {
    return "open mode=" + std::to_string(mode) + " arc=" + archivePath + " cmt=null";
}
inline std::string ReadEntry(int handle) {
    return "read #" + std::to_string(handle) + " cmt=null";
}
inline std::string ProcessEntry(int handle, const std::string& destination = kDestination) {
    return "process #" + std::to_string(handle) + " op=2 dest=" + destination + " name=null";
}
inline std::string CloseEntry(int handle) {
    return "close #" + std::to_string(handle);
}
inline std::string RangeEntry(unsigned int upperBound) {
    return "progress PBM_SETRANGE 0 " + std::to_string((upperBound << 16) | 1);
}

inline bool Contains(const std::vector<std::string>& log, const std::string& entry) {
    return std::find(log.begin(), log.end(), entry) != log.end();
}

inline std::size_t Occurrences(const std::vector<std::string>& log, const std::string& entry) {
    return static_cast<std::size_t>(std::count(log.begin(), log.end(), entry));
}

// Names each test of a table after its row's `name`.
struct NameOfCase {
    template <typename Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

class RunFixture : public ::testing::Test {
protected:
    RunFixture() {
        host.field = kDestination;
        extract::ArchiveOpenRecord.OpenMode = 7;
        extract::ArchiveOpenRecord.CmtBuf = staleComment_;
        extract::ArchiveHeaderRecord.CmtBuf = staleComment_;
    }

    void Run() { extract::ExtractionRun(host).Run(); }

    // The log after the first `skip` entries.
    std::vector<std::string> LogFrom(std::size_t skip) const {
        const std::vector<std::string>& log = fake::Log();
        return std::vector<std::string>(log.begin() + std::min(skip, log.size()), log.end());
    }

    bool EndedCleanly() const { return host.endCount == 1 && Contains(fake::Log(), "end"); }

    WorkingFolder folder;
    RecordingHost host;

private:
    char staleComment_[16] = {};
};
