// Loads UNRAR.dll the way the installer does (LoadLibraryA, GetProcAddress, WINAPI function
// pointers) and runs whole passes over an archive through it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "unrar/include/UnrarApi.h"

namespace unrartest {

class UnrarLibrary {
public:
    UnrarLibrary();
    ~UnrarLibrary();
    UnrarLibrary(const UnrarLibrary&) = delete;
    UnrarLibrary& operator=(const UnrarLibrary&) = delete;

    bool loaded() const { return open && readHeader && processFile && close; }

    RAROpenArchiveFn open = nullptr;
    RARReadHeaderFn readHeader = nullptr;
    RARProcessFileFn processFile = nullptr;
    RARCloseArchiveFn close = nullptr;

private:
    HMODULE module_;
};

struct DllPass {
    unsigned int openResult = 0;
    std::vector<std::string> steps;      // "read 0", "process 12", "read 10", "close 0"
    std::vector<RARHeaderData> headers;  // copies of the record after each successful read
};

// Opens `archive`, reads and processes until a read answers 10 twice in a row (or 200 steps),
// and closes. `destPath` and `destName` are passed as given (null allowed).
DllPass RunDllPass(const UnrarLibrary& library, const std::string& archive, unsigned int mode,
                   int operation, const char* destPath, const char* destName = nullptr);

}  // namespace unrartest
