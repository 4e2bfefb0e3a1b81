// A small reader of the writer's output, written from the format tables and independent of the
// writer's code, so the tests can check what lies in each volume.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/rarwrite/RarWriter.h"

namespace writertest {

enum class Kind { Main, File, End, Other };

struct Block {
    Kind kind = Kind::Other;
    bool headerCrcOk = false;
    unsigned headerFlags = 0;   // RAR 4 HEAD_FLAGS, RAR 5 header flags
    unsigned archiveFlags = 0;  // main: RAR 4 HEAD_FLAGS, RAR 5 archive flags
    uint64_t volumeNumber = 0;  // RAR 5 main header, when present
    bool hasVolumeNumber = false;
    unsigned endFlags = 0;  // end block: RAR 4 HEAD_FLAGS, RAR 5 end flags
    // file headers
    std::string name;
    uint64_t dataSize = 0;
    uint64_t unpackedSize = 0;
    uint32_t dataCrc = 0;
    uint32_t time = 0;  // RAR 4 DOS time, RAR 5 Unix time
    uint32_t attributes = 0;
    unsigned method = 0;     // RAR 4 METHOD byte, RAR 5 compression information
    unsigned fileFlags = 0;  // RAR 5 file flags
    bool directory = false;
    bool splitBefore = false;
    bool splitAfter = false;
    bool encrypted = false;
    std::string data;
};

struct Volume {
    bool signatureOk = false;
    std::vector<Block> blocks;
};

// Throws std::runtime_error on a layout it cannot follow (sizes past the end).
Volume ReadVolume(const std::string& bytes, rarwrite::Format format);
std::string ReadFileBytes(const std::string& path);

}  // namespace writertest
