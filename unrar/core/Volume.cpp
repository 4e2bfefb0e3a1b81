#include "unrar/core/Volume.h"

#include <cstring>

namespace rarcore {

Volume::Volume(FileSystem& fs, std::unique_ptr<InputFile> file, std::string path)
    : fs_(fs), file_(std::move(file)), path_(std::move(path)), size_(file_->Size()) {}

std::unique_ptr<Volume> Volume::Open(FileSystem& fs, const std::string& path, Status& status) {
    std::unique_ptr<InputFile> file = fs.OpenForReading(path);
    if (!file) {
        status = Status::OpenError;
        return nullptr;
    }
    std::unique_ptr<Volume> volume(new Volume(fs, std::move(file), path));
    status = volume->CheckMainHeader();
    if (status != Status::Ok) {
        return nullptr;
    }
    return volume;
}

Status Volume::CheckMainHeader() {
    unsigned char signature[8] = {};
    int64_t got = ReadSome(0, signature, sizeof signature);
    if (got < 0) {
        return Status::ReadError;
    }
    static const unsigned char kPrefix[6] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07};
    if (got < 7 || std::memcmp(signature, kPrefix, sizeof kPrefix) != 0) {
        return Status::NotArchive;
    }
    if (signature[6] == 0x00) {
        format_ = Format::Rar4;
        return CheckRar4MainHeader(*this, firstBlock_, newNaming_);
    }
    if (got == 8 && signature[6] == 0x01 && signature[7] == 0x00) {
        format_ = Format::Rar5;
        newNaming_ = true;
        return CheckRar5MainHeader(*this, firstBlock_);
    }
    return Status::UnknownFormat;  // a later format generation
}

BlockResult Volume::ReadBlock(uint64_t offset, Block& block) {
    block = Block();
    block.start = offset;
    return format_ == Format::Rar4 ? ReadRar4Block(*this, offset, block)
                                   : ReadRar5Block(*this, offset, block);
}

int64_t Volume::ReadSome(uint64_t offset, void* buffer, size_t size) {
    if (offset >= size_) {
        return 0;
    }
    if (size > size_ - offset) {
        size = size_t(size_ - offset);
    }
    if (offset != position_) {
        if (!file_->Seek(offset)) {
            position_ = UINT64_MAX;
            return -1;
        }
        position_ = offset;
    }
    size_t total = 0;
    auto out = static_cast<unsigned char*>(buffer);
    while (total < size) {
        size_t got = 0;
        if (!file_->Read(out + total, size - total, got)) {
            position_ = UINT64_MAX;
            return -1;
        }
        if (got == 0) {
            break;  // the file shrank under us
        }
        if (got > size - total) {
            got = size - total;
        }
        total += got;
    }
    position_ += total;
    return int64_t(total);
}

bool Volume::ReadAt(uint64_t offset, void* buffer, size_t size) {
    return ReadSome(offset, buffer, size) == int64_t(size);
}

}  // namespace rarcore
