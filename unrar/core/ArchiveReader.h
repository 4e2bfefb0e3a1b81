// The state behind an Archive: the current volume, the walk position, the header last
// reported, and whether the walk has ended. Internal to the reader.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "unrar/core/Archive.h"
#include "unrar/core/Volume.h"

namespace rarcore {

class ArchiveReader {
public:
    ArchiveReader(FileSystem& fs, std::unique_ptr<Volume> first, OpenMode mode);

    Status ReadHeader(FileEntry& entry);
    Status Process(Operation operation, const std::string& destPath, const std::string& destName);
    Format format() const { return format_; }

private:
    // Opens the volume after the current one. On failure the walk ends and the status says
    // why: OpenError when it is missing, ReadError when it is not a volume of this set.
    Status SwitchToNextVolume();
    // Moves past a file without reading its data; a part continued in the next volume opens it.
    Status SkipFile(const Block& file);
    Status ExtractFile(const Block& file, bool write, const std::string& destPath,
                       const std::string& destName);
    Status ExtractDirectory(const FileEntry& entry, bool write, const std::string& path);
    // Reads the file's data through all its parts, checking part and whole-file CRCs, and
    // writes it to `out` when not null.
    Status CopyData(const Block& first, OutputFile* out);
    // Finds the continuation of `first` at the start of the newly opened volume.
    Status ReadContinuation(const Block& first, Block& part);
    void MakeFolders(const std::string& path);

    FileSystem& fs_;
    std::unique_ptr<Volume> volume_;
    OpenMode mode_;
    Format format_;
    uint64_t next_;                      // where the next block of `volume_` starts
    std::optional<Block> current_;       // header reported and not yet processed
    bool ended_ = false;                 // every later read answers EndOfArchive
    std::vector<unsigned char> buffer_;  // data buffer, grown up to 1 MiB as files need it
};

// Attributes to set on Windows for an entry: Windows-host attributes as stored; for Unix hosts
// a file or folder, read-only when the owner may not write.
uint32_t WindowsAttributes(const FileEntry& entry);

}  // namespace rarcore
