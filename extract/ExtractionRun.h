// One press of "Install": reads the settings, counts the archive's files, extracts them into
// the host's folder with status lines and progress, and at a clean end closes the host,
// reports success and starts the setup program. Runs synchronously on the GUI thread.
#pragma once

#include "extract/ArchiveApi.h"
#include "extract/ExtractionHost.h"

#include <string>
#include <vector>

namespace extract {

class ExtractionRun {
public:
    // `entryPoints` is the library to call, normally ArchiveApi as the binding left it.
    explicit ExtractionRun(ExtractionHost& host,
                           const ArchiveEntryPoints& entryPoints = ArchiveApi);

    ExtractionRun(const ExtractionRun&) = delete;
    ExtractionRun& operator=(const ExtractionRun&) = delete;

    void Run();

private:
    enum class Pass { Counting, Extracting };

    struct PassOutcome {
        bool opened = false;
        bool headerReadFailed = false;
        bool fileFailed = false;
        int closeAnswer = 0;

        bool Complete() const {
            return opened && !headerReadFailed && !fileFailed && closeAnswer == ERAR_SUCCESS;
        }
    };

    // Reads both settings and forms the archive path; false when the path does not fit.
    bool ReadSettingsAndArchivePath();
    PassOutcome RunPass(Pass pass);
    void ShowHeaderStatus();
    void FinishCleanly();

    ExtractionHost& host_;
    const ArchiveEntryPoints entryPoints_;
    // The destination folder in the OEM code page, as the library reads it; NUL-terminated.
    std::vector<char> destinationOem_;
    // The archive's first volume; the open record points at it while the run lasts.
    char archivePath_[settings::kPathBufferSize] = {};
    unsigned int fileCount_ = 0;
};

}  // namespace extract
