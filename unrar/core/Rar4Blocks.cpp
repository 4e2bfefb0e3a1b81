// RAR 4.x blocks: a 7-byte common header (CRC16, type, flags, size), optional data size, and for
// file headers the fixed fields, the name and optional parts.
#include <vector>

#include "unrar/core/ByteCursor.h"
#include "unrar/core/Crc32.h"
#include "unrar/core/Names.h"
#include "unrar/core/Volume.h"

namespace rarcore {
namespace {

enum : uint8_t { kMainHeader = 0x73, kFileHeader = 0x74, kServiceHeader = 0x7A, kEndBlock = 0x7B };

enum : uint32_t {
    kSplitBefore = 0x0001,
    kSplitAfter = 0x0002,
    kEncrypted = 0x0004,
    kSolid = 0x0010,
    kDictionaryMask = 0x00E0,
    kLargeSizes = 0x0100,
    kUnicodeName = 0x0200,
    kHasDataSize = 0x8000,
};

uint32_t InterfaceHostOs(uint8_t stored) {
    return (stored <= 2 || stored == 4) ? 2 : 3;  // DOS, OS/2, Win32, Mac OS : Unix, BeOS, ...
}

std::string DecodeName(const std::string& stored, uint32_t flags, const FileSystem& fs) {
    if (flags & kUnicodeName) {
        size_t zero = stored.find('\0');
        if (zero == std::string::npos) {
            return stored;  // the whole field is UTF-8
        }
        // Code-page name, then a compact Unicode form; the code-page part is enough here.
        return fs.LegacyNameToUtf8(stored.substr(0, zero));
    }
    return fs.LegacyNameToUtf8(stored);
}

bool ParseFileFields(ByteCursor& c, uint32_t flags, const FileSystem& fs, Block& block) {
    FileEntry& e = block.entry;
    uint64_t packed = c.U32();
    uint64_t unpacked = c.U32();
    uint8_t host = c.U8();
    e.crc = c.U32();
    e.dosTime = c.U32();
    e.unpackVersion = c.U8();
    e.method = c.U8();
    uint16_t nameSize = c.U16();
    e.attributes = c.U32();
    uint32_t highPacked = 0;
    uint32_t highUnpacked = 0;
    if (flags & kLargeSizes) {
        highPacked = c.U32();
        highUnpacked = c.U32();
    }
    block.rawName = c.Bytes(nameSize);
    if (!c.ok()) {
        return false;
    }
    block.unknownSize =
        unpacked == 0xFFFFFFFFu && (!(flags & kLargeSizes) || highUnpacked == 0xFFFFFFFFu);
    packed |= uint64_t(highPacked) << 32;
    unpacked |= uint64_t(highUnpacked) << 32;
    block.dataSize = packed;
    e.packedSize = packed;
    e.unpackedSize = unpacked;
    e.time.dosLocal = e.dosTime;
    e.hostOs = InterfaceHostOs(host);
    e.splitBefore = flags & kSplitBefore;
    e.splitAfter = flags & kSplitAfter;
    e.encrypted = flags & kEncrypted;
    e.solid = flags & kSolid;
    // Before RAR 2.0 a directory was marked only by its attribute.
    bool oldDirectory = e.unpackVersion < 20 && host <= 2 && (e.attributes & 0x10);
    e.directory = (flags & kDictionaryMask) == kDictionaryMask || oldDirectory;
    // Part CRCs are only meaningful from version 2.0 on; the last part always has the file's.
    block.hasCrc = !e.splitAfter || (e.unpackVersion >= 20 && e.crc != 0xFFFFFFFFu);
    e.name = InterfaceName(DecodeName(block.rawName, flags, fs), Format::Rar4);
    return true;
}

}  // namespace

BlockResult ReadRar4Block(Volume& volume, uint64_t offset, Block& block) {
    unsigned char common[7];
    int64_t got = volume.ReadSome(offset, common, sizeof common);
    if (got < 0) {
        return BlockResult::ReadError;
    }
    if (got == 0) {
        return BlockResult::EndOfVolume;
    }
    size_t headSize = size_t(common[5]) | size_t(common[6]) << 8;
    if (got < 7 || headSize < 7 || headSize > volume.size() - offset) {
        return BlockResult::Broken;
    }
    std::vector<unsigned char> header(headSize);
    if (!volume.ReadAt(offset, header.data(), headSize)) {
        return BlockResult::ReadError;
    }
    uint16_t storedCrc = uint16_t(header[0] | header[1] << 8);
    block.headerCrcOk = (Crc32Update(0, header.data() + 2, headSize - 2) & 0xFFFF) == storedCrc;
    block.type = header[2];
    block.flags = uint32_t(header[3] | header[4] << 8);
    ByteCursor c(header.data() + 7, headSize - 7);
    if (block.type == kFileHeader || block.type == kServiceHeader) {
        if (!ParseFileFields(c, uint32_t(block.flags), volume.fs(), block)) {
            return BlockResult::Broken;
        }
        block.kind = block.type == kFileHeader ? Block::Kind::File : Block::Kind::Other;
    } else {
        if (block.flags & kHasDataSize) {
            block.dataSize = c.U32();
            if (!c.ok()) {
                return BlockResult::Broken;
            }
        }
        if (block.type == kEndBlock) {
            block.kind = Block::Kind::End;
            block.moreVolumes = block.flags & 0x0001;
        }
    }
    block.dataOffset = offset + headSize;
    if (block.dataSize > volume.size() - block.dataOffset) {
        return BlockResult::Broken;
    }
    block.next = block.dataOffset + block.dataSize;
    return BlockResult::Ok;
}

Status CheckRar4MainHeader(Volume& volume, uint64_t& firstBlock, bool& newNaming) {
    Block main;
    main.start = 7;
    BlockResult result = ReadRar4Block(volume, 7, main);
    if (result == BlockResult::ReadError) {
        return Status::ReadError;
    }
    if (result != BlockResult::Ok || main.type != kMainHeader || !main.headerCrcOk) {
        return Status::BadData;
    }
    if (main.flags & 0x0080) {
        return Status::MissingPassword;  // every later header is encrypted
    }
    newNaming = main.flags & 0x0010;
    firstBlock = main.next;
    return Status::Ok;
}

}  // namespace rarcore
