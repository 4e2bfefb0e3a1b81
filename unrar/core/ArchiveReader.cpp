#include "unrar/core/ArchiveReader.h"

#include "unrar/core/VolumeNames.h"

namespace rarcore {

ArchiveReader::ArchiveReader(FileSystem& fs, std::unique_ptr<Volume> first, OpenMode mode)
    : fs_(fs),
      volume_(std::move(first)),
      mode_(mode),
      format_(volume_->format()),
      next_(volume_->firstBlock()) {}

Status ArchiveReader::SwitchToNextVolume() {
    std::string name = NextVolumeName(volume_->path(), volume_->newNaming());
    Status status = Status::Ok;
    std::unique_ptr<Volume> next = Volume::Open(fs_, name, status);
    if (!next && status == Status::OpenError && volume_->newNaming()) {
        std::string oldStyle = NextVolumeName(volume_->path(), false);
        if (oldStyle != name) {
            next = Volume::Open(fs_, oldStyle, status);
        }
    }
    if (next && next->format() != format_) {
        next.reset();
        status = Status::NotArchive;
    }
    if (!next) {
        ended_ = true;
        if (status == Status::NotArchive || status == Status::UnknownFormat) {
            return Status::ReadError;
        }
        return status;
    }
    volume_ = std::move(next);
    next_ = volume_->firstBlock();
    return Status::Ok;
}

Status ArchiveReader::ReadHeader(FileEntry& entry) {
    entry = FileEntry();
    if (current_) {
        // A header read again without processing: move past the file as a skip would.
        Block unprocessed = std::move(*current_);
        current_.reset();
        Status skipped = SkipFile(unprocessed);
        if (skipped != Status::Ok) {
            return skipped;
        }
    }
    while (!ended_) {
        Block block;
        BlockResult result = volume_->ReadBlock(next_, block);
        if (result != BlockResult::Ok) {
            ended_ = true;
            if (result == BlockResult::EndOfVolume) {
                break;
            }
            return result == BlockResult::Broken ? Status::BadData : Status::ReadError;
        }
        next_ = block.next;  // strictly beyond the block's start, so the walk always advances
        if (block.kind == Block::Kind::End) {
            if (!block.moreVolumes) {
                ended_ = true;
                break;
            }
            Status switched = SwitchToNextVolume();
            if (switched != Status::Ok) {
                return switched;
            }
            continue;
        }
        if (block.kind != Block::Kind::File) {
            continue;
        }
        if (block.entry.splitBefore && mode_ != OpenMode::ListSplitParts) {
            continue;  // reported with its first part
        }
        block.entry.volumeName = volume_->path();
        entry = block.entry;
        current_ = std::move(block);
        return Status::Ok;
    }
    return Status::EndOfArchive;
}

Status ArchiveReader::SkipFile(const Block& file) {
    // A broken header's flags are not trusted; its volume's end block still leads on.
    if (file.entry.splitAfter && file.headerCrcOk) {
        return SwitchToNextVolume();
    }
    return Status::Ok;
}

Status ArchiveReader::Process(Operation operation, const std::string& destPath,
                              const std::string& destName) {
    if (!current_) {
        return ended_ ? Status::EndOfArchive : Status::BadData;  // no header to process
    }
    Block file = std::move(*current_);
    current_.reset();
    if (mode_ != OpenMode::Extract || operation == Operation::Skip) {
        return SkipFile(file);
    }
    return ExtractFile(file, operation == Operation::Extract, destPath, destName);
}

uint32_t WindowsAttributes(const FileEntry& entry) {
    const uint32_t kReadOnly = 0x01, kDirectory = 0x10, kArchive = 0x20;
    if (entry.hostOs == 2) {
        const uint32_t kSettable = 0x01 | 0x02 | 0x04 | 0x20 | 0x2000;
        return (entry.attributes & kSettable) | (entry.directory ? kDirectory : 0);
    }
    bool ownerMayWrite = entry.attributes & 0x80;
    return (entry.directory ? kDirectory : kArchive) | (ownerMayWrite ? 0 : kReadOnly);
}

}  // namespace rarcore
