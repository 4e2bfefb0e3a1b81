// A FileSystem held in memory, for tests and the fuzz target: volumes are put in as strings,
// and everything the reader creates is recorded. Paths use '/'.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "unrar/core/FileSystem.h"

namespace rarcore {

class MemoryFileSystem : public FileSystem {
public:
    struct WrittenFile {
        std::string data;
        FileTimestamp time;
        uint32_t attributes = 0;
        bool finished = false;
    };

    std::map<std::string, std::string> inputs;  // volume path -> contents
    std::map<std::string, WrittenFile> files;   // every file created, by path
    std::set<std::string> folders;              // every folder created
    std::set<std::string> deleted;              // files deleted after creation
    uint64_t bytesRead = 0;             // total over all volumes, to show what skipping costs
    uint64_t maxFileSize = UINT64_MAX;  // writes beyond this fail (bounds the fuzz target)

    std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
    std::unique_ptr<OutputFile> CreateOutput(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    void SetAttributes(const std::string& path, uint32_t windowsAttributes) override;
    bool RemoveFile(const std::string& path) override;
    char Separator() const override { return '/'; }

private:
    // Like a real file system, files and folders are only made inside existing folders.
    bool ParentExists(const std::string& path) const;
};

}  // namespace rarcore
