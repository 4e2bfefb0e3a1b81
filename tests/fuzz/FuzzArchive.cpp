// libFuzzer target on the reader core: each input is a volume set in memory (FuzzVolumes.h),
// walked in every open mode and extracted into memory. Besides the sanitizers, it stops on a
// walk that does not end, a file written outside the destination, or a partial file left.
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/FuzzVolumes.h"
#include "unrar/core/Archive.h"
#include "unrar/core/MemoryFileSystem.h"

namespace {

void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

std::string OldStyleName(size_t index) {
    if (index == 0) {
        return "f.rar";
    }
    char name[16];
    std::snprintf(name, sizeof name, "f.r%02u", unsigned(index - 1));
    return name;
}

bool InsideDestination(const std::string& path) {
    if (path.compare(0, 4, "out/") != 0) {
        return false;
    }
    size_t start = 4;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        std::string part = path.substr(start, end == std::string::npos ? end : end - start);
        if (part.empty() || part == "." || part == ".." || part.find('\\') != std::string::npos) {
            return false;
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return true;
}

void Walk(rarcore::MemoryFileSystem& fs, const std::string& first, rarcore::OpenMode mode,
          rarcore::Operation operation) {
    rarcore::Archive::OpenResult opened = rarcore::Archive::Open(fs, first, mode);
    if (!opened.archive) {
        return;
    }
    int ends = 0;
    for (int step = 0; ends < 2; ++step) {
        if (step > 100000) {
            Fail("walk does not end", first);
        }
        rarcore::FileEntry entry;
        rarcore::Status read = opened.archive->ReadHeader(entry);
        if (read != rarcore::Status::Ok) {
            ends = read == rarcore::Status::EndOfArchive ? ends + 1 : 0;
            continue;
        }
        ends = 0;
        opened.archive->Process(operation, "out");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzvolumes::Layout layout = fuzzvolumes::Split(data, size);
    rarcore::MemoryFileSystem fs;
    fs.maxFileSize = 1 << 20;
    for (size_t i = 0; i < layout.volumes.size(); ++i) {
        fs.inputs["f.part" + std::to_string(i + 1) + ".rar"] = layout.volumes[i];
        fs.inputs[OldStyleName(i)] = layout.volumes[i];
    }
    std::string first = layout.openAsParts ? "f.part1.rar" : "f.rar";
    rarcore::Operation extract =
        layout.testOnly ? rarcore::Operation::Test : rarcore::Operation::Extract;
    Walk(fs, first, rarcore::OpenMode::List, rarcore::Operation::Extract);
    Walk(fs, first, rarcore::OpenMode::ListSplitParts, rarcore::Operation::Skip);
    Walk(fs, first, rarcore::OpenMode::Extract, extract);
    for (const auto& file : fs.files) {
        if (!InsideDestination(file.first)) {
            Fail("written outside the destination", file.first);
        }
        if (!file.second.finished) {
            Fail("partial file left behind", file.first);
        }
    }
    for (const std::string& folder : fs.folders) {
        if (folder != "out" && !InsideDestination(folder)) {
            Fail("folder outside the destination", folder);
        }
    }
    return 0;
}
