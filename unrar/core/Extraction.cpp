// Testing and extracting one file: target path, data copy through all parts with CRC checks,
// and clean-up when anything fails.
#include <algorithm>

#include "unrar/core/ArchiveReader.h"
#include "unrar/core/Crc32.h"
#include "unrar/core/Names.h"

namespace rarcore {
namespace {

constexpr size_t kBufferSize = 1 << 20;

}  // namespace

void ArchiveReader::MakeFolders(const std::string& path) {
    // Every prefix ending before a separator, then the path itself; existing ones are fine.
    for (size_t i = 1; i < path.size(); ++i) {
        if ((path[i] == '\\' || path[i] == '/') && path[i - 1] != ':' && path[i - 1] != '\\' &&
            path[i - 1] != '/') {
            fs_.MakeFolder(path.substr(0, i));
        }
    }
    if (!path.empty()) {
        fs_.MakeFolder(path);
    }
}

Status ArchiveReader::ExtractDirectory(const FileEntry& entry, bool write,
                                       const std::string& path) {
    if (!write || path.empty()) {
        return Status::Ok;  // tested, or the destination itself
    }
    MakeFolders(path);
    if (!fs_.MakeFolder(path)) {
        return Status::CreateError;
    }
    fs_.SetAttributes(path, WindowsAttributes(entry));
    return Status::Ok;
}

Status ArchiveReader::ExtractFile(const Block& file, bool write, const std::string& destPath,
                                  const std::string& destName) {
    const FileEntry& entry = file.entry;
    Status refusal = Status::Ok;
    if (!file.headerCrcOk) {
        return Status::BadData;  // nothing in a broken header is trusted, not even its flags
    }
    if (entry.encrypted) {
        refusal = Status::MissingPassword;
    } else if (entry.method != 0x30 || file.unknownSize) {
        refusal = Status::UnknownFormat;
    }
    if (refusal != Status::Ok || file.link) {
        // Links are not created: a link could point outside the destination.
        Status skipped = SkipFile(file);
        return skipped != Status::Ok ? skipped : refusal;
    }
    std::vector<std::string> parts = SafePathParts(entry.name);
    std::string path =
        !destName.empty() ? destName : JoinOutputPath(destPath, parts, fs_.Separator());
    if (entry.directory) {
        return ExtractDirectory(entry, write, destName.empty() && parts.empty() ? destPath : path);
    }
    std::unique_ptr<OutputFile> out;
    if (write) {
        // A name cleaned down to nothing leaves no file to create. Folders on the way are made
        // only when the first attempt fails, which saves calls for every file after the first.
        bool nameLeft = !destName.empty() || !parts.empty();
        out = nameLeft ? fs_.CreateOutput(path) : nullptr;
        size_t slash = path.find_last_of("\\/");
        if (!out && nameLeft && slash != std::string::npos && slash > 0) {
            MakeFolders(path.substr(0, slash));
            out = fs_.CreateOutput(path);
        }
        if (!out) {
            Status skipped = SkipFile(file);
            return skipped != Status::Ok ? skipped : Status::CreateError;
        }
    }
    Status copied = CopyData(file, out.get());
    if (copied == Status::Ok && out && !out->Finish(entry.time)) {
        copied = Status::WriteError;
    }
    out.reset();
    if (write) {
        if (copied != Status::Ok) {
            fs_.RemoveFile(path);  // never leave a partial or unchecked file behind
            return copied;
        }
        fs_.SetAttributes(path, WindowsAttributes(entry));
    }
    return copied;
}

Status ArchiveReader::ReadContinuation(const Block& first, Block& part) {
    for (;;) {
        BlockResult result = volume_->ReadBlock(next_, part);
        if (result != BlockResult::Ok) {
            ended_ = true;
            return result == BlockResult::ReadError ? Status::ReadError : Status::BadData;
        }
        if (part.kind == Block::Kind::Other) {
            next_ = part.next;
            continue;
        }
        // Anything else is left for the walk to report, unless it is this file's next part.
        if (part.kind != Block::Kind::File || !part.entry.splitBefore ||
            part.rawName != first.rawName) {
            return Status::BadData;
        }
        next_ = part.next;
        return part.headerCrcOk ? Status::Ok : Status::BadData;
    }
}

Status ArchiveReader::CopyData(const Block& first, OutputFile* out) {
    uint32_t wholeCrc = 0;
    uint64_t total = 0;
    Block part = first;
    for (;;) {
        uint32_t partCrc = 0;
        uint64_t offset = part.dataOffset;
        uint64_t remaining = part.dataSize;
        // Grows up to 1 MiB as parts need it: small files need no large buffer.
        size_t wanted = size_t(std::min<uint64_t>(remaining, kBufferSize));
        if (buffer_.size() < wanted) {
            buffer_.resize(wanted);
        }
        while (remaining > 0) {
            size_t chunk = size_t(std::min<uint64_t>(remaining, buffer_.size()));
            if (!volume_->ReadAt(offset, buffer_.data(), chunk)) {
                return Status::ReadError;
            }
            partCrc = Crc32Update(partCrc, buffer_.data(), chunk);
            if (out && !out->Write(buffer_.data(), chunk)) {
                return Status::WriteError;
            }
            offset += chunk;
            remaining -= chunk;
        }
        wholeCrc = total == 0 ? partCrc : Crc32Combine(wholeCrc, partCrc, part.dataSize);
        total += part.dataSize;
        if (!part.entry.splitAfter) {
            bool crcMatches = !part.hasCrc || wholeCrc == part.entry.crc;
            return crcMatches && total == first.entry.unpackedSize ? Status::Ok : Status::BadData;
        }
        if (part.hasCrc && partCrc != part.entry.crc) {
            return Status::BadData;
        }
        Status switched = SwitchToNextVolume();
        if (switched != Status::Ok) {
            return switched;
        }
        Block nextPart;
        Status found = ReadContinuation(first, nextPart);
        if (found != Status::Ok) {
            return found;
        }
        part = std::move(nextPart);
    }
}

}  // namespace rarcore
