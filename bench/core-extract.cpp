// Benchmark driver for the portable archive core: the program's two passes natively. Pass 1
// opens the set for listing and processes every header (which skips it) to count the files;
// pass 2 opens it for extraction and extracts every file into DEST. Prints key=value lines.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "bench/ProcIo.h"
#include "unrar/core/Archive.h"
#include "unrar/core/PosixFileSystem.h"

namespace {

// Counts the bytes the core asks its volumes for: what the counting pass really reads.
class CountingInput final : public rarcore::InputFile {
public:
    CountingInput(std::unique_ptr<rarcore::InputFile> inner, unsigned long long& counter)
        : inner_(std::move(inner)), counter_(counter) {}
    uint64_t Size() const override { return inner_->Size(); }
    bool Seek(uint64_t offset) override { return inner_->Seek(offset); }
    bool Read(void* buffer, size_t size, size_t& got) override {
        const bool ok = inner_->Read(buffer, size, got);
        counter_ += got;
        return ok;
    }

private:
    std::unique_ptr<rarcore::InputFile> inner_;
    unsigned long long& counter_;  // owned by the file system
};

class CountingFileSystem final : public rarcore::PosixFileSystem {
public:
    std::unique_ptr<rarcore::InputFile> OpenForReading(const std::string& path) override {
        std::unique_ptr<rarcore::InputFile> inner = PosixFileSystem::OpenForReading(path);
        if (!inner) {
            return nullptr;
        }
        return std::make_unique<CountingInput>(std::move(inner), bytesRead);
    }
    unsigned long long bytesRead = 0;
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One pass over the set; returns the number of entries or -1 after printing the failure.
long RunPass(rarcore::FileSystem& fs, const std::string& archive, rarcore::OpenMode mode,
             const std::string& dest) {
    rarcore::Archive::OpenResult opened = rarcore::Archive::Open(fs, archive, mode);
    if (!opened.archive) {
        std::fprintf(stderr, "open failed: %d\n", static_cast<int>(opened.status));
        return -1;
    }
    long entries = 0;
    rarcore::FileEntry entry;
    rarcore::Status status;
    while ((status = opened.archive->ReadHeader(entry)) == rarcore::Status::Ok) {
        const rarcore::Status processed =
            opened.archive->Process(rarcore::Operation::Extract, dest);
        if (processed != rarcore::Status::Ok) {
            std::fprintf(stderr, "process %s failed: %d\n", entry.name.c_str(),
                         static_cast<int>(processed));
            return -1;
        }
        ++entries;
    }
    if (status != rarcore::Status::EndOfArchive) {
        std::fprintf(stderr, "read header failed: %d\n", static_cast<int>(status));
        return -1;
    }
    return entries;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_core_extract ARCHIVE DEST\n");
        return 2;
    }
    const std::string archive = argv[1];
    const std::string dest = argv[2];
    CountingFileSystem fs;

    const long long rcharBefore = ProcessReadBytes("/proc/self/io");
    auto start = std::chrono::steady_clock::now();
    const long counted = RunPass(fs, archive, rarcore::OpenMode::List, std::string());
    const double countSeconds = SecondsSince(start);
    const long long rcharAfter = ProcessReadBytes("/proc/self/io");
    const unsigned long long countBytes = fs.bytesRead;
    if (counted < 0) {
        return 1;
    }

    start = std::chrono::steady_clock::now();
    const long extracted = RunPass(fs, archive, rarcore::OpenMode::Extract, dest);
    const double extractSeconds = SecondsSince(start);
    if (extracted != counted) {
        std::fprintf(stderr, "extracted %ld of %ld entries\n", extracted, counted);
        return 1;
    }
    std::printf("entries=%ld\n", counted);
    std::printf("count_seconds=%.6f\n", countSeconds);
    std::printf("count_bytes_read=%llu\n", countBytes);
    std::printf("count_rchar=%lld\n",
                rcharBefore < 0 || rcharAfter < 0 ? -1 : rcharAfter - rcharBefore);
    std::printf("extract_seconds=%.6f\n", extractSeconds);
    return 0;
}
