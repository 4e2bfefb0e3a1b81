#include "extract/ArchiveBinding.h"

#include "extract/ArchiveApi.h"
#include "extract/ArchiveMessages.h"

#include <memory>
#include <type_traits>

namespace extract {

namespace {

struct LibraryRelease {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using LibraryHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryRelease>;

// GetProcAddress answers with one generic function type; going through void(*)() converts
// it to the entry point's own type without a cast-function-type warning.
template <typename Function>
Function Resolve(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Keeps the library search to the program's folder and the system folder, so a library
// of the same name planted in the current directory or on PATH is never loaded. The call
// is looked up at run time because older Windows versions do not have it.
void RestrictLibrarySearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr) {
        return;
    }
    const auto setDirectories =
        Resolve<SetDefaultDllDirectoriesFn>(kernel, "SetDefaultDllDirectories");
    if (setDirectories != nullptr) {
        setDirectories(LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

void ReportLoadFailure(ExtractionHost& host) {
    ShowError(host, kLibraryLoadFailedText);
    host.EndWithOk();
}

}  // namespace

bool BindArchiveLibrary(ExtractionHost& host) {
    return BindArchiveLibrary(host, kArchiveLibraryName);
}

bool BindArchiveLibrary(ExtractionHost& host, const char* libraryName) {
    RestrictLibrarySearch();
    LibraryHandle library(LoadLibraryA(libraryName));
    if (!library) {
        ReportLoadFailure(host);
        return false;
    }
    ArchiveEntryPoints entryPoints;
    entryPoints.RAROpenArchive = Resolve<RAROpenArchiveFn>(library.get(), "RAROpenArchive");
    entryPoints.RARReadHeader = Resolve<RARReadHeaderFn>(library.get(), "RARReadHeader");
    entryPoints.RARCloseArchive = Resolve<RARCloseArchiveFn>(library.get(), "RARCloseArchive");
    entryPoints.RARProcessFile = Resolve<RARProcessFileFn>(library.get(), "RARProcessFile");
    if (!entryPoints.IsComplete()) {
        // Released before the message, so a corrected library is found at the next opening.
        library.reset();
        ReportLoadFailure(host);
        return false;
    }
    ArchiveApi = entryPoints;
    // The library stays loaded until the process ends.
    library.release();
    return true;
}

}  // namespace extract
