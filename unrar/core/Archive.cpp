#include "unrar/core/Archive.h"

#include "unrar/core/ArchiveReader.h"

namespace rarcore {

Archive::Archive(std::unique_ptr<ArchiveReader> reader) : reader_(std::move(reader)) {}

Archive::~Archive() = default;

Archive::OpenResult Archive::Open(FileSystem& fs, const std::string& path, OpenMode mode) {
    OpenResult result;
    std::unique_ptr<Volume> first = Volume::Open(fs, path, result.status);
    if (first) {
        result.archive.reset(
            new Archive(std::make_unique<ArchiveReader>(fs, std::move(first), mode)));
    }
    return result;
}

Status Archive::ReadHeader(FileEntry& entry) {
    return reader_->ReadHeader(entry);
}

Status Archive::Process(Operation operation, const std::string& destPath,
                        const std::string& destName) {
    return reader_->Process(operation, destPath, destName);
}

Format Archive::format() const {
    return reader_->format();
}

}  // namespace rarcore
