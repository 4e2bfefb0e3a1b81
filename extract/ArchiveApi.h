// The program-wide state shared by every binding of the archive library and every
// extraction run: the four entry points, the two records handed to the library, and the
// setup program's name kept from the start of a run to its end.
#pragma once

#include "settings/Settings.h"

#include <UnrarApi.h>

namespace extract {

// The library's four entry points, in the order they are resolved. All null until the first
// successful binding.
struct ArchiveEntryPoints {
    RAROpenArchiveFn RAROpenArchive = nullptr;
    RARReadHeaderFn RARReadHeader = nullptr;
    RARCloseArchiveFn RARCloseArchive = nullptr;
    RARProcessFileFn RARProcessFile = nullptr;

    bool IsComplete() const {
        return RAROpenArchive && RARReadHeader && RARCloseArchive && RARProcessFile;
    }
};

// Filled by BindArchiveLibrary; the library behind it is never released.
extern ArchiveEntryPoints ArchiveApi;

// Zero-filled at start and reused by both passes of every run.
extern RAROpenArchiveData ArchiveOpenRecord;
extern RARHeaderData ArchiveHeaderRecord;

// The SetupFile value of the latest run, NUL-terminated.
extern char SetupFileName[settings::kValueBufferSize];

}  // namespace extract
