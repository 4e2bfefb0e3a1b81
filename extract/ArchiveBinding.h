// Binding the archive library: loads it, resolves its four entry points into ArchiveApi,
// and on failure tells the user and ends the host dialog.
#pragma once

#include "extract/ExtractionHost.h"

namespace extract {

constexpr const char kArchiveLibraryName[] = "UNRAR.dll";

// Binds UNRAR.dll for the host dialog that is initialising. A library that cannot be loaded
// or lacks an entry point is reported ("Error", stop icon), released again, leaves
// ArchiveApi as it was, and ends the host with EndWithOk. A bound library is never released.
// Returns whether ArchiveApi now holds the library's entry points; the dialog need not look.
bool BindArchiveLibrary(ExtractionHost& host);

// The same with another library file name, so tests can bind test libraries.
bool BindArchiveLibrary(ExtractionHost& host, const char* libraryName);

}  // namespace extract
