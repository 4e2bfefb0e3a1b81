#include "tests/writer/Fixtures.h"

#include <filesystem>
#include <random>

namespace writertest {

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    return bytes;
}

std::vector<rarwrite::Entry> MixedEntries() {
    auto file = [](const char* name, size_t size, unsigned seed) {
        rarwrite::Entry entry;
        entry.name = name;
        entry.data = RandomBytes(size, seed);
        entry.dosTime = 0x5A8C6B21 + seed;
        return entry;
    };
    auto directory = [](const char* name) {
        rarwrite::Entry entry;
        entry.name = name;
        entry.directory = true;
        entry.attributes = 0;
        return entry;
    };
    return {
        directory("docs"),
        file("docs/readme.txt", 100, 1),
        file("big.bin", 25000, 2),  // spans at least three volumes of 10000
        file("empty.txt", 0, 3),
        directory("docs/sub"),
        file("docs/sub/one.bin", 1, 4),
        file("exact.bin", 4899, 5),  // ends exactly at a volume boundary with 10000
        file("tail.bin", 3000, 6),
    };
}

WrittenSet WriteAndRead(const TestDir& dir, const std::vector<rarwrite::Entry>& entries,
                        const rarwrite::Options& options, const std::string& name) {
    WrittenSet set;
    set.paths = rarwrite::WriteArchive(dir.File(name), entries, options);
    for (const std::string& path : set.paths) {
        set.volumes.push_back(std::filesystem::exists(path)
                                  ? ReadVolume(ReadFileBytes(path), options.format)
                                  : Volume{});
    }
    return set;
}

}  // namespace writertest
