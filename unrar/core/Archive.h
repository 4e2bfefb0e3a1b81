// Reads RAR 4.x and RAR 5.0 archives whose files are stored, one volume at a time, and lists,
// tests or extracts their files. Works through a FileSystem, so it has no platform code.
//
//   Archive::OpenResult r = Archive::Open(fs, "set.part1.rar", OpenMode::Extract);
//   FileEntry e;
//   while (r.archive->ReadHeader(e) == Status::Ok) r.archive->Process(Operation::Extract, dest);
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "unrar/core/FileSystem.h"

namespace rarcore {

// Results, with the values of the library interface's result codes.
enum class Status : int {
    Ok = 0,
    EndOfArchive = 10,
    BadData = 12,  // broken header, CRC mismatch, inconsistent volumes
    NotArchive = 13,
    UnknownFormat = 14,  // compressed data, unknown version
    OpenError = 15,      // archive or next volume cannot be opened
    CreateError = 16,
    CloseError = 17,
    ReadError = 18,  // read failure, or a next volume that is not an archive
    WriteError = 19,
    MissingPassword = 22,
};

enum class OpenMode { List, Extract, ListSplitParts };
enum class Operation { Skip, Test, Extract };

enum class Format { Rar4, Rar5 };

struct FileEntry {
    std::string name;           // stored path in UTF-8 with '\' separators (see Names.h)
    std::string volumeName;     // volume that holds this header
    uint64_t packedSize = 0;    // bytes of this part
    uint64_t unpackedSize = 0;  // the whole file's size
    uint32_t crc = 0;           // as stored in this header (a part CRC for all but the last part)
    FileTimestamp time;
    uint32_t dosTime = 0;        // DOS local time, as the interface reports it
    uint32_t attributes = 0;     // as stored
    uint32_t hostOs = 2;         // as the interface reports it: 2 Windows-like, 3 Unix-like
    uint32_t unpackVersion = 0;  // 10 * major + minor
    uint32_t method = 0x30;      // 0x30 store, 0x31..0x35 compressed
    bool splitBefore = false;
    bool splitAfter = false;
    bool encrypted = false;
    bool solid = false;
    bool directory = false;
};

class ArchiveReader;

class Archive {
public:
    struct OpenResult {
        std::unique_ptr<Archive> archive;  // null on failure
        Status status = Status::Ok;
    };
    // Opens the first (or only) volume and checks its signature and main header. The file
    // system must outlive the archive.
    static OpenResult Open(FileSystem& fs, const std::string& path, OpenMode mode);

    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    // Moves to the next file header, crossing into later volumes as the set announces them.
    // Status::EndOfArchive at the end, and after any failure that stops the walk.
    Status ReadHeader(FileEntry& entry);

    // Skips, tests or extracts the file whose header was read last. The target is `destName`
    // when it is not empty; otherwise `destPath` joined with the cleaned stored name, which can
    // never leave `destPath`.
    Status Process(Operation operation, const std::string& destPath = std::string(),
                   const std::string& destName = std::string());

    Format format() const;

private:
    explicit Archive(std::unique_ptr<ArchiveReader> reader);
    std::unique_ptr<ArchiveReader> reader_;
};

}  // namespace rarcore
