// RAR 5.0 blocks: CRC32, header size (vint), type, flags, optional extra-area and data sizes,
// type-specific fields, then the extra area as the header's last bytes.
#include <vector>

#include "unrar/core/ByteCursor.h"
#include "unrar/core/Crc32.h"
#include "unrar/core/Names.h"
#include "unrar/core/Volume.h"

namespace rarcore {
namespace {

enum : uint64_t { kMainHeader = 1, kFileHeader = 2, kEncryptionHeader = 4, kEndHeader = 5 };

enum : uint64_t {
    kHasExtraArea = 0x0001,
    kHasData = 0x0002,
    kSplitBefore = 0x0008,
    kSplitAfter = 0x0010,
};

enum : uint64_t {
    kDirectory = 0x0001,
    kHasMtime = 0x0002,
    kHasCrc = 0x0004,
    kSizeUnknown = 0x0008
};

enum : uint64_t { kEncryptionRecord = 0x01, kTimeRecord = 0x03, kRedirectionRecord = 0x05 };

// The header size field may take at most 3 bytes, so a header is at most 2 MiB.
constexpr size_t kMaxSizeBytes = 3;

const int64_t kUnixEpochAsFileTime = 116444736000000000;

void ReadTimeRecord(ByteCursor& c, FileEntry& e) {
    uint64_t flags = c.Vint();
    if (!(flags & 0x2)) {
        return;  // no modification time
    }
    int64_t fileTime = 0;
    if (flags & 0x1) {
        fileTime = int64_t(c.U32()) * 10000000 + kUnixEpochAsFileTime;
    } else {
        uint64_t raw = c.U64();
        fileTime = raw > uint64_t(INT64_MAX) ? INT64_MAX : int64_t(raw);
    }
    if (c.ok()) {
        e.time.hasUtc = true;
        e.time.utcFileTime = fileTime;
    }
}

// Walks the extra records; a malformed record ends the walk (the fields are optional).
void ReadExtraArea(ByteCursor area, Block& block) {
    while (area.remaining() > 0) {
        uint64_t size = area.Vint();
        if (!area.ok() || size == 0 || size > area.remaining()) {
            return;
        }
        std::string record = area.Bytes(size);
        ByteCursor r(reinterpret_cast<const unsigned char*>(record.data()), record.size());
        uint64_t type = r.Vint();
        if (type == kEncryptionRecord) {
            block.entry.encrypted = true;
        } else if (type == kTimeRecord) {
            ReadTimeRecord(r, block.entry);
        } else if (type == kRedirectionRecord) {
            block.link = true;
        }
    }
}

bool ParseFileFields(ByteCursor& c, Block& block) {
    FileEntry& e = block.entry;
    uint64_t fileFlags = c.Vint();
    e.unpackedSize = c.Vint();
    e.attributes = uint32_t(c.Vint());
    if (fileFlags & kHasMtime) {
        e.time.hasUtc = true;
        e.time.utcFileTime = int64_t(c.U32()) * 10000000 + kUnixEpochAsFileTime;
    }
    if (fileFlags & kHasCrc) {
        e.crc = c.U32();
    }
    uint64_t compression = c.Vint();
    uint64_t host = c.Vint();
    uint64_t nameSize = c.Vint();
    block.rawName = c.Bytes(nameSize);
    if (!c.ok()) {
        return false;
    }
    e.directory = fileFlags & kDirectory;
    block.unknownSize = fileFlags & kSizeUnknown;
    block.hasCrc = fileFlags & kHasCrc;
    e.unpackVersion = (compression & 0x3F) == 0 ? 50 : 70;
    e.solid = compression & 0x40;
    e.method = 0x30 + uint32_t((compression >> 7) & 0x7);
    e.hostOs = host == 0 ? 2 : 3;
    e.name = InterfaceName(block.rawName, Format::Rar5);
    return true;
}

}  // namespace

BlockResult ReadRar5Block(Volume& volume, uint64_t offset, Block& block) {
    unsigned char prefix[4 + kMaxSizeBytes];
    int64_t got = volume.ReadSome(offset, prefix, sizeof prefix);
    if (got < 0) {
        return BlockResult::ReadError;
    }
    if (got == 0) {
        return BlockResult::EndOfVolume;
    }
    // The size vint, limited to its 3 bytes.
    uint64_t headerSize = 0;
    size_t sizeBytes = 0;
    bool complete = false;
    while (!complete && sizeBytes < kMaxSizeBytes && 4 + int64_t(sizeBytes) < got) {
        uint8_t byte = prefix[4 + sizeBytes];
        headerSize |= uint64_t(byte & 0x7F) << (7 * sizeBytes);
        ++sizeBytes;
        complete = (byte & 0x80) == 0;
    }
    if (!complete || headerSize < 2 || 4 + sizeBytes + headerSize > volume.size() - offset) {
        return BlockResult::Broken;
    }
    size_t total = size_t(4 + sizeBytes + headerSize);
    std::vector<unsigned char> header(total);
    if (!volume.ReadAt(offset, header.data(), total)) {
        return BlockResult::ReadError;
    }
    uint32_t storedCrc = uint32_t(header[0]) | uint32_t(header[1]) << 8 |
                         uint32_t(header[2]) << 16 | uint32_t(header[3]) << 24;
    block.headerCrcOk = Crc32Update(0, header.data() + 4, total - 4) == storedCrc;

    ByteCursor c(header.data() + 4 + sizeBytes, size_t(headerSize));
    block.type = uint32_t(c.Vint());
    block.flags = c.Vint();
    uint64_t extraSize = (block.flags & kHasExtraArea) ? c.Vint() : 0;
    block.dataSize = (block.flags & kHasData) ? c.Vint() : 0;
    if (!c.ok() || extraSize > c.remaining()) {
        return BlockResult::Broken;
    }
    size_t fieldsEnd = size_t(headerSize - extraSize);
    ByteCursor fields(header.data() + 4 + sizeBytes + c.position(), fieldsEnd - c.position());
    ByteCursor extra(header.data() + 4 + sizeBytes + fieldsEnd, size_t(extraSize));
    if (block.type == kFileHeader) {
        block.kind = Block::Kind::File;
        if (!ParseFileFields(fields, block)) {
            return BlockResult::Broken;
        }
        ReadExtraArea(extra, block);
        FileEntry& e = block.entry;
        e.packedSize = block.dataSize;
        e.splitBefore = block.flags & kSplitBefore;
        e.splitAfter = block.flags & kSplitAfter;
        if (e.time.hasUtc) {
            e.dosTime = volume.fs().UtcToDosLocal(e.time.utcFileTime);
            e.time.dosLocal = e.dosTime;
        }
    } else if (block.type == kEndHeader) {
        block.kind = Block::Kind::End;
        uint64_t endFlags = fields.Vint();
        block.moreVolumes = fields.ok() && (endFlags & 0x0001);
    }
    block.dataOffset = offset + total;
    if (block.dataSize > volume.size() - block.dataOffset) {
        return BlockResult::Broken;
    }
    block.next = block.dataOffset + block.dataSize;
    return BlockResult::Ok;
}

Status CheckRar5MainHeader(Volume& volume, uint64_t& firstBlock) {
    Block main;
    main.start = 8;
    BlockResult result = ReadRar5Block(volume, 8, main);
    if (result == BlockResult::ReadError) {
        return Status::ReadError;
    }
    if (result == BlockResult::Ok && main.type == kEncryptionHeader) {
        return Status::MissingPassword;  // every later header is encrypted
    }
    if (result != BlockResult::Ok || main.type != kMainHeader || !main.headerCrcOk) {
        return Status::BadData;
    }
    firstBlock = main.next;
    return Status::Ok;
}

}  // namespace rarcore
