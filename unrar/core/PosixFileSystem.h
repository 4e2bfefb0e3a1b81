// The FileSystem on POSIX systems, for native tests, tools and benchmarks.
#pragma once

#include "unrar/core/FileSystem.h"

namespace rarcore {

class PosixFileSystem : public FileSystem {
public:
    std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
    std::unique_ptr<OutputFile> CreateOutput(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    // Only the read-only bit has a POSIX meaning: it removes the write permissions.
    void SetAttributes(const std::string& path, uint32_t windowsAttributes) override;
    bool RemoveFile(const std::string& path) override;
    char Separator() const override { return '/'; }
    uint32_t UtcToDosLocal(int64_t utcFileTime) const override;
};

}  // namespace rarcore
