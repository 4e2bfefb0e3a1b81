#include "tests/writer/BlockReader.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "tools/rarwrite/Crc32.h"

namespace writertest {
namespace {

class Cursor {
public:
    Cursor(const std::string& bytes, size_t pos) : bytes_(bytes), pos_(pos) {}
    size_t Pos() const { return pos_; }
    void Seek(size_t pos) { pos_ = pos; }
    unsigned U8() {
        Need(1);
        return static_cast<unsigned char>(bytes_[pos_++]);
    }
    unsigned U16() {
        const unsigned lo = U8();
        return lo | U8() << 8;
    }
    uint32_t U32() {
        const uint32_t lo = U16();
        return lo | static_cast<uint32_t>(U16()) << 16;
    }
    uint64_t Vint() {
        uint64_t value = 0;
        for (int shift = 0; shift < 70; shift += 7) {
            const unsigned byte = U8();
            value |= static_cast<uint64_t>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0) {
                return value;
            }
        }
        throw std::runtime_error("vint too long");
    }
    std::string Take(uint64_t size) {
        Need(size);
        std::string out = bytes_.substr(pos_, static_cast<size_t>(size));
        pos_ += static_cast<size_t>(size);
        return out;
    }

private:
    void Need(uint64_t size) const {
        if (size > bytes_.size() - pos_) {
            throw std::runtime_error("block runs past the end of the volume");
        }
    }
    const std::string& bytes_;
    size_t pos_;
};

Block ReadRar4Block(Cursor& in, const std::string& bytes) {
    const size_t start = in.Pos();
    Block block;
    const unsigned crc = in.U16();
    const unsigned type = in.U8();
    block.headerFlags = in.U16();
    const unsigned size = in.U16();
    if (size < 7 || size > bytes.size() - start) {
        throw std::runtime_error("bad RAR 4 header size");
    }
    block.headerCrcOk = (rarwrite::Crc32(bytes.substr(start + 2, size - 2)) & 0xFFFF) == crc;
    if (type == 0x73) {
        block.kind = Kind::Main;
        block.archiveFlags = block.headerFlags;
    } else if (type == 0x7B) {
        block.kind = Kind::End;
        block.endFlags = block.headerFlags;
    } else if (type == 0x74) {
        block.kind = Kind::File;
        block.dataSize = in.U32();
        block.unpackedSize = in.U32();
        in.U8();  // host
        block.dataCrc = in.U32();
        block.time = in.U32();
        in.U8();  // version
        block.method = in.U8();
        const unsigned nameSize = in.U16();
        block.attributes = in.U32();
        block.name = in.Take(nameSize);
        block.directory = (block.headerFlags & 0x00E0) == 0x00E0;
        block.splitBefore = block.headerFlags & 0x0001;
        block.splitAfter = block.headerFlags & 0x0002;
        block.encrypted = block.headerFlags & 0x0004;
    }
    in.Seek(start + size);
    if (block.kind == Kind::File) {
        block.data = in.Take(block.dataSize);
    }
    return block;
}

Block ReadRar5Block(Cursor& in, const std::string& bytes) {
    Block block;
    const uint32_t crc = in.U32();
    const size_t sizeStart = in.Pos();
    const uint64_t size = in.Vint();
    const size_t headerStart = in.Pos();
    if (size > bytes.size() - headerStart) {
        throw std::runtime_error("bad RAR 5 header size");
    }
    const size_t headerEnd = headerStart + static_cast<size_t>(size);
    block.headerCrcOk = rarwrite::Crc32(bytes.substr(sizeStart, headerEnd - sizeStart)) == crc;
    const uint64_t type = in.Vint();
    block.headerFlags = static_cast<unsigned>(in.Vint());
    const uint64_t extraSize = (block.headerFlags & 0x0001) ? in.Vint() : 0;
    block.dataSize = (block.headerFlags & 0x0002) ? in.Vint() : 0;
    if (type == 1) {
        block.kind = Kind::Main;
        block.archiveFlags = static_cast<unsigned>(in.Vint());
        if (block.archiveFlags & 0x0002) {
            block.hasVolumeNumber = true;
            block.volumeNumber = in.Vint();
        }
    } else if (type == 5) {
        block.kind = Kind::End;
        block.endFlags = static_cast<unsigned>(in.Vint());
    } else if (type == 2) {
        block.kind = Kind::File;
        block.fileFlags = static_cast<unsigned>(in.Vint());
        block.unpackedSize = in.Vint();
        block.attributes = static_cast<uint32_t>(in.Vint());
        block.time = (block.fileFlags & 0x0002) ? in.U32() : 0;
        block.dataCrc = (block.fileFlags & 0x0004) ? in.U32() : 0;
        block.method = static_cast<unsigned>(in.Vint());
        in.Vint();  // host
        block.name = in.Take(in.Vint());
        block.directory = block.fileFlags & 0x0001;
        block.splitBefore = block.headerFlags & 0x0008;
        block.splitAfter = block.headerFlags & 0x0010;
        if (extraSize > 0) {
            in.Seek(headerEnd - static_cast<size_t>(extraSize));
            in.Vint();  // record size
            block.encrypted = in.Vint() == 0x01;
        }
    }
    in.Seek(headerEnd);
    block.data = in.Take(block.dataSize);
    return block;
}

}  // namespace

Volume ReadVolume(const std::string& bytes, rarwrite::Format format) {
    const bool rar4 = format == rarwrite::Format::Rar4;
    const std::string signature =
        rar4 ? std::string("Rar!\x1A\x07\x00", 7) : std::string("Rar!\x1A\x07\x01\x00", 8);
    Volume volume;
    volume.signatureOk = bytes.compare(0, signature.size(), signature) == 0;
    Cursor in(bytes, signature.size());
    while (in.Pos() < bytes.size()) {
        volume.blocks.push_back(rar4 ? ReadRar4Block(in, bytes) : ReadRar5Block(in, bytes));
    }
    return volume;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + path);
    }
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

}  // namespace writertest
