#include "tests/unrar/DllBinding.h"

namespace unrartest {
namespace {

template <typename Function>
Function Resolve(HMODULE module, const char* name) {
    // The void* step keeps the compiler from comparing the two function types.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

UnrarLibrary::UnrarLibrary() : module_(LoadLibraryA("UNRAR.dll")) {
    if (module_) {
        open = Resolve<RAROpenArchiveFn>(module_, "RAROpenArchive");
        readHeader = Resolve<RARReadHeaderFn>(module_, "RARReadHeader");
        processFile = Resolve<RARProcessFileFn>(module_, "RARProcessFile");
        close = Resolve<RARCloseArchiveFn>(module_, "RARCloseArchive");
    }
}

UnrarLibrary::~UnrarLibrary() {
    if (module_) {
        FreeLibrary(module_);
    }
}

DllPass RunDllPass(const UnrarLibrary& library, const std::string& archive, unsigned int mode,
                   int operation, const char* destPath, const char* destName) {
    DllPass pass;
    std::string name = archive;
    RAROpenArchiveData open = {};
    open.ArcName = &name[0];
    open.OpenMode = mode;
    HANDLE handle = library.open(&open);
    pass.openResult = open.OpenResult;
    if (!handle) {
        return pass;
    }
    std::string path = destPath ? destPath : "";
    std::string target = destName ? destName : "";
    int endsInARow = 0;
    for (int i = 0; i < 200 && endsInARow < 2; ++i) {
        RARHeaderData header = {};
        int read = library.readHeader(handle, &header);
        pass.steps.push_back("read " + std::to_string(read));
        if (read != ERAR_SUCCESS) {
            endsInARow = read == ERAR_END_ARCHIVE ? endsInARow + 1 : 0;
            continue;
        }
        endsInARow = 0;
        pass.headers.push_back(header);
        int processed = library.processFile(handle, operation, destPath ? &path[0] : nullptr,
                                            destName ? &target[0] : nullptr);
        pass.steps.push_back("process " + std::to_string(processed));
    }
    pass.steps.push_back("close " + std::to_string(library.close(handle)));
    return pass;
}

}  // namespace unrartest
