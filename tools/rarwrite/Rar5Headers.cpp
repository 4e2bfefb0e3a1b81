#include <algorithm>
#include <stdexcept>

#include "tools/rarwrite/ByteOut.h"
#include "tools/rarwrite/Crc32.h"
#include "tools/rarwrite/DosTime.h"
#include "tools/rarwrite/Headers.h"

namespace rarwrite {
namespace {

constexpr unsigned kMainHeader = 1;
constexpr unsigned kFileHeader = 2;
constexpr unsigned kEndHeader = 5;

constexpr unsigned kHasExtra = 0x0001;
constexpr unsigned kHasData = 0x0002;
constexpr unsigned kSplitBefore = 0x0008;
constexpr unsigned kSplitAfter = 0x0010;

constexpr unsigned kArchiveVolume = 0x0001;
constexpr unsigned kArchiveVolumeNumber = 0x0002;

constexpr unsigned kFileDirectory = 0x0001;
constexpr unsigned kFileMtime = 0x0002;
constexpr unsigned kFileCrc = 0x0004;

constexpr unsigned kEndNotLast = 0x0001;
constexpr unsigned kHostWindows = 0;
constexpr unsigned kMethodNormal = 3u << 7;  // compression information bits 7-9
constexpr unsigned kExtraEncryption = 0x01;

// `body` starts at the header type; the CRC covers the size vint and the body.
std::string Seal(const std::string& body) {
    const std::string sized = Vint(body.size()) + body;
    std::string block;
    PutU32(block, Crc32(sized));
    return block + sized;
}

// An encryption record (AES-256, 2^15 key rounds, zero salt and IV): enough for a reader to
// see the file as encrypted; no key can open it.
std::string EncryptionRecord() {
    std::string data;
    PutVint(data, kExtraEncryption);
    PutVint(data, 0);       // version: AES-256
    PutVint(data, 0);       // flags: no password check value
    PutU8(data, 15);        // log2 of the key derivation rounds
    data.append(32, '\0');  // salt and IV
    return Vint(data.size()) + data;
}

class Rar5Headers final : public HeaderBuilder {
public:
    std::string Signature() const override { return std::string("Rar!\x1A\x07\x01\x00", 8); }

    std::string MainHeader(const VolumeInfo& volume) const override {
        unsigned archiveFlags = 0;
        if (volume.multiVolume) {
            archiveFlags |= kArchiveVolume;
            archiveFlags |= volume.index > 0 ? kArchiveVolumeNumber : 0;
        }
        std::string body;
        PutVint(body, kMainHeader);
        PutVint(body, 0);
        PutVint(body, archiveFlags);
        if (archiveFlags & kArchiveVolumeNumber) {
            PutVint(body, volume.index);
        }
        return Seal(body);
    }

    BuiltHeader FileHeader(const PartInfo& part) const override {
        const Entry& entry = *part.entry;
        const std::string extra = part.encrypted ? EncryptionRecord() : std::string();
        unsigned headerFlags = kHasData;  // always, even for directories: some readers need it
        headerFlags |= extra.empty() ? 0 : kHasExtra;
        headerFlags |= part.splitBefore ? kSplitBefore : 0;
        headerFlags |= part.splitAfter ? kSplitAfter : 0;
        const unsigned fileFlags =
            entry.directory ? kFileDirectory | kFileMtime : kFileMtime | kFileCrc;

        std::string body;
        PutVint(body, kFileHeader);
        PutVint(body, headerFlags);
        if (!extra.empty()) {
            PutVint(body, extra.size());
        }
        PutVint(body, part.partSize);
        PutVint(body, fileFlags);
        PutVint(body, part.wholeSize);
        PutVint(body, entry.attributes | (entry.directory ? 0x10 : 0));
        PutU32(body, static_cast<uint32_t>(DosTimeToUnix(entry.dosTime)));
        if (fileFlags & kFileCrc) {
            PutU32(body, part.crc);
        }
        PutVint(body, part.compressedMethod ? kMethodNormal : 0);
        PutVint(body, kHostWindows);
        PutVint(body, part.storedName.size());
        const size_t nameInBody = body.size();
        body += part.storedName;
        body += extra;

        if (body.size() >= (1u << 21)) {  // the size field may take at most 3 bytes
            throw std::runtime_error("stored name too long for a RAR 5 header: " + entry.name);
        }
        BuiltHeader header;
        header.bytes = Seal(body);
        header.nameOffset = header.bytes.size() - body.size() + nameInBody;
        return header;
    }

    std::string EndBlock(bool nextVolumeFollows) const override {
        std::string body;
        PutVint(body, kEndHeader);
        PutVint(body, 0);
        PutVint(body, nextVolumeFollows ? kEndNotLast : 0);
        return Seal(body);
    }

    std::string StoredName(const std::string& name) const override {
        std::string stored = name;
        std::replace(stored.begin(), stored.end(), '\\', '/');
        return stored;
    }

    uint64_t MaxFileSize() const override { return UINT64_MAX; }
};

}  // namespace

std::unique_ptr<HeaderBuilder> MakeRar5Headers() {
    return std::make_unique<Rar5Headers>();
}

}  // namespace rarwrite
