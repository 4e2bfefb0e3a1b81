// One open volume of a set: its file, the checked signature and main header, and the walk over
// its blocks. Internal to the reader.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "unrar/core/Archive.h"
#include "unrar/core/FileSystem.h"

namespace rarcore {

struct Block {
    enum class Kind { File, End, Other };
    Kind kind = Kind::Other;
    uint64_t start = 0;
    uint64_t dataOffset = 0;  // first byte after the header
    uint64_t dataSize = 0;
    uint64_t next = 0;   // start of the following block; always greater than `start`
    uint32_t type = 0;   // the format's own block type
    uint64_t flags = 0;  // the format's own header flags
    bool headerCrcOk = true;
    bool moreVolumes = false;  // end block: another volume follows
    // File headers only:
    FileEntry entry;
    std::string rawName;       // the name bytes as stored, to match the parts of a split file
    bool hasCrc = false;       // `entry.crc` can be checked against the data
    bool unknownSize = false;  // unpacked size not recorded (streamed input)
    bool link = false;         // a link or file reference rather than data of its own
};

enum class BlockResult {
    Ok,
    EndOfVolume,  // no bytes left where a block would start
    Broken,       // truncated, impossible sizes, or data past the end of the volume
    ReadError,
};

class Volume {
public:
    // Opens `path` and checks the signature and main header. On failure `status` says why:
    // OpenError, NotArchive, UnknownFormat, BadData or MissingPassword.
    static std::unique_ptr<Volume> Open(FileSystem& fs, const std::string& path, Status& status);

    BlockResult ReadBlock(uint64_t offset, Block& block);
    // Reads exactly `size` bytes at `offset`; false on a read error or a short read.
    bool ReadAt(uint64_t offset, void* buffer, size_t size);
    // Reads up to `size` bytes at `offset`; the count read, or -1 on a read error.
    int64_t ReadSome(uint64_t offset, void* buffer, size_t size);

    const std::string& path() const { return path_; }
    uint64_t size() const { return size_; }
    Format format() const { return format_; }
    uint64_t firstBlock() const { return firstBlock_; }
    bool newNaming() const { return newNaming_; }
    FileSystem& fs() const { return fs_; }

private:
    Volume(FileSystem& fs, std::unique_ptr<InputFile> file, std::string path);
    Status CheckMainHeader();

    FileSystem& fs_;
    std::unique_ptr<InputFile> file_;
    std::string path_;
    uint64_t size_ = 0;
    uint64_t position_ = 0;  // where the file is positioned, to save seeks
    Format format_ = Format::Rar4;
    uint64_t firstBlock_ = 0;  // first block after the main header
    bool newNaming_ = true;
};

// Format-specific block parsers (Rar4Blocks.cpp, Rar5Blocks.cpp). The main-header functions
// return the status of opening and set the first block's offset and naming.
BlockResult ReadRar4Block(Volume& volume, uint64_t offset, Block& block);
BlockResult ReadRar5Block(Volume& volume, uint64_t offset, Block& block);
Status CheckRar4MainHeader(Volume& volume, uint64_t& firstBlock, bool& newNaming);
Status CheckRar5MainHeader(Volume& volume, uint64_t& firstBlock);

}  // namespace rarcore
