// Builders for the blocks of one format: signature, main header, file header, end block. The
// writer lays out volumes and data; these only know the bytes of each block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "tools/rarwrite/RarWriter.h"

namespace rarwrite {

// One file header: a whole file, or one part of a file split across volumes.
struct PartInfo {
    const Entry* entry = nullptr;  // not owned
    std::string storedName;        // already in the format's separator form
    uint64_t partSize = 0;         // data bytes following this header
    uint64_t wholeSize = 0;        // unpacked size of the whole file
    uint32_t crc = 0;              // part CRC, or the whole file's CRC on its last part
    bool splitBefore = false;
    bool splitAfter = false;
    bool compressedMethod = false;
    bool encrypted = false;
};

struct VolumeInfo {
    bool multiVolume = false;
    size_t index = 0;
    bool partsNaming = false;
};

struct BuiltHeader {
    std::string bytes;
    size_t nameOffset = 0;  // where the stored name starts inside `bytes`
};

class HeaderBuilder {
public:
    virtual ~HeaderBuilder() = default;
    virtual std::string Signature() const = 0;
    virtual std::string MainHeader(const VolumeInfo& volume) const = 0;
    virtual BuiltHeader FileHeader(const PartInfo& part) const = 0;
    virtual std::string EndBlock(bool nextVolumeFollows) const = 0;
    // The entry name with separators turned into the format's own.
    virtual std::string StoredName(const std::string& name) const = 0;
    // Largest whole-file size the format can state with the fields this writer uses.
    virtual uint64_t MaxFileSize() const = 0;
};

std::unique_ptr<HeaderBuilder> MakeRar4Headers();
std::unique_ptr<HeaderBuilder> MakeRar5Headers();

}  // namespace rarwrite
