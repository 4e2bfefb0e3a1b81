// The file-system operations the archive reader needs, behind one interface, so the reader runs
// natively in tests and the fuzz target (in memory) and on Windows in the library.
// Paths are UTF-8 throughout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace rarcore {

// A modification time as an archive stores it: RAR 4 a DOS local time, RAR 5 an exact UTC time.
struct FileTimestamp {
    uint32_t dosLocal = 0;
    bool hasUtc = false;
    int64_t utcFileTime = 0;  // 100 ns units since 1601-01-01 UTC, valid when hasUtc
};

// A volume open for reading.
class InputFile {
public:
    virtual ~InputFile() = default;
    virtual uint64_t Size() const = 0;
    virtual bool Seek(uint64_t offset) = 0;
    // Reads up to `size` bytes at the current position into `buffer`; stores the count in
    // `got` (0 at the end of the file). False on a read error.
    virtual bool Read(void* buffer, size_t size, size_t& got) = 0;
};

// A file being written; it is closed when destroyed, whether Finish was called or not.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual bool Write(const void* data, size_t size) = 0;
    // Sets the modification time and closes the file; false when closing failed.
    virtual bool Finish(const FileTimestamp& time) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Null when the file cannot be opened.
    virtual std::unique_ptr<InputFile> OpenForReading(const std::string& path) = 0;
    // Creates or truncates the file (a read-only file is overwritten too); null on failure.
    virtual std::unique_ptr<OutputFile> CreateOutput(const std::string& path) = 0;
    // Creates one folder; true when it exists afterwards.
    virtual bool MakeFolder(const std::string& path) = 0;
    virtual void SetAttributes(const std::string& path, uint32_t windowsAttributes) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // The separator used to join output paths.
    virtual char Separator() const = 0;
    // Decodes a RAR 4 name stored in the creating system's code page into UTF-8.
    virtual std::string LegacyNameToUtf8(const std::string& raw) const;
    // Converts an exact UTC time to the DOS local time the interface reports.
    virtual uint32_t UtcToDosLocal(int64_t utcFileTime) const;
};

}  // namespace rarcore
