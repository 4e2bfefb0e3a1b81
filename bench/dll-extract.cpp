// Benchmark driver for UNRAR.dll under Wine: loads the library by name and runs the program's
// two passes. Pass 1: open mode 0 and RARProcessFile(RAR_EXTRACT) per header, to count; pass 2:
// open mode 1 and RARProcessFile(RAR_EXTRACT) into DEST. Prints key=value lines.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "unrar/include/UnrarApi.h"

namespace {

struct Library {
    HMODULE module = nullptr;
    RAROpenArchiveFn open = nullptr;
    RARReadHeaderFn readHeader = nullptr;
    RARProcessFileFn processFile = nullptr;
    RARCloseArchiveFn close = nullptr;
};

template <typename Fn>
bool Resolve(HMODULE module, const char* name, Fn& fn) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return fn != nullptr;
}

double Seconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// One pass; returns the number of entries, or -1 after printing the failure.
long RunPass(const Library& lib, const std::string& archive, unsigned mode, char* dest) {
    std::vector<char> name(archive.begin(), archive.end());
    name.push_back('\0');
    RAROpenArchiveData open = {};
    open.ArcName = name.data();
    open.OpenMode = mode;
    HANDLE handle = lib.open(&open);
    if (!handle) {
        std::fprintf(stderr, "RAROpenArchive failed: %u\n", open.OpenResult);
        return -1;
    }
    long entries = 0;
    RARHeaderData header = {};
    int status;
    while ((status = lib.readHeader(handle, &header)) == ERAR_SUCCESS) {
        const int processed = lib.processFile(handle, RAR_EXTRACT, dest, nullptr);
        if (processed != ERAR_SUCCESS) {
            std::fprintf(stderr, "RARProcessFile %s failed: %d\n", header.FileName, processed);
            lib.close(handle);
            return -1;
        }
        ++entries;
    }
    lib.close(handle);
    if (status != ERAR_END_ARCHIVE) {
        std::fprintf(stderr, "RARReadHeader failed: %d\n", status);
        return -1;
    }
    return entries;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_dll_extract ARCHIVE DEST\n");
        return 2;
    }
    Library lib;
    lib.module = LoadLibraryA("UNRAR.dll");
    if (!lib.module || !Resolve(lib.module, "RAROpenArchive", lib.open) ||
        !Resolve(lib.module, "RARReadHeader", lib.readHeader) ||
        !Resolve(lib.module, "RARProcessFile", lib.processFile) ||
        !Resolve(lib.module, "RARCloseArchive", lib.close)) {
        std::fprintf(stderr, "cannot load UNRAR.dll and its entry points\n");
        return 1;
    }
    // No byte count here: under Wine, files are opened by wineserver, so a /proc/self/io read
    // from this process reports the server. The core driver counts the same core's reads.
    LARGE_INTEGER t0, t1, t2;
    QueryPerformanceCounter(&t0);
    const long counted = RunPass(lib, argv[1], RAR_OM_LIST, nullptr);
    QueryPerformanceCounter(&t1);
    if (counted < 0) {
        return 1;
    }
    const long extracted = RunPass(lib, argv[1], RAR_OM_EXTRACT, argv[2]);
    QueryPerformanceCounter(&t2);
    if (extracted != counted) {
        std::fprintf(stderr, "extracted %ld of %ld entries\n", extracted, counted);
        return 1;
    }
    std::printf("entries=%ld\n", counted);
    std::printf("count_seconds=%.6f\n", Seconds(t0, t1));
    std::printf("extract_seconds=%.6f\n", Seconds(t1, t2));
    FreeLibrary(lib.module);
    return 0;
}
