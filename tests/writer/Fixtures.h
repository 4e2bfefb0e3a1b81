// Entry sets and a helper that writes a set and reads every volume back.
#pragma once

#include <string>
#include <vector>

#include "tests/writer/BlockReader.h"
#include "tests/writer/TestDir.h"
#include "tools/rarwrite/RarWriter.h"

namespace writertest {

// Pseudo-random bytes, the same for the same seed.
std::string RandomBytes(size_t size, unsigned seed);

// Files of several sizes (one larger than a volume), an empty file, directories.
std::vector<rarwrite::Entry> MixedEntries();

struct WrittenSet {
    std::vector<std::string> paths;
    std::vector<Volume> volumes;  // read back; empty for a volume that no longer exists
};

WrittenSet WriteAndRead(const TestDir& dir, const std::vector<rarwrite::Entry>& entries,
                        const rarwrite::Options& options, const std::string& name = "set.rar");

}  // namespace writertest
