#include "extract/ExtractionRun.h"

#include "extract/ArchiveMessages.h"
#include "res/InstallDlgIds.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace extract {

namespace {

constexpr const char kArchiveFirstFileKey[] = "ArchiveFirstFile";
constexpr const char kSetupFileKey[] = "SetupFile";
constexpr std::size_t kHeaderNameSize = sizeof(RARHeaderData::FileName);

// Closes the archive on every way out of a pass; Close() gives the answer when it matters.
class OpenArchive {
public:
    OpenArchive(RARCloseArchiveFn close, HANDLE handle) : close_(close), handle_(handle) {}
    ~OpenArchive() {
        if (handle_ != nullptr) {
            close_(handle_);
        }
    }
    OpenArchive(const OpenArchive&) = delete;
    OpenArchive& operator=(const OpenArchive&) = delete;

    HANDLE Get() const { return handle_; }
    int Close() {
        HANDLE handle = handle_;
        handle_ = nullptr;
        return close_(handle);
    }

private:
    RARCloseArchiveFn close_;
    HANDLE handle_;
};

// The library may fill a name field to the last byte; never read past it.
std::string HeaderField(const char (&field)[kHeaderNameSize]) {
    return std::string(field, strnlen(field, kHeaderNameSize));
}

std::string FromOemCodePage(const std::string& oem) {
    std::vector<char> ansi(oem.size() + 1);
    OemToCharA(oem.c_str(), ansi.data());
    return std::string(ansi.data());
}

std::vector<char> ToOemCodePage(const std::string& ansi) {
    std::vector<char> oem(ansi.size() + 1);
    CharToOemA(ansi.c_str(), oem.data());
    return oem;
}

// Leaves no pointer to the run's path buffer in the program-wide record after the run.
struct OpenRecordNameReset {
    ~OpenRecordNameReset() { ArchiveOpenRecord.ArcName = nullptr; }
};

}  // namespace

ExtractionRun::ExtractionRun(ExtractionHost& host, const ArchiveEntryPoints& entryPoints)
    : host_(host), entryPoints_(entryPoints) {}

void ExtractionRun::Run() {
    if (!entryPoints_.IsComplete()) {
        ShowError(host_, kLibraryLoadFailedText);
        return;
    }
    destinationOem_ = ToOemCodePage(host_.TakeFolderFromField());
    const OpenRecordNameReset resetAtEnd;
    if (!ReadSettingsAndArchivePath()) {
        ShowError(host_, kArchivePathTooLongText);
        return;
    }

    fileCount_ = 0;
    if (!RunPass(Pass::Counting).opened) {
        return;
    }
    host_.SendProgress(PBM_SETRANGE, 0, MAKELPARAM(1, fileCount_ & 0xFFFF));

    if (RunPass(Pass::Extracting).Complete()) {
        FinishCleanly();
    }
}

bool ExtractionRun::ReadSettingsAndArchivePath() {
    const std::string directory = settings::WorkingDirectory();
    if (directory.empty()) {
        // The directory could not be reported into the path buffer: it is too long, and the
        // settings file cannot be found either.
        return false;
    }
    const std::string firstVolume = settings::ReadValue(directory, kArchiveFirstFileKey, nullptr);
    const std::string setupFile = settings::ReadValue(directory, kSetupFileKey, "");
    const std::size_t setupLength = std::min(setupFile.size(), sizeof SetupFileName - 1);
    std::memcpy(SetupFileName, setupFile.data(), setupLength);
    SetupFileName[setupLength] = '\0';

    // A drive root keeps its own backslash and gets one more (C:\\game.rar); the file system
    // reads the doubled separator as one.
    const std::string path = directory + "\\" + firstVolume;
    if (path.size() >= sizeof archivePath_) {
        return false;
    }
    std::memcpy(archivePath_, path.c_str(), path.size() + 1);
    return true;
}

ExtractionRun::PassOutcome ExtractionRun::RunPass(Pass pass) {
    PassOutcome outcome;
    ArchiveOpenRecord.OpenMode = pass == Pass::Counting ? RAR_OM_LIST : RAR_OM_EXTRACT;
    if (pass == Pass::Counting) {
        ArchiveOpenRecord.CmtBuf = nullptr;
        ArchiveOpenRecord.ArcName = archivePath_;
    }
    HANDLE handle = entryPoints_.RAROpenArchive(&ArchiveOpenRecord);
    const int openResult = static_cast<int>(ArchiveOpenRecord.OpenResult);
    ShowError(host_, OpenResultText(openResult));
    // The handle of a failed open stands for no archive and is never passed back.
    if (openResult != ERAR_SUCCESS || handle == nullptr) {
        return outcome;
    }
    outcome.opened = true;
    OpenArchive archive(entryPoints_.RARCloseArchive, handle);

    if (pass == Pass::Counting) {
        ArchiveHeaderRecord.CmtBuf = nullptr;
    }
    for (;;) {
        const int readAnswer = entryPoints_.RARReadHeader(archive.Get(), &ArchiveHeaderRecord);
        if (readAnswer == ERAR_END_ARCHIVE) {
            break;
        }
        if (readAnswer != ERAR_SUCCESS) {
            // A library can keep answering an error for ever; the pass ends at the first.
            ShowError(host_, OpenResultText(readAnswer));
            outcome.headerReadFailed = true;
            break;
        }
        ShowHeaderStatus();
        if (pass == Pass::Counting) {
            ++fileCount_;
        } else {
            host_.SendProgress(PBM_STEPIT, 0, 0);
        }
        const int processResult = entryPoints_.RARProcessFile(archive.Get(), RAR_EXTRACT,
                                                              destinationOem_.data(), nullptr);
        ShowError(host_, ProcessResultText(processResult));
        if (processResult != ERAR_SUCCESS) {
            outcome.fileFailed = true;
        }
    }
    if (pass == Pass::Extracting) {
        host_.SendProgress(PBM_SETPOS, 0, 0);
    }
    outcome.closeAnswer = archive.Close();
    if (outcome.closeAnswer == ERAR_ECLOSE) {
        ShowError(host_, kArchiveCloseErrorText);
    }
    return outcome;
}

void ExtractionRun::ShowHeaderStatus() {
    // The volume name is in the ANSI code page already; the stored file name is OEM.
    host_.SetItemText(IDC_INSTALL_STATUS_ARCHIVE,
                      "Archive: " + HeaderField(ArchiveHeaderRecord.ArcName));
    host_.SetItemText(
        IDC_INSTALL_STATUS_FILE,
        "Extracting " + FromOemCodePage(HeaderField(ArchiveHeaderRecord.FileName)) + "...");
}

void ExtractionRun::FinishCleanly() {
    host_.SetItemText(IDC_INSTALL_STATUS_ARCHIVE, "");
    host_.SetItemText(IDC_INSTALL_STATUS_FILE, "");
    host_.EndWithOk();
    if (SetupFileName[0] == '\0') {
        host_.ShowMessage(kInstallationSuccessfulText, kInstallerCaption, kReportBoxType);
        return;
    }
    host_.ShowMessage(kExtractionSuccessfulText, kInstallerCaption, kReportBoxType);
    host_.OpenProgram(SetupFileName, host_.Folder());
}

}  // namespace extract
