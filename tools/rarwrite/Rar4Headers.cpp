#include <algorithm>
#include <stdexcept>

#include "tools/rarwrite/ByteOut.h"
#include "tools/rarwrite/Crc32.h"
#include "tools/rarwrite/Headers.h"

namespace rarwrite {
namespace {

constexpr unsigned kMainHeader = 0x73;
constexpr unsigned kFileHeader = 0x74;
constexpr unsigned kEndBlock = 0x7B;

constexpr unsigned kMainVolume = 0x0001;
constexpr unsigned kMainNewNaming = 0x0010;
constexpr unsigned kMainFirstVolume = 0x0100;

constexpr unsigned kFileSplitBefore = 0x0001;
constexpr unsigned kFileSplitAfter = 0x0002;
constexpr unsigned kFileEncrypted = 0x0004;
constexpr unsigned kFileDirectory = 0x00E0;
constexpr unsigned kFileAlways = 0x8000;

constexpr unsigned kEndNextVolume = 0x0001;
constexpr unsigned kEndKeepWhenUpdating = 0x4000;

constexpr unsigned kHostWin32 = 2;
constexpr unsigned kVersionNeeded = 20;
constexpr unsigned kMethodStore = 0x30;
constexpr unsigned kMethodNormal = 0x33;

// `body` starts at HEAD_TYPE; the block's CRC field is the low 16 bits of its CRC32.
std::string Seal(const std::string& body) {
    std::string block;
    PutU16(block, Crc32(body) & 0xFFFF);
    return block + body;
}

class Rar4Headers final : public HeaderBuilder {
public:
    std::string Signature() const override { return std::string("Rar!\x1A\x07\x00", 7); }

    std::string MainHeader(const VolumeInfo& volume) const override {
        unsigned flags = 0;
        if (volume.multiVolume) {
            flags |= kMainVolume;
            flags |= volume.index == 0 ? kMainFirstVolume : 0;
            flags |= volume.partsNaming ? kMainNewNaming : 0;
        }
        std::string body;
        PutU8(body, kMainHeader);
        PutU16(body, flags);
        PutU16(body, 13);
        PutU16(body, 0);
        PutU32(body, 0);
        return Seal(body);
    }

    BuiltHeader FileHeader(const PartInfo& part) const override {
        const Entry& entry = *part.entry;
        const size_t nameSize = part.storedName.size();
        if (nameSize > 0xFFFF - 32) {
            throw std::runtime_error("stored name too long for a RAR 4 header: " + entry.name);
        }
        unsigned flags = kFileAlways;
        flags |= entry.directory ? kFileDirectory : 0;
        flags |= part.splitBefore ? kFileSplitBefore : 0;
        flags |= part.splitAfter ? kFileSplitAfter : 0;
        flags |= part.encrypted ? kFileEncrypted : 0;
        const uint32_t attributes = entry.attributes | (entry.directory ? 0x10 : 0);

        std::string body;
        PutU8(body, kFileHeader);
        PutU16(body, flags);
        PutU16(body, static_cast<unsigned>(32 + nameSize));
        PutU32(body, static_cast<uint32_t>(part.partSize));
        PutU32(body, static_cast<uint32_t>(part.wholeSize));
        PutU8(body, kHostWin32);
        PutU32(body, part.crc);
        PutU32(body, entry.dosTime);
        PutU8(body, kVersionNeeded);
        PutU8(body, part.compressedMethod ? kMethodNormal : kMethodStore);
        PutU16(body, static_cast<unsigned>(nameSize));
        PutU32(body, attributes);
        body += part.storedName;
        return {Seal(body), 32};
    }

    std::string EndBlock(bool nextVolumeFollows) const override {
        std::string body;
        PutU8(body, kEndBlock);
        PutU16(body, kEndKeepWhenUpdating | (nextVolumeFollows ? kEndNextVolume : 0));
        PutU16(body, 7);
        return Seal(body);
    }

    std::string StoredName(const std::string& name) const override {
        std::string stored = name;
        std::replace(stored.begin(), stored.end(), '/', '\\');
        return stored;
    }

    // 0xFFFFFFFF in UNP_SIZE means "size unknown"; larger files would need the high fields.
    uint64_t MaxFileSize() const override { return 0xFFFFFFFEu; }
};

}  // namespace

std::unique_ptr<HeaderBuilder> MakeRar4Headers() {
    return std::make_unique<Rar4Headers>();
}

}  // namespace rarwrite
